// Centres a dialog over its owner's window rectangle, size unchanged. The
// owner is the maximized shell window, so dialogs open mid-screen.
#pragma once

#include <windows.h>

void CentreOverOwner(HWND dialog, HWND owner);
