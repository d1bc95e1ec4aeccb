// Backups of the user's data files listed in section "Backup data": copied
// beside themselves under a numbered name before anything is installed,
// and removed again after success when they equal the file now installed.
#pragma once

void BackUpData(const char* destination);
void PruneBackups(const char* destination);

// Both exist under names that differ (ignoring case), with equal contents.
bool FilesEqual(const char* a, const char* b);

// The backup path of entry with digit (0 to 9) in directory: the stem up
// to the first dot, padded with a blank to 8 characters, its last
// character replaced by the digit, then the rest. False when too long.
bool BackupPathFor(const char* directory, const char* entry, int digit, char* path);
