// The steps around the file copies, through SETUP.EXE's windows: programs
// that must not run (closed on OK, Cancel, one that stays), the profile
// entries after success, and the program group made by Wine's own shell.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/shell_group.h"
#include "testlib/test_window_program.h"
#include "testlib/window_driver.h"

namespace {

const char kCaption[] = "Installation Corvane Test";
const char kSuccess[] = "Installation successful!";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class FinishingSteps : public testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        unique_ = std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
        destination_ = MakeTemporaryFolder("dest") + "\\app";
        dist_.WriteFile("prog.exe", "program");
        dist_.WriteFile("readme.txt", "readme");
    }
    void TearDown() override {
        EndProcess(process_);
        // Wine's shell shows every new group in a window of its own.
        if (!group_.empty()) {
            CloseGroupWindows(group_);
            RemoveGroupFolder(group_);
        }
        EndProcess(program_);
        RemoveTree(destination_.substr(0, destination_.rfind('\\')));
    }

    void Start(const std::string& more) {
        dist_.WriteFile("SETUP.inf", SimpleInf("Corvane Test", destination_, "1=prog.exe\r\n2=readme.txt\r\n", more));
        ASSERT_TRUE(dist_.StartSetup(process_));
        ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    }

    std::string Installed(const std::string& name) const { return destination_ + "\\" + name; }

    Distribution dist_;
    DrivenProcess process_;
    DrivenProcess program_;
    std::string unique_;
    std::string destination_;
    std::string group_;  // a group made by Wine's shell
};

TEST_F(FinishingSteps, RunningProgramClosedOnOkAndTheInstallationGoesOn) {
    const std::string windowClass = "CorvaneE2E" + unique_;
    ASSERT_TRUE(StartTestWindows(windowClass, "Corvane", "close", 2, program_));
    Start("[Not running]\r\n1=" + windowClass + ",Corvane Editor\r\n");
    EXPECT_EQ(AnswerMessageBox(process_, "install", "OK"),
              "The program Corvane Editor is already running, but it should not run during installation! "
              "Choose OK to close the program or Cancel to interrupt installation.");
    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"), kSuccess);
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(WaitForExit(program_, 5000), 0) << "both windows closed";
    EXPECT_EQ(ReadWholeFile(Installed("prog.exe")), "program");
}

TEST_F(FinishingSteps, CancelEndsTheRunWithoutAnotherMessage) {
    const std::string windowClass = "CorvaneE2E" + unique_;
    ASSERT_TRUE(StartTestWindows(windowClass, "Corvane", "close", 1, program_));
    Start("[Not running]\r\n1=" + windowClass + "\r\n");
    std::string question = AnswerMessageBox(process_, "install", "Cancel");
    EXPECT_NE(question.find("The program " + windowClass + " is already running"), std::string::npos) << question;
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(CountTestWindows(program_, windowClass, "Corvane"), 1);
    EXPECT_FALSE(Exists(Installed("prog.exe")));
}

TEST_F(FinishingSteps, ProgramThatStaysEndsTheRunWithTheMessage) {
    const std::string windowClass = "CorvaneE2E" + unique_;
    ASSERT_TRUE(StartTestWindows(windowClass, "Corvane", "ignore", 1, program_));
    Start("[Not running]\r\n1=" + windowClass + ",Corvane Editor\r\n");
    AnswerMessageBox(process_, "install", "OK");
    DWORD asked = GetTickCount();
    EXPECT_EQ(AnswerMessageBox(process_, "install", "OK"),
              "Corvane Editor could not be closed correctly. Please close the program by hand and restart "
              "Install afterwards!");
    EXPECT_GT(GetTickCount() - asked, 4900u);
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_FALSE(Exists(Installed("prog.exe")));
}

TEST_F(FinishingSteps, ProfileEntriesAfterSuccess) {
    const std::string ini = destination_ + "\\corvane.ini";
    Start("[ini]\r\n1=" + ini + ",Options,Language,English\r\n2=" + ini + ",Options,Empty,\r\n3=" + ini +
          ",Options,Old\r\n4=" + ini + ",Options\r\n5=" + ini + ",Window,Position,0,0,640,480\r\n");
    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"), kSuccess);
    EXPECT_EQ(WaitForExit(process_), 0);
    std::string content = ReadWholeFile(ini);
    EXPECT_NE(content.find("Language=English"), std::string::npos) << content;
    EXPECT_NE(content.find("Empty=\r\n"), std::string::npos) << content;
    EXPECT_EQ(content.find("Old"), std::string::npos) << content;
    // The value is the fourth token: what follows the next comma is not written.
    EXPECT_NE(content.find("Position=0\r\n"), std::string::npos) << content;
}

TEST_F(FinishingSteps, GroupCreatedByTheShellWithTheExistingItems) {
    group_ = "Corvane E2E " + unique_;
    Start("[Group]\r\nGroupname=" + group_ + "\r\n1=prog.exe\r\n2=missing.exe\r\n3=readme.txt\r\n");
    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "&Yes"),
              "Do you want to create a group in Program Manager/Start menu?");
    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"), kSuccess);
    EXPECT_EQ(WaitForExit(process_), 0);
    const std::string folder = ProgramsFolder() + "\\" + group_;
    EXPECT_TRUE(Exists(folder + "\\prog.lnk")) << folder;
    EXPECT_TRUE(Exists(folder + "\\readme.lnk")) << folder;
    EXPECT_FALSE(Exists(folder + "\\missing.lnk"));
}

TEST_F(FinishingSteps, GroupRefusedOrNamedNone) {
    const struct {
        const char* group;
        bool asked;
    } cases[] = {
        {"[Group]\r\nGroupname=none\r\n1=prog.exe\r\n", false},
        {"[Group]\r\n1=prog.exe\r\n", false},  // no name: "none"
        {"[Group]\r\nGroupname=None\r\n1=prog.exe\r\n", true},
    };
    for (const auto& c : cases) {
        // A fresh destination each time, so that no destination question comes.
        RemoveTree(destination_.substr(0, destination_.rfind('\\')));
        destination_ = MakeTemporaryFolder("dest") + "\\app";
        Start(c.group);
        std::string first = AnswerMessageBox(process_, kCaption, c.asked ? "&No" : "OK");
        if (c.asked) {
            EXPECT_EQ(first, "Do you want to create a group in Program Manager/Start menu?") << c.group;
            first = AnswerMessageBox(process_, kCaption, "OK");
        }
        EXPECT_EQ(first, kSuccess) << c.group;
        EXPECT_EQ(WaitForExit(process_), 0);
        EXPECT_FALSE(Exists(ProgramsFolder() + "\\None")) << c.group;
    }
}

}  // namespace
