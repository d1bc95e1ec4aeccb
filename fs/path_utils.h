// Small routines on NUL-terminated ANSI strings: taking paths apart and
// putting them together, splitting comma lists, the program's directory.
// All work in place on caller buffers (paths: 259 characters and the
// terminator) and allocate nothing. The scans step over double-byte
// characters while the DBCS start-up flag is set.
#pragma once

#include "base/path_size.h"

// First c in text; the terminator when c is NUL; null when absent.
char* ScanChar(const char* text, char c);

// Last c in text; null when absent.
char* ScanCharBack(const char* text, char c);

// The character after the last separator, or the whole path.
char* NamePart(const char* path, char separator);

// The last character of text, found by stepping back over characters (its
// lead byte when it takes two); the terminator of an empty text.
char* LastCharacter(const char* text);

// True when the last character is a backslash (not the second byte of a
// double-byte character).
bool EndsWithBackslash(const char* text);

// Appends a backslash unless the path is empty or already ends in one.
// The buffer must have room for one more character.
void AddBackslash(char* path);

// Drops one trailing backslash; roots are not spared (C:\ becomes C:).
void RemoveBackslash(char* path);

bool IsUncPath(const char* path);

// C:\ (three characters exactly), \\server\share and \\server\share\.
bool IsRootPath(const char* path);

// Splits text in place at separators, one token per call: pass the text to
// start, null to go on. Null when no token is left. Per thread; starting a
// new text abandons the previous one.
char* NextToken(char* text, char separator);

// The program's own directory with its trailing backslash.
void ProgramDirectory(char* buffer, int maxLength);

// directory followed by name into path (kMaxPath characters); false, with
// nothing written, when the two would not fit.
bool JoinPath(const char* directory, const char* name, char* path);

// Copies at most size - 1 characters and always terminates.
void CopyBounded(char* destination, const char* source, int size);
