// The setup information file: a profile file beside the program with the
// program's name and the extension "inf". Every read goes through the
// profile functions against its full path; the program never writes it.
#pragma once

const int kSetupValueSize = 260;  // default buffer of a value: 259 characters

// Derives the file's path from the program's path: everything after the
// last "." becomes "inf"; a path without "." is used unchanged.
void SetupInfoPathFor(const char* programPath, char* infPath);

// Locates the file beside the running program.
void LocateSetupInfo();
const char* SetupInfoPath();
void SetSetupInfoPath(const char* path);

// True when the file can be opened for reading.
bool SetupInfoExists();

int ReadSetupString(const char* section, const char* key, const char* defaultValue, char* buffer, int size);
int ReadSetupInt(const char* section, const char* key, int defaultValue);
