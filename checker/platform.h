// What the checker needs from the system beyond the installer's file
// layer: the current folder (the "drive" whose disk is changed), full
// paths, a scratch folder for decoded members, folder listings, and the
// terminal. One implementation for POSIX and one for Win32 in platform.cpp.
#pragma once

#include <string>
#include <vector>

bool ChangeFolder(const std::string& folder);
// The folder's full path; empty when it does not exist.
std::string FullFolderPath(const std::string& folder);
// Joins a folder and a name with the system's separator.
std::string JoinNative(const std::string& folder, const std::string& name);
std::vector<std::string> FolderNames(const std::string& folder);

// A new empty folder under the temporary directory; empty on failure.
std::string MakeScratchFolder();
void RemoveScratchFolder(const std::string& folder);

bool StderrIsTerminal();
unsigned long MillisecondsNow();
// Output bytes as written: no CR added before LF on Windows.
void UseBinaryStdout();
