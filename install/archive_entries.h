// The archive workers of the file list: ZIP archives (kind Z) and archives
// stored inside archives (kind M), measured and unpacked member by member
// with the version and language filters, into the destination, Windows or
// System directory by the member's name.
#pragma once

#include <cstdint>

int32_t MeasureArchive(const char* archivePath, uint32_t baseOffset, int32_t length);
int32_t MeasureNestedArchive(const char* archivePath, const char* member);
int UnpackArchive(const char* archivePath, const char* targetPath, int32_t& runningBytes, uint32_t baseOffset,
                  int32_t length);
int UnpackNestedArchive(const char* archivePath, const char* targetPath, const char* member,
                        int32_t& runningBytes);

// Removes a leading "16\" and then "32\" at the start of a path component,
// in place; returns the version bits they stood for (1, 2 or both).
int StripVersionPrefix(char* name);

// False for a member in the language directory that belongs to another
// language than the one chosen.
bool PassesLanguageFilter(const char* name);

// Offset (0 to 1018) of the first local header among 1024 bytes of the
// file at position; 0 when there is none.
uint32_t FindEmbeddedArchive(const char* archivePath, uint32_t position);
