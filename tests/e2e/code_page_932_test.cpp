// SETUP.EXE on a Japanese system (code page 932), driven through its
// windows: destinations whose last character is a double-byte character
// with the backslash's code as its second byte, and an archive whose
// folders end in such characters. Everything must land inside the
// destination. Paths are Shift JIS byte strings through the ANSI
// functions, as the product itself sees them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

const char kCaption[] = "Installation Code Page Test";

// Characters whose second byte is 5C, the backslash's code; kinou is two,
// the first with the second byte 40.
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";
const std::string kJuu = "\x8F\x5C";
const std::string kYo = "\x97\x5C";
const std::string kKinou = "\x8B\x40\x94\x5C";

struct InstalledEntry {
    std::string path;     // below the destination
    const char* content;  // null for a folder
};

// What code_page_932.zip (tools/make_code_page_932_fixtures.py) and the
// plain file entry install.
const std::vector<InstalledEntry> kInstalled = {
    {"README.TXT", "read me first\r\n"},
    {kHyou, nullptr},
    {kHyou + "\\" + kJuu, nullptr},
    {kHyou + "\\" + kJuu + "\\DEEP.TXT", "two folders down"},
    {kKinou, nullptr},
    {kKinou + "\\HELP.TXT", "help"},
    {kSo, nullptr},
    {kSo + "\\" + kYo, "a file named yo"},
    {kSo + "16", nullptr},
    {kSo + "16\\X.TXT", "not a version folder"},
    {kJuu + ".TXT", "a plain copy"},
};

// Every file and folder below folder, relative to it.
void ListTree(const std::string& folder, const std::string& prefix, std::vector<std::string>& out) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        out.push_back(prefix + name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListTree(folder + "\\" + name, prefix + name + "\\", out);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

std::vector<std::string> Tree(const std::string& folder) {
    std::vector<std::string> paths;
    ListTree(folder, "", paths);
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Types text into an empty field as a Japanese keyboard would: single
// bytes as characters, a double-byte character as the input method hands
// it over, both bytes in one WM_IME_CHAR. The window procedure posts that
// on as two WM_CHARs, which a sent character would overtake, so each
// double-byte character is waited for before the next key.
void TypeShiftJis(HWND dialog, int id, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!IsDBCSLeadByte(c) || i + 1 == text.size()) {
            TypeText(dialog, id, text.substr(i, 1));
            continue;
        }
        const WPARAM both = (static_cast<WPARAM>(c) << 8) | static_cast<unsigned char>(text[++i]);
        SendMessageTimeoutA(GetDlgItem(dialog, id), WM_IME_CHAR, both, 1, SMTO_ABORTIFHUNG, 5000, nullptr);
        const std::string typedSoFar = text.substr(0, i + 1);
        for (int wait = 0; wait < 200 && ControlText(dialog, id) != typedSoFar; ++wait) Sleep(10);
    }
}

class CodePage932 : public testing::Test {
protected:
    void SetUp() override {
        // Without these the test would prove nothing: see cmake/code_page_932.cmake.
        ASSERT_EQ(GetACP(), 932u) << "Wine was not started under a Japanese LC_CTYPE";
        ASSERT_NE(GetSystemMetrics(SM_DBCSENABLED), 0) << "no double-byte character set";
        root_ = MakeTemporaryFolder("cp932");
        ASSERT_FALSE(root_.empty());
        dist_.CopyIn(std::string(FIXTURE_DIR) + "/code_page_932.zip", "code_page_932.zip");
        dist_.WriteFile(kJuu + ".TXT", "a plain copy");
    }
    void TearDown() override {
        EndProcess(process_);
        RemoveTree(root_);
    }

    // Starts SETUP.EXE proposing proposed as the destination; returns the
    // destination dialog.
    HWND Start(const std::string& proposed) {
        dist_.WriteFile("SETUP.inf", SimpleInf("Code Page Test", proposed,
                                               "1=code_page_932.zip,Z\r\n2=" + kJuu + ".TXT\r\n"));
        if (!dist_.StartSetup(process_)) return nullptr;
        return WaitForWindow(process_, kCaption, "#32770");
    }

    std::string Answer(const char* button = "OK") { return AnswerMessageBox(process_, kCaption, button); }

    // The destination folder, named folderName, is all there is in its
    // parent, and holds exactly what was installed.
    void ExpectInstalledIn(const std::string& folderName) {
        std::vector<std::string> expected = {folderName};
        for (const InstalledEntry& entry : kInstalled) expected.push_back(folderName + "\\" + entry.path);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Tree(root_), expected);
        for (const InstalledEntry& entry : kInstalled) {
            const std::string path = root_ + "\\" + folderName + "\\" + entry.path;
            if (entry.content) {
                EXPECT_EQ(ReadWholeFile(path), entry.content) << entry.path;
            } else {
                EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << entry.path;
            }
        }
    }

    Distribution dist_;
    DrivenProcess process_;
    std::string root_;
};

TEST_F(CodePage932, ExistingDestinationEndingInHyou) {
    const std::string destination = root_ + "\\app" + kHyou;
    ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
    HWND dialog = Start(destination);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_INPUT_EDIT), destination);
    ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    const std::string question = Answer("&Yes");
    EXPECT_EQ(question.rfind("The specified directory already exists.", 0), 0u) << question;
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    ExpectInstalledIn("app" + kHyou);
}

TEST_F(CodePage932, NewDestinationTypedEndingInSoAndABackslash) {
    HWND dialog = Start(root_ + "\\proposed");
    ASSERT_NE(dialog, nullptr);
    const std::string typed = root_ + "\\data" + kSo + "\\";
    // Keystrokes can be lost while Wine is busy elsewhere: type again.
    for (int attempt = 0; attempt < 3 && ControlText(dialog, IDC_INPUT_EDIT) != typed; ++attempt) {
        SetControlText(dialog, IDC_INPUT_EDIT, "");
        TypeShiftJis(dialog, IDC_INPUT_EDIT, typed);
    }
    ASSERT_EQ(ControlText(dialog, IDC_INPUT_EDIT), typed);
    ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    // A folder that does not exist yet: created without a question.
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    ExpectInstalledIn("data" + kSo);
}

}  // namespace
