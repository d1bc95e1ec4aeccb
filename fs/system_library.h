// Libraries that SETUP.EXE does not import: loaded by their full path in
// the System directory, so that a copy planted beside SETUP.EXE is never
// taken, and their functions looked up by name, so that a Windows that
// lacks one still starts the program. Product only.
#pragma once

// The library's module, or null when it cannot be loaded.
void* LoadSystemLibrary(const char* fileName);

// The function's address, or null when the library or the function is missing.
void* LibraryFunction(void* library, const char* name);
