// The short (8.3) form of a path, component by component, as the file
// system keeps it: components that exist are spelled as stored (their
// short name when they have one), components that do not are made
// acceptable by SanitizeName; only the drive part is upper-cased.
#pragma once

// Writes the short form of path (at most 259 characters) into output
// (kMaxPath characters) and returns output. Never fails; the file error
// code is left by the last search or cleared after a missing component.
char* ShortPathForm(const char* path, char* output);

// Makes a name the file system did not supply usable as one component,
// in place: blanks go, every dot but the rightmost becomes an underscore,
// and so does a dot in the first place. Nothing else changes.
void SanitizeName(char* name);
