#include "startup/shell_window.h"

#include <dde.h>

#include "fs/path_utils.h"
#include "install/run_installation.h"
#include "progman/progman.h"
#include "setup/preparation.h"
#include "setup/prepared_state.h"
#include "startup/title_fonts.h"

namespace {

HFONT CreateTitleFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}

void DrawShadowedText(HDC dc, const char* text, RECT shadow, RECT face, UINT format) {
    char local[kMaxPath];
    CopyBounded(local, text, kMaxPath);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, local, -1, &shadow, format);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, local, -1, &face, format);
}

// Title top left, footer bottom left, both white over a black shadow.
void PaintShell(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    const int w = client.right;
    const int h = client.bottom;
    TitleFontHeights heights = ChooseFontHeights(GetSystemMetrics(SM_CXSCREEN));
    HFONT titleFont = CreateTitleFont(heights.title);
    HFONT footerFont = CreateTitleFont(heights.footer);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previous = SelectObject(dc, titleFont);
    const PreparedState& state = Prepared();
    DrawShadowedText(dc, state.productTitle, {15, 15, w - 5, h - 5}, {10, 10, w - 10, h - 10}, DT_WORDBREAK);
    SelectObject(dc, footerFont);
    DrawShadowedText(dc, state.footerText, {13, 10, w - 10, h - 10}, {10, 10, w - 10, h - 13},
                     DT_SINGLELINE | DT_BOTTOM);
    SelectObject(dc, previous);
    DeleteObject(titleFont);
    DeleteObject(footerFont);
}

// WM_CREATE: remember the window, then ask the user everything.
void OnCreate(HWND window) {
    SetShellWindow(window);
    RunPreparation();
}

// WM_DESTROY: end the DDE conversation if open, then the message loop.
void OnDestroy() {
    EndProgmanConversation();
    PostQuitMessage(0);
}

// WM_PAINT: title and footer.
void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintShell(window, dc);
    EndPaint(window, &paint);
}

// WM_ERASEBKGND: dark blue, since the class has no background brush.
void OnEraseBackground(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(kShellBackground);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

// Message 1025: the whole installation, to its end.
void OnStartInstallation() { RunInstallation(); }

}  // namespace

LRESULT CALLBACK ShellWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: OnEraseBackground(window, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_DDE_TERMINATE: OnProgmanTerminate(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_DDE_ACK: OnProgmanAcknowledge(reinterpret_cast<HWND>(wParam), lParam); return 0;
    case kStartInstallationMessage: OnStartInstallation(); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
