// Process entry of SETUP.EXE: keeps the loader out of the program's folder,
// records the start-up flags, builds the CRC table, registers the shell
// window's class, creates the window (whose creation runs the whole
// preparation) and runs the one message loop.
#include <windows.h>

#include "base/startup_flags.h"
#include "fs/library_search.h"
#include "resources/resource.h"
#include "startup/shell_window.h"
#include "unzip/crc32.h"

namespace {

const int kExitClassNotRegistered = 255;

bool RegisterShellClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = ShellWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, IDI_CORVANEAPP);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kShellClassName;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything makes the system load a library on our behalf.
    RestrictLibrarySearch();
    RecordStartupFlags();
    InitCrc32Table();
    if (!RegisterShellClass(instance)) {
        MessageBoxA(nullptr, "Cannot Create!", kShellInitialTitle, MB_ICONERROR | MB_OK);
        return kExitClassNotRegistered;
    }
    HWND window = CreateWindowExA(0, kShellClassName, kShellInitialTitle, WS_OVERLAPPEDWINDOW, 0, 0, 400, 200,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
