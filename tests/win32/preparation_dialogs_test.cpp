// The dialogs of the preparation, run in this process while a second
// thread plays the user: the language choice and what it records, the
// version masks, and the destination dialog's texts, limit and browse
// button.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "base/startup_flags.h"
#include "resources/resource.h"
#include "setup/destination_dialog.h"
#include "setup/language.h"
#include "setup/language_choice.h"
#include "setup/prepared_state.h"
#include "setup/setup_info.h"
#include "setup/version_choice.h"
#include "testlib/distribution.h"
#include "testlib/window_driver.h"

namespace {

const char kDialogClass[] = "#32770";

DWORD WINAPI RunDriver(void* parameter) {
    (*static_cast<std::function<void()>*>(parameter))();
    return 0;
}

// Runs body (which opens a modal dialog) while user acts on another thread.
void WithUser(const std::function<void()>& user, const std::function<void()>& body) {
    std::function<void()> copy = user;
    HANDLE thread = CreateThread(nullptr, 0, RunDriver, &copy, 0, nullptr);
    body();
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
}

DrivenProcess Self() {
    DrivenProcess self;
    self.process = GetCurrentProcess();
    self.id = GetCurrentProcessId();
    return self;
}

HWND WaitForDialog(const char* caption) { return WaitForWindow(Self(), caption, kDialogClass, 10000); }

class PreparationDialogs : public testing::Test {
protected:
    void SetUp() override { folder_ = MakeTemporaryFolder("prep"); }
    void TearDown() override { RemoveTree(folder_); }

    void UseSetupInfo(const std::string& content) {
        std::string path = folder_ + "\\SETUP.inf";
        FILE* file = fopen(path.c_str(), "wb");
        fwrite(content.data(), 1, content.size(), file);
        fclose(file);
        SetSetupInfoPath(path.c_str());
    }

    std::string folder_;
};

// --- language choice ------------------------------------------------------

TEST_F(PreparationDialogs, EmptyEntryGivesNoLineAndTheSecondLineIsIndexTwo) {
    UseSetupInfo("[languages]\r\nCount=3\r\nDefault=1\r\n1=English,e\r\n2=\r\n3=Francais,f\r\n"
                 "[LangName]\r\n0=none\r\nf=fr\r\ne=en\r\n");
    std::vector<std::string> lines;
    int preselected = -2;
    std::string question;
    std::string questionCaption;
    bool chosen = false;
    WithUser(
        [&] {
            HWND dialog = WaitForDialog("Corvane");
            if (!dialog) return;
            lines = ListBoxLines(dialog, IDC_LANGUAGE_LIST);
            preselected = SelectedListLine(dialog, IDC_LANGUAGE_LIST);
            SelectListLine(dialog, IDC_LANGUAGE_LIST, 1);
            ClickButton(dialog, IDOK);
            HWND box = WaitForDialog("Install");
            if (!box) return;
            question = MessageBoxText(box);
            questionCaption = WindowText(box);
            ClickButtonByText(box, "&No");
        },
        [&] { chosen = ChooseLanguage(); });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(lines, (std::vector<std::string>{"English", "Francais"}));
    EXPECT_EQ(preselected, 0);
    const LanguageState& language = Language();
    EXPECT_EQ(language.index, 2);  // the list position, not the key
    EXPECT_EQ(language.letter, '\0');  // key 2 is empty
    EXPECT_STREQ(language.installSection, "install");
    EXPECT_STREQ(language.groupSection, "Group");
    EXPECT_STREQ(language.iniSection, "ini");
    EXPECT_EQ(question,
              "M\xF6" "chten Sie auch alle anderen Sprachen installieren?\r"
              "Dies erlaubt es Ihnen, die Sprache w\xE4hrend dem Betrieb des Programms zu wechseln.");
    EXPECT_STREQ(language.singleLanguageName, "none");  // key 0: no letter
}

TEST_F(PreparationDialogs, DefaultPreselectsAndYesMeansAllLanguages) {
    UseSetupInfo("[languages]\r\nCount=3\r\nDefault=3\r\n1=English,\r\n2=Deutsch,d\r\n3=Francais,f\r\n"
                 "[LangName]\r\nf=fr\r\n");
    int preselected = -2;
    std::string question;
    bool chosen = false;
    strcpy(Language().singleLanguageName, "left over");
    WithUser(
        [&] {
            HWND dialog = WaitForDialog("Corvane");
            if (!dialog) return;
            preselected = SelectedListLine(dialog, IDC_LANGUAGE_LIST);
            ClickButton(dialog, IDOK);
            HWND box = WaitForDialog("Install");
            if (!box) return;
            question = MessageBoxText(box);
            ClickButtonByText(box, "&Yes");
        },
        [&] { chosen = ChooseLanguage(); });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(preselected, 2);
    EXPECT_EQ(Language().index, 3);
    EXPECT_EQ(Language().letter, 'f');
    EXPECT_STREQ(Language().installSection, "installf");
    EXPECT_STREQ(Language().groupSection, "Groupf");
    EXPECT_STREQ(Language().iniSection, "inif");
    EXPECT_EQ(question, "Voulez-vous aussi installer les autres langues?\r"
                        "Cela vous permet de choisir la langue pendant l'execution du programme.");
    EXPECT_STREQ(Language().singleLanguageName, "");
}

TEST_F(PreparationDialogs, NoWithALetterReadsThatKey) {
    UseSetupInfo("[languages]\r\nCount=2\r\n1=English\r\n2=Deutsch,dx\r\n[LangName]\r\n0=en\r\nd=deutsch\r\n");
    std::string question;
    WithUser(
        [&] {
            HWND dialog = WaitForDialog("Corvane");
            if (!dialog) return;
            SelectListLine(dialog, IDC_LANGUAGE_LIST, 1);
            ClickButton(dialog, IDOK);
            HWND box = WaitForDialog("Install");
            if (!box) return;
            ClickButtonByText(box, "&No");
        },
        [&] { EXPECT_TRUE(ChooseLanguage()); });
    EXPECT_EQ(Language().letter, 'd');
    EXPECT_STREQ(Language().installSection, "installd");
    EXPECT_STREQ(Language().singleLanguageName, "deutsch");
}

TEST_F(PreparationDialogs, EnglishQuestion) {
    UseSetupInfo("[languages]\r\nCount=2\r\n1=English\r\n2=Deutsch,d\r\n");
    std::string question;
    WithUser(
        [&] {
            HWND dialog = WaitForDialog("Corvane");
            if (!dialog) return;
            ClickButton(dialog, IDOK);
            HWND box = WaitForDialog("Install");
            if (!box) return;
            question = MessageBoxText(box);
            ClickButtonByText(box, "&No");
        },
        [&] { EXPECT_TRUE(ChooseLanguage()); });
    EXPECT_EQ(Language().index, 1);
    EXPECT_EQ(question, "Do you also want to install all other languages?\r"
                        "You can then switch between these languages while the program is running.");
    EXPECT_STREQ(Language().singleLanguageName, "");  // key 0 is missing
}

TEST_F(PreparationDialogs, CancelledLanguageDialog) {
    UseSetupInfo("[languages]\r\nCount=2\r\n1=English\r\n2=Deutsch,d\r\n");
    bool chosen = true;
    WithUser(
        [&] {
            HWND dialog = WaitForDialog("Corvane");
            if (dialog) ClickButton(dialog, IDCANCEL);
        },
        [&] { chosen = ChooseLanguage(); });
    EXPECT_FALSE(chosen);
}

TEST_F(PreparationDialogs, SingleLanguageNeedsNoDialog) {
    const struct {
        const char* inf;
        unsigned short index;
        char letter;
    } cases[] = {
        {"[languages]\r\nCount=1\r\nDefault=2\r\n2=Deutsch,d\r\n[LangName]\r\nd=de\r\n", 2, 'd'},
        {"[languages]\r\nCount=0\r\nDefault=3\r\n", 3, '\0'},
        {"[other]\r\nx=1\r\n", 1, '\0'},  // no languages section at all
    };
    for (const auto& c : cases) {
        UseSetupInfo(c.inf);
        EXPECT_TRUE(ChooseLanguage());
        EXPECT_EQ(Language().index, c.index) << c.inf;
        EXPECT_EQ(Language().letter, c.letter) << c.inf;
        EXPECT_STREQ(Language().singleLanguageName, "") << c.inf;  // no question asked
    }
}

// --- version choice -------------------------------------------------------

TEST_F(PreparationDialogs, VersionMaskWithoutDialog) {
    const struct {
        const char* inf;
        int mask;
    } cases[] = {
        {"[VersionCheck]\r\nVernum=3\r\n", 3},
        {"[VersionCheck]\r\nVernum=1\r\n", 1},
        {"[VersionCheck]\r\nVernum=7\r\n", 7},
        {"[other]\r\nx=1\r\n", 0},
    };
    for (const auto& c : cases) {
        UseSetupInfo(c.inf);
        Prepared().versionMask = -1;
        EXPECT_TRUE(ChooseVersion());
        EXPECT_EQ(Prepared().versionMask, c.mask) << c.inf;
    }
}

TEST_F(PreparationDialogs, VersionDialogMasks) {
    UseSetupInfo("[VersionCheck]\r\nVernum=4\r\n");
    Language().index = 1;
    const struct {
        bool click16, click32;
        int button;
        bool chosen;
        int mask;
    } cases[] = {
        {false, false, IDOK, true, 2},  {true, false, IDOK, true, 3},      {true, true, IDOK, true, 1},
        {false, true, IDOK, true, 0},   {true, false, IDCANCEL, false, -1},
    };
    for (const auto& c : cases) {
        Prepared().versionMask = -1;
        bool ticked16 = true;
        bool ticked32 = false;
        bool chosen = !c.chosen;
        WithUser(
            [&] {
                HWND dialog = WaitForDialog("Install version");
                if (!dialog) return;
                ticked16 = IsChecked(dialog, IDC_VERSION_16);
                ticked32 = IsChecked(dialog, IDC_VERSION_32);
                if (c.click16) ClickButton(dialog, IDC_VERSION_16);
                if (c.click32) ClickButton(dialog, IDC_VERSION_32);
                ClickButton(dialog, c.button);
            },
            [&] { chosen = ChooseVersion(); });
        EXPECT_FALSE(ticked16);
        EXPECT_TRUE(ticked32);
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_EQ(Prepared().versionMask, c.mask) << c.click16 << c.click32 << c.button;
    }
}

TEST_F(PreparationDialogs, VersionDialogTextsByLanguage) {
    UseSetupInfo("[VersionCheck]\r\nVernum=4\r\n");
    const struct {
        unsigned short index;
        const char* heading;
        const char* note;
    } cases[] = {
        {1, "Install version:", "Note: you can install both versions, if you want to dual boot both Windows versions"},
        {2, "Zu installierende Version:",
         "Hinweis: Sie k\xF6nnen beide Versionen installieren, wenn Sie beide Windows-Versionen einsetzen."},
        {3, "Version \xE0 installer:",
         "Note: vous pouvez installer les deux si vous avez install\xE9 les deux versions de Windows."},
        {9, "Install version:", "Note: you can install both versions, if you want to dual boot both Windows versions"},
    };
    for (const auto& c : cases) {
        Language().index = c.index;
        std::string heading, note, label16, label32;
        WithUser(
            [&] {
                HWND dialog = WaitForDialog("Install version");
                if (!dialog) return;
                heading = ControlText(dialog, IDC_VERSION_HEADING);
                note = ControlText(dialog, IDC_VERSION_NOTE);
                label16 = ControlText(dialog, IDC_VERSION_16);
                label32 = ControlText(dialog, IDC_VERSION_32);
                ClickButton(dialog, IDCANCEL);
            },
            [&] { ChooseVersion(); });
        EXPECT_EQ(heading, c.heading) << c.index;
        EXPECT_EQ(note, c.note) << c.index;
        EXPECT_EQ(label16, "&16 bit (Windows 3.1)");
        EXPECT_EQ(label32, "&32 bit (Windows 95, Windows NT)");
    }
}

// --- destination dialog ---------------------------------------------------

struct DestinationSeen {
    std::string caption, prompt, edit;
    bool browseShown = false;
    int typedLength = -1;
};

int RunDestination(bool newShell, char* buffer, int button, const std::string& newText, DestinationSeen& seen) {
    StartupFlags flags = GetStartupFlags();
    flags.newShell = newShell;
    SetStartupFlags(flags);
    DestinationRequest request = {"Installation Corvane", "Where to?", buffer, 259};
    int result = -1;
    WithUser(
        [&] {
            HWND dialog = WaitForDialog("Installation Corvane");
            if (!dialog) return;
            seen.caption = WindowText(dialog);
            seen.prompt = ControlText(dialog, IDC_INPUT_PROMPT);
            seen.edit = ControlText(dialog, IDC_INPUT_EDIT);
            seen.browseShown = IsControlVisible(dialog, IDC_INPUT_BROWSE);
            if (!newText.empty()) {
                SetControlText(dialog, IDC_INPUT_EDIT, "");
                TypeText(dialog, IDC_INPUT_EDIT, newText);
                seen.typedLength = static_cast<int>(ControlText(dialog, IDC_INPUT_EDIT).size());
            }
            ClickButton(dialog, button);
        },
        [&] { result = RunDestinationDialog(nullptr, request); });
    return result;
}

TEST_F(PreparationDialogs, DestinationDialogShowsItsParameters) {
    char buffer[260] = "c:\\corvane";
    DestinationSeen seen;
    EXPECT_EQ(RunDestination(true, buffer, IDOK, "", seen), kDestinationOk);
    EXPECT_EQ(seen.caption, "Installation Corvane");
    EXPECT_EQ(seen.prompt, "Where to?");
    EXPECT_EQ(seen.edit, "c:\\corvane");
    EXPECT_TRUE(seen.browseShown);
    EXPECT_STREQ(buffer, "c:\\corvane");
}

TEST_F(PreparationDialogs, NoBrowseButtonWithoutTheNewShell) {
    char buffer[260] = "c:\\corvane";
    DestinationSeen seen;
    RunDestination(false, buffer, IDOK, "", seen);
    EXPECT_FALSE(seen.browseShown);
}

TEST_F(PreparationDialogs, EditTakesAtMost258Characters) {
    char buffer[260] = "c:\\corvane";
    DestinationSeen seen;
    std::string typed(259, 'x');
    EXPECT_EQ(RunDestination(true, buffer, IDOK, typed, seen), kDestinationOk);
    EXPECT_EQ(seen.typedLength, 258);
    EXPECT_EQ(std::string(buffer), std::string(258, 'x'));
}

TEST_F(PreparationDialogs, CancelLeavesTheBufferAlone) {
    char buffer[260] = "c:\\corvane";
    DestinationSeen seen;
    EXPECT_EQ(RunDestination(true, buffer, IDCANCEL, "d:\\other", seen), kDestinationCancel);
    EXPECT_STREQ(buffer, "c:\\corvane");
}

TEST_F(PreparationDialogs, EmptyTextIsAccepted) {
    char buffer[260] = "c:\\corvane";
    DestinationRequest request = {"Installation Corvane", "Where to?", buffer, 259};
    int result = -1;
    WithUser(
        [&] {
            HWND dialog = WaitForDialog("Installation Corvane");
            if (!dialog) return;
            SetControlText(dialog, IDC_INPUT_EDIT, "");
            ClickButton(dialog, IDOK);
        },
        [&] { result = RunDestinationDialog(nullptr, request); });
    EXPECT_EQ(result, kDestinationOk);
    EXPECT_STREQ(buffer, "");
}

}  // namespace
