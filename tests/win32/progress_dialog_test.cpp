// The progress dialog in this process: placement, system menu, the bars
// as drawn on the screen at 0, 50 and 100 %, repainting from stored values,
// the progress query and the ways to cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/window_context.h"
#include "progress/bar_painter.h"
#include "progress/progress_bars.h"
#include "progress/progress_dialog.h"
#include "resources/resource.h"
#include "testlib/window_driver.h"

namespace {

const char kParentClass[] = "progresstestparent";

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void Settle() {
    for (int round = 0; round < 5; ++round) {
        PumpPendingMessages();
        Sleep(20);
    }
}

struct BarPixels {
    int highlight = 0;      // fill colour
    int window = 0;         // unfilled colour
    int highlightText = 0;  // text over the fill
    int windowText = 0;     // text over the rest
};

class ProgressDialog : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        windowClass.lpszClassName = kParentClass;
        RegisterClassA(&windowClass);
        parent_ = CreateWindowExA(0, kParentClass, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 700, 500,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        dialog_ = OpenProgressDialog(GetModuleHandleA(nullptr), parent_);
        ASSERT_NE(dialog_, nullptr);
        itemBar_ = GetDlgItem(dialog_, IDC_PROGRESS_ITEM_BAR);
        overallBar_ = GetDlgItem(dialog_, IDC_PROGRESS_OVERALL_BAR);
        Settle();
    }
    void TearDown() override {
        CloseProgressDialog();
        DestroyWindow(parent_);
        UnregisterClassA(kParentClass, GetModuleHandleA(nullptr));
    }

    // Classifies the inner pixels of a bar, left and right of column split.
    BarPixels Count(HWND bar, int fromX, int toX) {
        RECT client;
        GetClientRect(bar, &client);
        BarPixels pixels;
        for (int y = 1; y < client.bottom - 1; ++y) {
            for (int x = fromX; x < toX; ++x) {
                COLORREF colour = ClientPixel(bar, x, y);
                if (colour == GetSysColor(COLOR_HIGHLIGHT)) ++pixels.highlight;
                if (colour == GetSysColor(COLOR_WINDOW)) ++pixels.window;
                if (colour == GetSysColor(COLOR_HIGHLIGHTTEXT)) ++pixels.highlightText;
                if (colour == GetSysColor(COLOR_WINDOWTEXT)) ++pixels.windowText;
            }
        }
        return pixels;
    }
    int InnerWidth(HWND bar) {
        RECT client;
        GetClientRect(bar, &client);
        return client.right - 2;
    }

    HWND parent_ = nullptr;
    HWND dialog_ = nullptr;
    HWND itemBar_ = nullptr;
    HWND overallBar_ = nullptr;
};

TEST_F(ProgressDialog, OpensCentredOverTheParentsAreaAndVisible) {
    EXPECT_EQ(ProgressDialogHandle(), dialog_);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(WindowText(dialog_), "Unpacking files...");
    EXPECT_EQ(ControlText(dialog_, IDC_PROGRESS_LABEL), "Unzip:");
    EXPECT_EQ(ControlText(dialog_, IDCANCEL), "&Cancel");
    RECT box;
    GetWindowRect(dialog_, &box);
    // The parent's own offset (100, 50) is not added.
    EXPECT_EQ(box.left, (700 - (box.right - box.left)) / 2);
    EXPECT_EQ(box.top, (500 - (box.bottom - box.top)) / 2);
    HMENU menu = GetSystemMenu(dialog_, FALSE);
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(ProgressDialog, BarAtZeroIsWindowColouredWithDarkText) {
    SetItemPercent(0);
    Settle();  // the drawing reaches the screen from the message loop
    const int width = InnerWidth(itemBar_);
    BarPixels all = Count(itemBar_, 1, width + 1);
    EXPECT_EQ(all.highlight, 0);
    EXPECT_GT(all.window, 0);
    EXPECT_GT(all.windowText, 0);  // "0 %"
    EXPECT_EQ(ClientPixel(itemBar_, 1, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ClientPixel(itemBar_, width, 1), GetSysColor(COLOR_WINDOW));
}

TEST_F(ProgressDialog, BarAtHundredIsHighlightedThroughout) {
    SetItemPercent(100);
    Settle();  // the drawing reaches the screen from the message loop
    const int width = InnerWidth(itemBar_);
    BarPixels all = Count(itemBar_, 1, width + 1);
    EXPECT_EQ(all.windowText, 0);
    EXPECT_GT(all.highlight, 0);
    EXPECT_GT(all.highlightText, 0);  // "100 %"
    EXPECT_EQ(ClientPixel(itemBar_, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ClientPixel(itemBar_, width, 1), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ProgressDialog, BarAtFiftySplitsFillAndTextAtTheBoundary) {
    SetItemPercent(50);
    Settle();  // the drawing reaches the screen from the message loop
    const int width = InnerWidth(itemBar_);
    const int boundary = 1 + BarFillWidth(width, 50);
    EXPECT_EQ(ClientPixel(itemBar_, boundary - 1, 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ClientPixel(itemBar_, boundary, 1), GetSysColor(COLOR_WINDOW));
    BarPixels left = Count(itemBar_, 1, boundary);
    BarPixels right = Count(itemBar_, boundary, width + 1);
    EXPECT_EQ(left.window - left.highlightText, 0);  // nothing unfilled on the left
    EXPECT_EQ(left.windowText, 0);
    EXPECT_GT(left.highlightText, 0);
    EXPECT_EQ(right.highlight, 0);
    EXPECT_GT(right.windowText, 0);
}

// The screen pixels of a bar's client area, taken in one copy.
std::vector<COLORREF> Snapshot(HWND bar) {
    RECT client;
    GetClientRect(bar, &client);
    POINT origin = {0, 0};
    ClientToScreen(bar, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(memory, x, y));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The bar as it was always drawn: the text in both colours whatever the fill.
void PaintWithBothTexts(HWND bar, int value) {
    HDC dc = GetDC(bar);
    RECT inner;
    GetClientRect(bar, &inner);
    InflateRect(&inner, -1, -1);
    const int fill = BarFillWidth(inner.right - inner.left, value);
    RECT empty = {inner.left + fill, inner.top, inner.right, inner.bottom};
    RECT filled = {inner.left, inner.top, inner.left + fill, inner.bottom};
    FillRect(dc, &empty, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    FillRect(dc, &filled, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
    char text[16];
    wsprintfA(text, "%i %%", value);
    SetBkMode(dc, TRANSPARENT);
    RECT textRect = inner;
    textRect.bottom -= 1;
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &textRect, format);
    IntersectClipRect(dc, textRect.left, textRect.top, textRect.left + fill, textRect.bottom);
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    DrawTextA(dc, text, -1, &textRect, format);
    ReleaseDC(bar, dc);
}

// An empty bar leaves out the highlight text, which no pixel would keep:
// at 0, 50 and 100 % not one pixel differs from drawing both texts.
TEST_F(ProgressDialog, BarsLookAsWithBothTextDrawings) {
    for (int value : {0, 100, 50}) {
        PaintWithBothTexts(itemBar_, value);
        Settle();
        const std::vector<COLORREF> both = Snapshot(itemBar_);
        PaintProgressBar(itemBar_, value);
        Settle();
        EXPECT_TRUE(Snapshot(itemBar_) == both) << value << " %";
    }
}

TEST_F(ProgressDialog, PaintRedrawsEachBarFromItsOwnValue) {
    SetItemPercent(0);
    SetOverallPercent(100);
    RECT cover = {0, 0, 2000, 2000};
    HDC screen = GetDC(dialog_);
    FillRect(screen, &cover, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));  // wipe the bars
    ReleaseDC(dialog_, screen);
    InvalidateRect(dialog_, nullptr, TRUE);
    UpdateWindow(dialog_);
    Settle();
    EXPECT_EQ(ClientPixel(itemBar_, 1, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ClientPixel(overallBar_, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ClientPixel(overallBar_, InnerWidth(overallBar_), 1), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ProgressDialog, QueryMovesTheBarsAndAnswersTheCancelState) {
    SetProgressTotal(1000);
    BeginProgressItem(0, 500);
    uint16_t word = 40;
    SendMessageA(dialog_, WM_COMMAND, kProgressQueryCommand, reinterpret_cast<LPARAM>(&word));
    EXPECT_EQ(word, 0);
    EXPECT_EQ(Progress().itemValue, 40);
    EXPECT_EQ(Progress().overallValue, 20);
    SendMessageA(dialog_, WM_COMMAND, kProgressQueryCommand, 0);  // null address: ignored
    SendMessageA(GetDlgItem(dialog_, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(ProgressAborted());
    word = 60;
    SendMessageA(dialog_, WM_COMMAND, kProgressQueryCommand, reinterpret_cast<LPARAM>(&word));
    EXPECT_EQ(word, 0xFFFF);
    EXPECT_EQ(Progress().itemValue, 60);
    SendMessageA(GetDlgItem(dialog_, IDCANCEL), BM_CLICK, 0, 0);  // a second press changes nothing
    EXPECT_TRUE(ProgressAborted());
    EXPECT_TRUE(IsWindow(dialog_));  // the dialog stays until the run closes it
}

TEST_F(ProgressDialog, EscapeCancelsAndANewDialogStartsClear) {
    SendMessageA(dialog_, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(ProgressAborted());
    CloseProgressDialog();
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_EQ(ProgressDialogHandle(), nullptr);
    dialog_ = OpenProgressDialog(GetModuleHandleA(nullptr), parent_);
    EXPECT_FALSE(ProgressAborted());
    EXPECT_EQ(Progress().itemValue, 0);
}

TEST_F(ProgressDialog, EnterCancelsOnlyWhileTheParentIsNotMinimized) {
    ShowWindow(parent_, SW_MINIMIZE);
    Settle();
    ASSERT_TRUE(IsIconic(parent_));
    SendMessageA(dialog_, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(ProgressAborted());
    ShowWindow(parent_, SW_RESTORE);
    Settle();
    SendMessageA(dialog_, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(ProgressAborted());
}

// The file line is drawn as the dialog's other texts: dark text on the
// dialog's own background, whatever the dialog answers for its colours.
TEST_F(ProgressDialog, FileLineIsDarkTextOnTheDialogsBackground) {
    ShowProgressFile("C:\\CORVANE\\README.TXT");
    Settle();
    HWND line = GetDlgItem(dialog_, IDC_PROGRESS_FILE);
    ASSERT_EQ(WindowText(line), "\rC:\\CORVANE\\README.TXT");
    const COLORREF background = ClientPixel(dialog_, 2, 2);
    EXPECT_EQ(background, GetSysColor(COLOR_BTNFACE));
    const std::vector<COLORREF> pixels = Snapshot(line);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(pixels.back(), background);
    // Most of the line is background; the name's strokes are dark.
    EXPECT_GT(std::count(pixels.begin(), pixels.end(), background), static_cast<std::ptrdiff_t>(pixels.size() / 2));
    EXPECT_GT(std::count(pixels.begin(), pixels.end(), GetSysColor(COLOR_WINDOWTEXT)), 20);
}

TEST_F(ProgressDialog, CancelClickReachesTheDialogThroughThePump) {
    ClickButton(dialog_, IDCANCEL);  // posted, as a real click would arrive
    Settle();
    EXPECT_TRUE(ProgressAborted());
}

}  // namespace

namespace {

// The product's own floating point (x87 under MinGW) rounds as the host's.
TEST(BarGeometryInProduct, FillWidth) {
    const struct {
        int width, value, fill;
    } cases[] = {{322, 0, 0}, {322, 100, 322}, {322, 50, 161}, {10, 25, 3}, {3, 50, 2}, {1, 49, 0}, {1, 51, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(BarFillWidth(c.width, c.value), c.fill) << c.width << " at " << c.value;
    }
}

}  // namespace
