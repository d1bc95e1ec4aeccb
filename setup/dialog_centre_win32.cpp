#include "setup/dialog_centre.h"

void CentreOverOwner(HWND dialog, HWND owner) {
    RECT box;
    RECT frame;
    if (!GetWindowRect(dialog, &box) || !GetWindowRect(owner, &frame)) return;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int left = frame.left + (frame.right - frame.left - width) / 2;
    const int top = frame.top + (frame.bottom - frame.top - height) / 2;
    MoveWindow(dialog, left, top, width, height, TRUE);
}
