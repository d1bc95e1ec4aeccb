// Makes a directory the process's current directory, the cheapest way to
// ask whether a path names a directory at all. Product: SetCurrentDirectoryA;
// host build: chdir.
#pragma once

// True when the path is a directory, which is then the current directory.
bool EnterDirectory(const char* path);
