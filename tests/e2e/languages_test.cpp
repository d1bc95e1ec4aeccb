// The installation in the language the user chose: lettered file lists,
// the language directory filter and the run's texts in German and French.
#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

const char kCaption[] = "Installation Sprachen";

class Languages : public testing::Test {
protected:
    void SetUp() override {
        root_ = MakeTemporaryFolder("lang");
        destination_ = root_ + "\\app";
        dist_.CopyIn(std::string(FIXTURE_DIR) + "/app.zip", "app.zip");
        dist_.WriteFile("SETUP.inf",
                        "[Installation]\r\nProgram=Sprachen\r\n"
                        "[languages]\r\nCount=3\r\nDefault=1\r\n1=English\r\n2=Deutsch,d\r\n3=Francais,f\r\n"
                        "[LangName]\r\nlangdir=language\r\nd=Deutsch\r\nf=Francais\r\n"
                        "[VersionCheck]\r\nVernum=3\r\n[Destination]\r\nDir=" + destination_ + "\r\n"
                        "[install]\r\n1=app.zip,Z\r\n[installf]\r\n1=missing.txt\r\n");
    }
    void TearDown() override {
        EndProcess(process_);
        RemoveTree(root_);
    }

    void ChooseLanguage(int line, const char* allLanguagesAnswer) {
        ASSERT_TRUE(dist_.StartSetup(process_));
        HWND dialog = WaitForWindow(process_, "Corvane", "#32770");
        ASSERT_NE(dialog, nullptr);
        SelectListLine(dialog, IDC_LANGUAGE_LIST, line);
        ClickButton(dialog, IDOK);
        HWND box = WaitForWindow(process_, "Install", "#32770");
        ASSERT_NE(box, nullptr);
        ClickButtonByText(box, allLanguagesAnswer);
        ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    }
    std::string At(const char* name) const { return destination_ + "\\" + name; }

    Distribution dist_;
    DrivenProcess process_;
    std::string root_;
    std::string destination_;
};

TEST_F(Languages, GermanOnlyTakesTheGermanLanguageFiles) {
    ChooseLanguage(1, "&No");
    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"), "Installation erfolgreich!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(At("LANGUAGE\\DEUTSCH.LNG")), "deutsch");
    EXPECT_EQ(GetFileAttributesA(At("LANGUAGE\\FRANCAIS.LNG").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadWholeFile(At("X32\\A.DLL")), "no prefix here");
}

TEST_F(Languages, GermanWithAllLanguagesTakesThemAll) {
    ChooseLanguage(1, "&Yes");
    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"), "Installation erfolgreich!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(At("LANGUAGE\\FRANCAIS.LNG")), "francais");
}

TEST_F(Languages, FrenchReadsItsOwnListAndSpeaksFrench) {
    ChooseLanguage(2, "&No");
    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"),
              "Erreur en lisant " + dist_.PathOf("missing.txt") + "!\rLa disquette peut-\xEAtre d\xE9" "fectueuse!");
    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"), "Installation pas compl\xE8te!");
    EXPECT_EQ(WaitForExit(process_), 0);
}

}  // namespace
