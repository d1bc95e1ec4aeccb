#include "progress/bar_painter.h"

#include <windows.h>

#include "fs/format_text.h"

void PaintProgressBar(BarWindow bar, int value) {
    HWND window = static_cast<HWND>(bar);
    if (!window) return;
    value = ClampBarValue(value);
    HDC dc = GetDC(window);
    RECT inner;
    GetClientRect(window, &inner);
    InflateRect(&inner, -1, -1);  // inside the black frame
    const int fill = BarFillWidth(inner.right - inner.left, value);
    RECT empty = {inner.left + fill, inner.top, inner.right, inner.bottom};
    RECT filled = {inner.left, inner.top, inner.left + fill, inner.bottom};
    FillRect(dc, &empty, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    FillRect(dc, &filled, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
    char text[16];
    FormatBounded(text, sizeof text, "%i %%", value);
    SetBkMode(dc, TRANSPARENT);
    RECT textRect = inner;
    textRect.bottom -= 1;
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &textRect, format);
    // Over the fill the same text again, in the highlight text colour; an
    // empty bar has no fill to draw it over. (Under a full bar the first
    // text stays: antialiased edges keep some of it.)
    if (fill > 0) {
        IntersectClipRect(dc, textRect.left, textRect.top, textRect.left + fill, textRect.bottom);
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        DrawTextA(dc, text, -1, &textRect, format);
    }
    ReleaseDC(window, dc);
}
