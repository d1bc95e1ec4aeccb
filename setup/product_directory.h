// The product directory of folder browsing: the last path component of the
// proposed destination (key Dir), which browsing appends to the folder the
// user picks unless that folder already is (or begins with) it.
#pragma once

// Text after the last backslash of dir, or all of it.
const char* ProductDirectoryName(const char* dir);

// Appends "\name" to a browsed path (260-character buffer) unless the path
// has no backslash or its last component begins with name (a to z compared
// without case). False, path unchanged, when the result would not fit.
bool AppendProductDirectory(char* path, const char* name);

// The browse prompt of the chosen language with the name in it, cut to fit
// the 260-character buffer.
void FormatBrowsePrompt(char* prompt, const char* name);
