// SETUP.EXE from start to the end of its preparation, driven through its
// windows: the language dialog, the question about other languages, the
// version and destination dialogs, the earlier destination's profile entry
// and every way out with its exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/resource.h"
#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

const char kDialogClass[] = "#32770";
const char kCaption[] = "Installation Corvane";

std::string Inf(const std::string& languages, const std::string& rest = "") {
    return "[Installation]\r\nProgram=Corvane\r\n[languages]\r\n" + languages + rest;
}

const char kTwoLanguages[] = "Count=2\r\nDefault=1\r\n1=English\r\n2=Deutsch,d\r\n";

class Preparation : public testing::Test {
protected:
    void TearDown() override { EndProcess(process_); }

    void Start(const std::string& inf) {
        dist_.WriteFile("SETUP.inf", inf);
        ASSERT_TRUE(dist_.StartSetup(process_));
    }
    HWND Dialog(const char* caption) { return WaitForWindow(process_, caption, kDialogClass); }

    // The language dialog, a line chosen, and the question answered.
    void ChooseLanguage(int line, const char* answer) {
        HWND dialog = Dialog("Corvane");
        ASSERT_NE(dialog, nullptr);
        SelectListLine(dialog, IDC_LANGUAGE_LIST, line);
        ClickButton(dialog, IDOK);
        HWND box = Dialog("Install");
        ASSERT_NE(box, nullptr);
        ClickButtonByText(box, answer);
    }

    Distribution dist_;
    DrivenProcess process_;
};

TEST_F(Preparation, LanguageDialogListsNonEmptyEntriesWithTheDefaultSelected) {
    Start(Inf("Count=3\r\nDefault=2\r\n1=English,\r\n2=\r\n3=Fran\xE7" "ais,f\r\n"));
    HWND dialog = Dialog("Corvane");
    ASSERT_NE(dialog, nullptr);
    // The texts themselves are checked in-process (preparation_dialogs_test).
    EXPECT_EQ(ListBoxLineLengths(dialog, IDC_LANGUAGE_LIST), (std::vector<int>{7, 8}));
    EXPECT_EQ(SelectedListLine(dialog, IDC_LANGUAGE_LIST), 1);
    EXPECT_EQ(ControlText(dialog, IDC_LANGUAGE_PROMPT),
              "Please select a language / bitte w\xE4hlen Sie eine Sprache / S.v.p. choisissez une langue:");
    EXPECT_EQ(ControlText(dialog, IDOK), "Ok");
    // Centred over the maximized shell window.
    HWND shell = WaitForWindow(process_, kCaption, "qzinstallclass32");
    ASSERT_NE(shell, nullptr);
    RECT box, frame;
    GetWindowRect(dialog, &box);
    GetWindowRect(shell, &frame);
    EXPECT_EQ(box.left, frame.left + (frame.right - frame.left - (box.right - box.left)) / 2);
    EXPECT_EQ(box.top, frame.top + (frame.bottom - frame.top - (box.bottom - box.top)) / 2);
    ClickButton(dialog, IDCANCEL);
    EXPECT_EQ(WaitForExit(process_), 0);
}

TEST_F(Preparation, SecondLineOfThreeWithAGapIsGerman) {
    Start(Inf("Count=3\r\nDefault=1\r\n1=English,\r\n2=\r\n3=Francais,f\r\n", "[VersionCheck]\r\nVernum=4\r\n"));
    HWND dialog = Dialog("Corvane");
    ASSERT_NE(dialog, nullptr);
    SelectListLine(dialog, IDC_LANGUAGE_LIST, 1);
    ClickButton(dialog, IDOK);
    HWND box = Dialog("Install");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "M\xF6" "chten Sie auch alle anderen Sprachen installieren?\r"
              "Dies erlaubt es Ihnen, die Sprache w\xE4hrend dem Betrieb des Programms zu wechseln.");
    ClickButtonByText(box, "&No");
    HWND version = Dialog("Install version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(ControlText(version, IDC_VERSION_HEADING), "Zu installierende Version:");
    ClickButton(version, IDOK);
    HWND destination = Dialog(kCaption);
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(ControlText(destination, IDC_INPUT_PROMPT), "Bitte Zielverzeichnis f\xFCr Installation angeben");
    ClickButton(destination, IDCANCEL);
    EXPECT_EQ(WaitForExit(process_), 0);
}

TEST_F(Preparation, OkWithNothingSelectedEndsWithExitCode1) {
    Start(Inf("Count=2\r\nDefault=5\r\n1=English\r\n2=Deutsch,d\r\n"));
    HWND dialog = Dialog("Corvane");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SelectedListLine(dialog, IDC_LANGUAGE_LIST), -1);
    ClickButton(dialog, IDOK);
    EXPECT_EQ(WaitForExit(process_), 1);
}

TEST_F(Preparation, OneLanguageShowsNoDialogAndSpeaksTheDefault) {
    Start(Inf("Count=1\r\nDefault=2\r\n", "[VersionCheck]\r\nVernum=4\r\n"));
    HWND version = Dialog("Install version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(ControlText(version, IDC_VERSION_HEADING), "Zu installierende Version:");
    EXPECT_TRUE(IsChecked(version, IDC_VERSION_32));
    EXPECT_FALSE(IsChecked(version, IDC_VERSION_16));
    ClickButton(version, IDOK);
    HWND destination = Dialog(kCaption);
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(ControlText(destination, IDC_INPUT_PROMPT), "Bitte Zielverzeichnis f\xFCr Installation angeben");
    ClickButton(destination, IDCANCEL);
    EXPECT_EQ(WaitForExit(process_), 0);
}

TEST_F(Preparation, DestinationPromptAndProposalPerLanguage) {
    const struct {
        int line;
        const char* prompt;
    } cases[] = {
        {0, "Please enter target directory for installation"},
        {1, "Bitte Zielverzeichnis f\xFCr Installation angeben"},
        {2, "Installer programme dans r\xE9pertoire:"},
    };
    for (const auto& c : cases) {
        Start(Inf("Count=3\r\n1=English\r\n2=Deutsch,d\r\n3=Francais,f\r\n"));
        ChooseLanguage(c.line, "&Yes");
        HWND destination = Dialog(kCaption);
        ASSERT_NE(destination, nullptr);
        EXPECT_EQ(ControlText(destination, IDC_INPUT_PROMPT), c.prompt);
        EXPECT_EQ(ControlText(destination, IDC_INPUT_EDIT), "c:\\install");  // no Dir: the default
        EXPECT_TRUE(IsControlVisible(destination, IDC_INPUT_BROWSE));       // Wine has the new shell
        ClickButton(destination, IDCANCEL);
        EXPECT_EQ(WaitForExit(process_), 0);
    }
}

TEST_F(Preparation, DestinationEditRefusesThe259thCharacter) {
    Start(Inf("Count=1\r\n"));
    HWND destination = Dialog(kCaption);
    ASSERT_NE(destination, nullptr);
    SetControlText(destination, IDC_INPUT_EDIT, "");
    TypeText(destination, IDC_INPUT_EDIT, std::string(259, 'y'));
    EXPECT_EQ(ControlText(destination, IDC_INPUT_EDIT), std::string(258, 'y'));
    ClickButton(destination, IDCANCEL);
    EXPECT_EQ(WaitForExit(process_), 0);
}

// The profile entry of an earlier installation, by the shape of key Ini.
class DestinationEntry : public Preparation {
protected:
    std::string Setup(const std::string& ini, const std::string& earlier) {
        if (!earlier.empty()) dist_.WriteFile("earlier.ini", earlier);
        return Inf("Count=1\r\n", "[Destination]\r\nDir=c:\\corvane\r\nIni=" + ini + "\r\n");
    }
    std::string Earlier() { return dist_.PathOf("earlier.ini"); }
    std::string EntryValue() {
        char value[260];
        GetPrivateProfileStringA("Setup", "Dir", "<none>", value, sizeof value, Earlier().c_str());
        return value;
    }
};

TEST_F(DestinationEntry, EarlierDestinationIsProposedAndTheNewOneWrittenBack) {
    Start(Setup(Earlier() + ",Setup,Dir", "[Setup]\r\nDir=d:\\old\\corvane\r\n"));
    HWND destination = Dialog(kCaption);
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(ControlText(destination, IDC_INPUT_EDIT), "d:\\old\\corvane");
    SetControlText(destination, IDC_INPUT_EDIT, "e:\\new place");
    ClickButton(destination, IDOK);
    EXPECT_EQ(AcceptMessagesUntilExit(process_), 0);
    EXPECT_EQ(EntryValue(), "e:\\new place");
}

TEST_F(DestinationEntry, MissingKeyProposesDirAndIsStillWritten) {
    Start(Setup(Earlier() + ",Setup,Dir", "[Setup]\r\nOther=1\r\n"));
    HWND destination = Dialog(kCaption);
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(ControlText(destination, IDC_INPUT_EDIT), "c:\\corvane");
    ClickButton(destination, IDOK);
    EXPECT_EQ(AcceptMessagesUntilExit(process_), 0);
    EXPECT_EQ(EntryValue(), "c:\\corvane");
}

TEST_F(DestinationEntry, EmptyValueProposesDirAndIsOverwritten) {
    Start(Setup(Earlier() + ",Setup,Dir", "[Setup]\r\nDir=\r\n"));
    HWND destination = Dialog(kCaption);
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(ControlText(destination, IDC_INPUT_EDIT), "c:\\corvane");
    ClickButton(destination, IDOK);
    EXPECT_EQ(AcceptMessagesUntilExit(process_), 0);
    EXPECT_EQ(EntryValue(), "c:\\corvane");
}

TEST_F(DestinationEntry, FileAndSectionOnlyIsIgnored) {
    Start(Setup(Earlier() + ",Setup", ""));
    HWND destination = Dialog(kCaption);
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(ControlText(destination, IDC_INPUT_EDIT), "c:\\corvane");
    ClickButton(destination, IDOK);
    EXPECT_EQ(AcceptMessagesUntilExit(process_), 0);
    EXPECT_FALSE(dist_.Exists("earlier.ini"));
}

TEST_F(DestinationEntry, CancelWritesNothing) {
    Start(Setup(Earlier() + ",Setup,Dir", "[Setup]\r\nDir=d:\\old\r\n"));
    HWND destination = Dialog(kCaption);
    ASSERT_NE(destination, nullptr);
    SetControlText(destination, IDC_INPUT_EDIT, "e:\\new");
    ClickButton(destination, IDCANCEL);
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(EntryValue(), "d:\\old");
}

TEST_F(Preparation, CancelAnywhereEndsWithExitCode0AndWritesNothing) {
    const std::string rest = "[VersionCheck]\r\nVernum=4\r\n[Destination]\r\nIni=" + dist_.PathOf("earlier.ini") +
                             ",Setup,Dir\r\n";
    // Language dialog, version dialog, destination dialog.
    for (int step = 0; step < 3; ++step) {
        Start(Inf(kTwoLanguages, rest));
        HWND dialog = Dialog("Corvane");
        ASSERT_NE(dialog, nullptr);
        if (step == 0) {
            ClickButton(dialog, IDCANCEL);
        } else {
            ClickButton(dialog, IDOK);
            HWND box = Dialog("Install");
            ASSERT_NE(box, nullptr);
            ClickButtonByText(box, "&Yes");
            HWND version = Dialog("Install version");
            ASSERT_NE(version, nullptr);
            if (step == 1) {
                ClickButton(version, IDCANCEL);
            } else {
                ClickButton(version, IDOK);
                HWND destination = Dialog(kCaption);
                ASSERT_NE(destination, nullptr);
                ClickButton(destination, IDCANCEL);
            }
        }
        EXPECT_EQ(WaitForExit(process_), 0) << step;
        EXPECT_FALSE(dist_.Exists("earlier.ini")) << step;
    }
}

// Folder browsing: the shell's picker with the prompt of the language; the
// product directory (the last part of Dir) goes onto the folder picked.
class FolderBrowsing : public Preparation {
protected:
    const int kBrowseTitle = 0x3742;  // the picker's prompt text
    const int kBrowseTree = 0x3741;

    HWND OpenPicker(HWND& destination) {
        Start(Inf("Count=1\r\nDefault=2\r\n", "[Destination]\r\nDir=c:\\programs\\corvane\r\n"));
        destination = Dialog(kCaption);
        if (!destination) return nullptr;
        ClickButton(destination, IDC_INPUT_BROWSE);
        return Dialog("Browse for Folder");
    }
};

TEST_F(FolderBrowsing, PromptNamesTheProductDirectoryAndCancelChangesNothing) {
    HWND destination = nullptr;
    HWND picker = OpenPicker(destination);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(ControlText(picker, kBrowseTitle),
              "Bitte das Verzeichnis w\xE4hlen, in dem das corvane-Verzeichnis angelegt werden soll:");
    ClickButton(picker, IDCANCEL);
    ASSERT_TRUE(WaitForCaption(destination, kCaption));
    Sleep(300);
    EXPECT_EQ(ControlText(destination, IDC_INPUT_EDIT), "c:\\programs\\corvane");
    ClickButton(destination, IDCANCEL);
    EXPECT_EQ(WaitForExit(process_), 0);
}

TEST_F(FolderBrowsing, PickedFolderGetsTheProductDirectory) {
    HWND destination = nullptr;
    HWND picker = OpenPicker(destination);
    ASSERT_NE(picker, nullptr);
    // Down from the root to the first folder below it, as a keyboard user would.
    HWND tree = GetDlgItem(picker, kBrowseTree);
    SendMessageA(tree, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(tree, WM_KEYUP, VK_DOWN, 0);
    ClickButton(picker, IDOK);
    std::string edit;
    for (int i = 0; i < 100 && (edit = ControlText(destination, IDC_INPUT_EDIT)) == "c:\\programs\\corvane"; ++i) {
        Sleep(50);
    }
    ASSERT_GT(edit.size(), 11u);
    EXPECT_EQ(edit.substr(1, 2), ":\\");
    EXPECT_EQ(edit.substr(edit.size() - 8), "\\corvane");
    ClickButton(destination, IDCANCEL);
    EXPECT_EQ(WaitForExit(process_), 0);
}

TEST_F(Preparation, MissingSetupInformationFile) {
    ASSERT_TRUE(dist_.StartSetup(process_));
    HWND box = Dialog("Installation ");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "The setup information file was not found!\rInstallation aborted!\r\r"
              "Die Setup-Informationsdatei wurde nicht gefunden!\rInstallation abgebrochen!");
    ClickButtonByText(box, "OK");
    EXPECT_EQ(WaitForExit(process_), 0);
}

}  // namespace
