// Folder browsing for the destination dialog: the shell's folder picker
// rooted at My Computer, with the product directory appended to the pick.
#pragma once

#include <windows.h>

// Puts the resulting path into the edit control; leaves it unchanged when
// anything fails or the user cancels.
void BrowseForDestination(HWND dialog, HWND edit);
