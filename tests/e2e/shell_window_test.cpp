// The shell window and the start of SETUP.EXE, driven through its windows.
#include <gtest/gtest.h>

#include <string>

#include "testlib/distribution.h"
#include "testlib/window_driver.h"

namespace {

const char kMissingInfText[] =
    "The setup information file was not found!\rInstallation aborted!\r\r"
    "Die Setup-Informationsdatei wurde nicht gefunden!\rInstallation abgebrochen!";

const COLORREF kDarkBlue = RGB(0, 0, 128);

class ShellWindow : public testing::Test {
protected:
    void TearDown() override { EndProcess(process_); }

    HWND StartAndWaitForShell(const char* caption) {
        if (!dist_.StartSetup(process_)) return nullptr;
        HWND shell = WaitForWindow(process_, caption, "qzinstallclass32");
        // The first dialog of the preparation stands in front of the shell.
        HWND dialog = WaitForWindow(process_, caption, "#32770");
        if (dialog) GetWindowRect(dialog, &dialogRect_);
        if (shell) Sleep(300);  // let it paint
        return shell;
    }

    // The destination dialog stands in front of the shell; Cancel ends the program.
    void CancelDestination(const char* caption) {
        HWND dialog = WaitForWindow(process_, caption, "#32770");
        ASSERT_NE(dialog, nullptr);
        ClickButton(dialog, IDCANCEL);
        EXPECT_EQ(WaitForExit(process_), 0);
    }

    // Whether a client point of the shell is hidden by the dialog.
    bool Covered(HWND shell, int x, int y) const {
        POINT point = {x, y};
        ClientToScreen(shell, &point);
        return PtInRect(&dialogRect_, point) != FALSE;
    }

    Distribution dist_;
    DrivenProcess process_;
    RECT dialogRect_ = {};
};

TEST_F(ShellWindow, MissingSetupInformationFileEndsWithAMessage) {
    ASSERT_TRUE(dist_.StartSetup(process_));
    HWND box = WaitForWindow(process_, "Installation ", "#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kMissingInfText);
    HWND shell = WaitForWindow(process_, nullptr, "qzinstallclass32", 0);
    EXPECT_TRUE(shell == nullptr || !IsWindowVisible(shell)) << "the shell waits behind the message";
    ASSERT_TRUE(ClickButtonByText(box, "OK"));
    EXPECT_EQ(WaitForExit(process_), 0);
}

TEST_F(ShellWindow, MaximizedDarkBlueWithTitleAndFooter) {
    dist_.WriteFile("SETUP.inf",
                    "[Installation]\r\nProgram=Corvane Test\r\nCopyright=(c) Corvane footer\r\n");
    HWND shell = StartAndWaitForShell("Installation Corvane Test");
    ASSERT_NE(shell, nullptr);
    EXPECT_TRUE(IsZoomed(shell));
    RECT client;
    GetClientRect(shell, &client);
    // Below the title and above the footer nothing is drawn.
    EXPECT_EQ(ClientPixel(shell, client.right * 7 / 8, client.bottom * 7 / 8), kDarkBlue);
    EXPECT_EQ(ClientPixel(shell, client.right - 3, 3), kDarkBlue);
    bool whiteTitle = false;
    bool whiteFooter = false;
    for (int x = 10; x < 300 && !(whiteTitle && whiteFooter); ++x) {
        for (int y = 10; y < 110; y += 2) whiteTitle |= ClientPixel(shell, x, y) == RGB(255, 255, 255);
        for (int y = client.bottom - 45; y < client.bottom - 10; y += 2)
            whiteFooter |= ClientPixel(shell, x, y) == RGB(255, 255, 255);
    }
    EXPECT_TRUE(whiteTitle);
    EXPECT_TRUE(whiteFooter);
    CancelDestination(WindowText(shell).c_str());
}

TEST_F(ShellWindow, WithoutTextsOnlyTheBackgroundShows) {
    dist_.WriteFile("SETUP.inf", "[Other]\r\nx=1\r\n");
    HWND shell = StartAndWaitForShell("Installation ");
    ASSERT_NE(shell, nullptr);
    RECT client;
    GetClientRect(shell, &client);
    int other = 0;
    for (int y = 0; y < client.bottom; y += 16)
        for (int x = 0; x < client.right; x += 16)
            other += !Covered(shell, x, y) && ClientPixel(shell, x, y) != kDarkBlue;
    EXPECT_EQ(other, 0);
    CancelDestination(WindowText(shell).c_str());
}

TEST_F(ShellWindow, RegisteredClassAndFinalCaption) {
    dist_.WriteFile("SETUP.inf", "[Installation]\r\nProgram=Caption\r\n");
    HWND shell = StartAndWaitForShell("Installation Caption");
    ASSERT_NE(shell, nullptr);
    EXPECT_EQ(GetClassLongA(shell, GCL_STYLE) & 0xFF, static_cast<DWORD>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_EQ(GetClassLongPtrA(shell, GCLP_HBRBACKGROUND), 0u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(shell, GWL_STYLE)) & WS_OVERLAPPEDWINDOW,
              static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    CancelDestination(WindowText(shell).c_str());
}

#pragma pack(push, 1)
struct IconDirectoryEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(Resources, IconGroupHoldsA32And16PixelImageOf16Colours) {
    HMODULE module = LoadLibraryExA(SETUP_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC group = FindResourceA(module, "CORVANEAPP", MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    ASSERT_EQ(count, 2);
    const IconDirectoryEntry* entries = reinterpret_cast<const IconDirectoryEntry*>(data + 6);
    EXPECT_EQ(entries[0].width, 32);
    EXPECT_EQ(entries[1].width, 16);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(entries[i].colours, 16);
        EXPECT_EQ(entries[i].bitCount, 4);
    }
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */), nullptr);
    FreeLibrary(module);
}

}  // namespace
