// Our own reader of profile text, for platforms without the Windows
// profile functions: section and key names compared without regard to
// case, first match wins, blanks around keys and values dropped, one pair
// of surrounding quotes removed, the value cut to the buffer.
#pragma once

// Looks up key in section of the profile text; false when absent.
bool FindProfileValue(const char* text, const char* section, const char* key, char* buffer, int size);

// Reads the profile file like GetPrivateProfileStringA.
int ReadProfileFileString(const char* section, const char* key, const char* defaultValue, char* buffer,
                          int size, const char* file);

// Reads the profile file like GetPrivateProfileIntA.
int ReadProfileFileInt(const char* section, const char* key, int defaultValue, const char* file);
