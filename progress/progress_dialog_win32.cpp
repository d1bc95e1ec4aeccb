#include "progress/progress_dialog.h"

#include <cstdint>

#include "base/window_context.h"
#include "fs/path_utils.h"
#include "progress/file_line.h"
#include "progress/progress_bars.h"
#include "resources/resource.h"

namespace {

// The current-file line of the open dialog: found once, set for every file.
HWND g_fileLine = nullptr;

void WriteFileLine() {
    const char* line = TakeFileLine(GetTickCount());
    if (g_fileLine) SetWindowTextA(g_fileLine, line);
}

// Centred on the area the parent covers; the parent's own offset is not
// added, since the parent is the maximized shell window.
void PlaceOverParent(HWND dialog, HWND parent) {
    RECT area;
    RECT box;
    if (!GetWindowRect(parent, &area) || !GetWindowRect(dialog, &box)) return;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int x = (area.right - area.left - width) / 2;
    const int y = (area.bottom - area.top - height) / 2;
    MoveWindow(dialog, x, y, width, height, TRUE);
}

// WM_INITDIALOG: a fresh cancel state; the dialog can be neither maximized
// nor sized.
BOOL OnInitProgressDialog(HWND dialog) {
    ClearProgressAbort();
    HMENU menu = GetSystemMenu(dialog, FALSE);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    return TRUE;
}

// WM_PAINT: the dialog's own painting and the frames first, then the bars
// from their stored values; drawn before, the background would wipe them.
BOOL OnPaintProgressDialog(HWND dialog) {
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    EndPaint(dialog, &paint);
    UpdateWindow(GetDlgItem(dialog, IDC_PROGRESS_ITEM_BAR));
    UpdateWindow(GetDlgItem(dialog, IDC_PROGRESS_OVERALL_BAR));
    RedrawProgressBars();
    return TRUE;
}

// Enter cancels too, but not while the shell window is minimized.
BOOL OnProgressKey(HWND dialog, WPARAM key) {
    if (key == VK_ESCAPE) return RequestProgressAbort();
    if (key == VK_RETURN && !IsIconic(GetParent(dialog))) return RequestProgressAbort();
    return FALSE;
}

BOOL OnProgressCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == kProgressQueryCommand) {
        AnswerProgressQuery(reinterpret_cast<uint16_t*>(lParam));
        return TRUE;
    }
    if (wParam == IDCANCEL) return RequestProgressAbort();
    return FALSE;
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitProgressDialog(dialog);
    case WM_PAINT: return OnPaintProgressDialog(dialog);
    case WM_COMMAND: return OnProgressCommand(wParam, lParam);
    case WM_KEYDOWN: return OnProgressKey(dialog, wParam);
    // The window's default colours, as the dialog's default handling would
    // give them here, but without its question whether the dialog has a
    // themed texture: under Wine a server request at every repaint of the
    // file line.
    case WM_CTLCOLORSTATIC: return static_cast<INT_PTR>(DefWindowProcA(dialog, message, wParam, lParam));
    default: return FALSE;
    }
}

}  // namespace

HWND OpenProgressDialog(HINSTANCE instance, HWND parent) {
    ResetProgress(nullptr, nullptr);
    HWND dialog = CreateDialogParamA(instance, IDD_DLG2FILEACTIONMIN, parent, ProgressDialogProc, 0);
    if (!dialog) return nullptr;
    ResetProgress(GetDlgItem(dialog, IDC_PROGRESS_ITEM_BAR), GetDlgItem(dialog, IDC_PROGRESS_OVERALL_BAR));
    g_fileLine = GetDlgItem(dialog, IDC_PROGRESS_FILE);
    SetProgressDialogHandle(dialog);
    PlaceOverParent(dialog, parent);
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}

void CloseProgressDialog() {
    HWND dialog = ProgressDialogHandle();
    SetProgressDialogHandle(nullptr);
    DetachProgressBars();
    g_fileLine = nullptr;
    ResetFileLine();
    if (dialog) DestroyWindow(dialog);
}

void ShowProgressFile(const char* path) {
    if (OfferFileLine(path, GetTickCount())) WriteFileLine();
}

void ShowDueProgressFile() {
    if (FileLineWaiting(GetTickCount(), false)) WriteFileLine();
}

void ShowWaitingProgressFile() {
    if (!FileLineWaiting(0, true)) return;
    WriteFileLine();
    if (g_fileLine) UpdateWindow(g_fileLine);
}
