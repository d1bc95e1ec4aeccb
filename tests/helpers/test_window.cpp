// A stand-in for a program that must not run during installation: opens
// COUNT top-level windows of class CLASS with caption TITLE and answers
// the close request (WM_SYSCOMMAND / SC_CLOSE) as told by BEHAVIOUR:
//   close   closes at once
//   ignore  never closes
//   slow    closes 1.5 seconds after the request
// It ends when its last window is gone.
// Usage: test_window.exe CLASS TITLE BEHAVIOUR [COUNT]
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

enum Behaviour { kClose, kIgnore, kSlow };

Behaviour g_behaviour = kClose;
int g_open = 0;
const UINT_PTR kSlowTimer = 1;
const UINT kSlowMs = 1500;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && g_behaviour != kClose) {
            if (g_behaviour == kSlow) SetTimer(window, kSlowTimer, kSlowMs, nullptr);
            return 0;
        }
        break;
    case WM_TIMER:
        KillTimer(window, kSlowTimer);
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (--g_open == 0) PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 4) return 2;
    const char* className = __argv[1];
    const char* title = __argv[2];
    if (strcmp(__argv[3], "ignore") == 0) g_behaviour = kIgnore;
    if (strcmp(__argv[3], "slow") == 0) g_behaviour = kSlow;
    int count = __argc > 4 ? atoi(__argv[4]) : 1;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass)) return 3;
    for (int i = 0; i < count; ++i) {
        if (CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40 + 30 * i, 40 + 30 * i, 300,
                            200, nullptr, nullptr, instance, nullptr)) {
            ++g_open;
        }
    }
    if (g_open == 0) return 4;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
