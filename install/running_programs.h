// The running-program check: before anything is installed, no program
// listed in section "Not running" (class, display name, title) may run.
// For each one that has a top-level window the user is asked once; then
// every such window is asked to close, one at a time, and given 5 seconds
// to go, and after closing something the program gets 2 seconds to finish
// exiting. Messages are dispatched all the while.
#pragma once

// True when the installation may proceed; false when the user refused or
// a window did not close (that message has been shown already).
bool CheckRunningPrograms();
