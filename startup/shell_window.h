// The full-screen dark-blue shell window: its class, its procedure (which
// runs the preparation on creation and the installation on message 1025)
// and its painting. The handles every layer needs are in base/window_context.h.
#pragma once

#include "base/window_context.h"

const char kShellClassName[] = "qzinstallclass32";
const COLORREF kShellBackground = RGB(0, 0, 128);

LRESULT CALLBACK ShellWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
