// The progress dialog's current-file line, read while SETUP.EXE installs
// an archive of files of many sizes over two disks: every name the line
// shows is one of the files, SPAN.BIN (whose data goes on to the second
// disk) shows its own name while the next disk is asked for, and the last
// file's name is on the line when the group question comes, before the
// final message.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <set>
#include <string>

#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

const char kCaption[] = "Installation File Line Test";
const char kProgressCaption[] = "Unpacking files...";
const char kGroupQuestion[] = "Do you want to create a group in Program Manager/Start menu?";
const int kFileLine = 130;
const DWORD kLimitMs = 120000;

std::string Fixture(const char* name) { return std::string(FIXTURE_DIR) + "/" + name; }

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The members of lines/disk0/LINES.ZIP (tools/make_install_fixtures.py).
std::set<std::string> MemberNames() {
    std::set<std::string> names = {"FIRST.TXT", "BIG\\TEXT.TXT", "BIG\\NOISE.BIN", "SPAN.BIN", "LAST.TXT"};
    char name[32];
    for (int n = 0; n < 120; ++n) {
        wsprintfA(name, "SMALL\\F%03d.TXT", n);
        names.insert(name);
    }
    for (int n = 0; n < 60; ++n) {
        wsprintfA(name, "MORE\\G%03d.TXT", n);
        names.insert(name);
    }
    return names;
}

// The line as the window manager keeps it: no message to the busy thread.
std::string LineText(HWND dialog) { return KeptWindowText(GetDlgItem(dialog, kFileLine)); }

class FileLine : public testing::Test {
protected:
    void SetUp() override {
        root_ = MakeTemporaryFolder("line");
        destination_ = root_ + "\\app";
        dist_.CopyIn(Fixture("lines/disk0/LINES.ZIP"), "LINES.ZIP");
        dist_.WriteFile("SETUP.inf", SimpleInf("File Line Test", destination_, "1=LINES.ZIP,Z\r\n",
                                               "[Group]\r\nGroupname=File Line Test\r\n1=FIRST.TXT\r\n"));
    }
    void TearDown() override {
        EndProcess(process_);
        RemoveTree(root_);
    }

    // The member a line names, or "" when it names none.
    std::string NamedMember(const std::string& line) const {
        const std::string start = "\r" + Lower(destination_) + "\\";
        if (Lower(line).compare(0, start.size(), start) != 0) return "";
        std::string member = line.substr(start.size());
        return members_.count(member) ? member : "";
    }

    // Reads the line until it names member; false after timeoutMs.
    bool LineComesTo(HWND dialog, const std::string& member, DWORD timeoutMs) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(5)) {
            std::string line = LineText(dialog);
            Note(line);
            if (NamedMember(line) == member) return true;
        }
        return false;
    }

    void Note(const std::string& line) {
        if (line != last_) seen_.insert(line);
        last_ = line;
    }

    Distribution dist_;
    DrivenProcess process_;
    std::string root_;
    std::string destination_;
    const std::set<std::string> members_ = MemberNames();
    std::set<std::string> seen_;
    std::string last_;
};

TEST_F(FileLine, NamesOnlyInstalledFilesAndEveryLongOneAndTheLast) {
    ASSERT_TRUE(dist_.StartSetup(process_));
    ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    HWND dialog = WaitForWindow(process_, kProgressCaption, "#32770");
    ASSERT_NE(dialog, nullptr);

    bool spanShown = false;
    std::string atQuestion = "<no question>";
    std::string final = "<no final message>";
    DWORD start = GetTickCount();
    for (unsigned step = 0; GetTickCount() - start < kLimitMs; ++step) {
        Note(LineText(dialog));
        if (step % 16 != 15) {
            Sleep(1);
            continue;
        }
        HWND box = ShownMessageBox(process_.id);
        if (!box) continue;
        std::string caption = WindowText(box);
        std::string text = MessageBoxText(box);
        if (caption == "Unzip") {
            // SPAN.BIN goes on as long as the prompt is up.
            spanShown = LineComesTo(dialog, "SPAN.BIN", 10000);
            dist_.CopyIn(Fixture("lines/disk1/LINES.ZIP"), "LINES.ZIP");
            ClickButtonByText(box, "OK");
        } else if (text == kGroupQuestion) {
            atQuestion = LineText(dialog);
            Note(atQuestion);
            ClickButtonByText(box, "&No");
        } else {
            final = text;
            ClickButtonByText(box, "OK");
            break;
        }
        for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(5);
    }
    EXPECT_EQ(final, "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(FilesBelow(destination_).size(), members_.size());

    EXPECT_TRUE(spanShown) << "SPAN.BIN never on the line during the disk prompt";
    EXPECT_EQ(NamedMember(atQuestion), "LAST.TXT") << atQuestion;
    for (const std::string& line : seen_) {
        EXPECT_TRUE(line.empty() || !NamedMember(line).empty()) << "the line showed: " << line;
    }
}

}  // namespace
