// Reading and writing profile (INI) files. The product uses the Windows
// profile functions; the host build reads with our own reader, which
// follows the same rules.
#pragma once

// Value of key in section, or the default; cut to size - 1 characters.
// Returns the number of characters stored.
int ReadProfileString(const char* section, const char* key, const char* defaultValue, char* buffer,
                      int size, const char* file);

// Integer value of key in section, or the default when the key is missing.
int ReadProfileInt(const char* section, const char* key, int defaultValue, const char* file);

// Writes key = value; a null value deletes the key. True on success.
bool WriteProfileEntry(const char* section, const char* key, const char* value, const char* file);
