// Files for the Windows and System directories: shared with other
// programs, so they are replaced only by newer versions, and a failure to
// install one is reported and then passed over.
#pragma once

// Comparison outcomes.
const int kNoExistingFile = 0;
const int kNewIsNewer = 1;
const int kKeepExisting = -1;

// The System directory, or the Windows directory when the System directory
// lies on a network drive; no trailing backslash.
void ChosenSystemDirectory(char* path);

int CompareVersions(const char* newPath, const char* existingPath);

// True lets a plain W or S entry be copied (no file there yet, or older).
bool VersionGate(const char* sourcePath, const char* targetPath);

// Puts a member unpacked under the temporary name in place of the existing
// file when it is newer; true when it did (Windows must then restart). A
// failure is told under caption.
bool ReplaceByNewer(const char* temporaryPath, const char* existingPath, const char* caption);

// Tells the user that a file could not be installed in the Windows (kind W)
// or System directory (any other kind). Installation goes on.
void ShowSystemFileFailure(char kind, const char* text, const char* caption);
