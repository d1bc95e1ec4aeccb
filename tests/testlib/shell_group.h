// Groups that Wine's shell creates for PROGMAN DDE: the Start-menu folder
// that holds their links, and the folder window the shell opens for each
// new group. Tests close that window: a program left open keeps the Wine
// session, and with it the test's output, alive.
#pragma once

#include <string>

// The current user's Start Menu\Programs folder.
std::string ProgramsFolder();

// Waits up to waitMs for top-level windows whose title holds the group's
// name, asks them to close and waits until they are gone. Returns how many
// there were.
int CloseGroupWindows(const std::string& group, int waitMs = 5000);

// Deletes the group's links and its folder.
void RemoveGroupFolder(const std::string& group);
