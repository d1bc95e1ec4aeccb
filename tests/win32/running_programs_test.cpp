// The running-program check against real windows of another process (the
// test window program): the question with its texts, closing one or more
// windows after one answer, Cancel, a window that will not close, and
// entries that match nothing. The message boxes are answered from a second
// thread while the check runs on this one.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "install/running_programs.h"
#include "setup/language.h"
#include "setup/setup_info.h"
#include "testlib/box_watcher.h"
#include "testlib/test_window_program.h"
#include "tests/fs/scratch_folder.h"

namespace {

const char kEnglishQuestion[] =
    "The program %s is already running, but it should not run during installation! "
    "Choose OK to close the program or Cancel to interrupt installation.";
const char kEnglishNotClosed[] =
    "%s could not be closed correctly. Please close the program by hand and restart Install afterwards!";

std::string With(const char* format, const std::string& name) {
    std::string text = format;
    text.replace(text.find("%s"), 2, name);
    return text;
}

class RunningPrograms : public testing::Test {
protected:
    void SetUp() override {
        ResetLanguage();
        static int serial = 0;
        className_ = "CorvaneRunTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
    }
    void TearDown() override {
        for (DrivenProcess& process : programs_) EndProcess(process);
        ResetLanguage();
    }

    void NotRunning(const std::string& lines) {
        folder_.Put("setup.inf", "[Not running]\n" + lines);
        SetSetupInfoPath(folder_.Path("setup.inf").c_str());
    }

    DrivenProcess& Start(const std::string& title, const char* behaviour, int count = 1) {
        programs_.emplace_back();
        EXPECT_TRUE(StartTestWindows(className_, title, behaviour, count, programs_.back()));
        return programs_.back();
    }

    // Runs the check with the boxes answered in order; returns its answer.
    bool Check(const std::vector<std::string>& answers) {
        BoxWatcher watcher(answers);
        started_ = GetTickCount();
        bool result = CheckRunningPrograms();
        elapsed_ = GetTickCount() - started_;
        boxes_ = watcher.Stop();
        return result;
    }

    ScratchFolder folder_;
    std::string className_;
    std::vector<DrivenProcess> programs_;
    std::vector<SeenBox> boxes_;
    DWORD started_ = 0;
    DWORD elapsed_ = 0;
};

TEST_F(RunningPrograms, NothingListedOrNothingRunningPassesAtOnce) {
    const char* sections[] = {
        "",
        "1=NoSuchClassAnywhere\n",
        "1=NoSuchClassAnywhere,Nobody,No title\n2=AlsoNoSuchClass\n",
    };
    for (const char* lines : sections) {
        NotRunning(lines);
        EXPECT_TRUE(Check({})) << lines;
        EXPECT_TRUE(boxes_.empty()) << lines;
        EXPECT_LT(elapsed_, 2000u) << "no settling wait when nothing was closed";
    }
}

TEST_F(RunningPrograms, ClassOnlyEntryNamesTheClassAndOkClosesTheWindow) {
    DrivenProcess& program = Start("Any title at all", "close");
    NotRunning("1=" + className_ + "\n");
    EXPECT_TRUE(Check({"OK"}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].caption, "install");
    EXPECT_EQ(boxes_[0].text, With(kEnglishQuestion, className_));
    EXPECT_EQ(WaitForExit(program, 5000), 0);
    // Closed at once, and still the settling wait.
    EXPECT_GT(GetTickCount() - boxes_[0].shownAt, 2000u);
}

TEST_F(RunningPrograms, TitleMustMatchWhenGiven) {
    Start("Corvane - notes.txt", "close");
    NotRunning("1=" + className_ + ",Corvane Editor,Corvane - other.txt\n");
    EXPECT_TRUE(Check({}));
    EXPECT_TRUE(boxes_.empty());

    NotRunning("1=" + className_ + ",Corvane Editor,Corvane - notes.txt\n");
    EXPECT_TRUE(Check({"OK"}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, With(kEnglishQuestion, "Corvane Editor"));
    EXPECT_EQ(WaitForExit(programs_.back(), 5000), 0);
}

TEST_F(RunningPrograms, TwoWindowsAreBothClosedAfterOneQuestion) {
    DrivenProcess& program = Start("Corvane", "close", 2);
    NotRunning("1=" + className_ + ",Corvane\n");
    EXPECT_TRUE(Check({"OK"}));
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(CountTestWindows(program, className_, "Corvane"), 0);
    EXPECT_EQ(WaitForExit(program, 5000), 0);
}

TEST_F(RunningPrograms, WindowClosingWithinTheLimitIsWaitedFor) {
    DrivenProcess& program = Start("Corvane", "slow");
    NotRunning("1=" + className_ + ",Corvane\n");
    EXPECT_TRUE(Check({"OK"}));
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(WaitForExit(program, 5000), 0);
}

TEST_F(RunningPrograms, CancelStopsWithoutFurtherMessage) {
    DrivenProcess& program = Start("Corvane", "close");
    NotRunning("1=" + className_ + ",Corvane\n");
    EXPECT_FALSE(Check({"Cancel"}));
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(CountTestWindows(program, className_, "Corvane"), 1) << "nothing was asked to close";
}

TEST_F(RunningPrograms, WindowThatStaysEndsTheCheckAfterFiveSeconds) {
    DrivenProcess& program = Start("Corvane", "ignore");
    NotRunning("1=" + className_ + ",Corvane Editor\n");
    EXPECT_FALSE(Check({"OK", "OK"}));
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].caption, "install");
    EXPECT_EQ(boxes_[1].text, With(kEnglishNotClosed, "Corvane Editor"));
    EXPECT_GT(boxes_[1].shownAt - boxes_[0].shownAt, 5000u);
    EXPECT_EQ(CountTestWindows(program, className_, "Corvane"), 1);
}

TEST_F(RunningPrograms, ListEndsAtTheFirstEmptyKeyAndLaterEntriesAreChecked) {
    Start("Corvane", "close");
    NotRunning("1=NoSuchClassAnywhere\n2=\n3=" + className_ + "\n");
    EXPECT_TRUE(Check({}));
    EXPECT_TRUE(boxes_.empty());

    NotRunning("1=NoSuchClassAnywhere\n2=" + className_ + ",Second\n");
    EXPECT_FALSE(Check({"Cancel"}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, With(kEnglishQuestion, "Second"));
}

TEST_F(RunningPrograms, QuestionInEveryLanguage) {
    Start("Corvane", "close");
    NotRunning("1=" + className_ + ",Corvane\n");
    const struct {
        unsigned short index;
        const char* text;
    } cases[] = {
        {2, "Das Programm Corvane l\xE4uft bereits, sollte aber w\xE4hrend der Installation nicht laufen! "
            "W\xE4hlen Sie Ok um das Programm zu schliessen oder Abbrechen um Install abzubrechen."},
        {3, "Le programme Corvane marche d\xE9j\xE0, mais il ne doit pas marcher pendant l'installation! "
            "Choisissez OK pour terminer le programme ou Annuler pour stopper l'installation."},
        {7, "The program Corvane is already running, but it should not run during installation! "
            "Choose OK to close the program or Cancel to interrupt installation."},
    };
    for (const auto& c : cases) {
        Language().index = c.index;
        EXPECT_FALSE(Check({"Cancel"}));
        ASSERT_EQ(boxes_.size(), 1u) << c.index;
        EXPECT_EQ(boxes_[0].text, c.text);
        EXPECT_EQ(boxes_[0].caption, "install");
    }
}

TEST_F(RunningPrograms, CouldNotCloseInEveryLanguage) {
    Start("Corvane", "ignore");
    NotRunning("1=" + className_ + ",Corvane\n");
    const struct {
        unsigned short index;
        const char* text;
    } cases[] = {
        {2, "Corvane konnte nicht korrekt beendet werden. Beenden Sie das Programm von Hand und starten Sie "
            "Install anschliessend neu!"},
        {3, "Corvane ne pouvait pas \xEAtre termin\xE9 correctement. S.v.p. terminez le programme vous-m\xEAmes "
            "et essayez l'installation encore une fois!"},
    };
    for (const auto& c : cases) {
        Language().index = c.index;
        EXPECT_FALSE(Check({"OK", "OK"}));
        ASSERT_EQ(boxes_.size(), 2u) << c.index;
        EXPECT_EQ(boxes_[1].text, c.text);
    }
}

TEST_F(RunningPrograms, LongDisplayNameIsShortenedToFitTheMessage) {
    Start("Corvane", "close");
    std::string name(200, 'N');
    NotRunning("1=" + className_ + "," + name + "\n");
    Language().index = kLanguageGerman;
    EXPECT_FALSE(Check({"Cancel"}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text.size(), 255u);
    EXPECT_EQ(boxes_[0].text.compare(0, 13 + 90 + 3, "Das Programm " + std::string(90, 'N') + "..."), 0);
}

}  // namespace
