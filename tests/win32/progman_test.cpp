// The DDE conversation with "PROGMAN": against Wine's own shell, which
// creates the group's links in the Start menu, and against test servers in
// this process that answer twice, refuse a command or end first. The test
// window stands in for the shell window and hands the two DDE answers over
// as the shell window does.
#include <gtest/gtest.h>
#include <windows.h>

#include <dde.h>
#include <string>
#include <vector>

#include "base/window_context.h"
#include "install/program_group.h"
#include "progman/progman.h"
#include "progman/progman_request.h"
#include "setup/language.h"
#include "setup/prepared_state.h"
#include "setup/setup_info.h"
#include "testlib/box_watcher.h"
#include "testlib/shell_group.h"
#include "tests/fs/scratch_folder.h"

namespace {

const char kClientClass[] = "progmantestclient";
const char kServerClass[] = "progmantestserver";

LRESULT CALLBACK ClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DDE_ACK: OnProgmanAcknowledge(reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_DDE_TERMINATE: OnProgmanTerminate(reinterpret_cast<HWND>(wParam)); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A test server: answers initiates for PROGMAN and records what it gets.
enum ExecuteAnswer { kAckPositive, kAckNegative, kTerminateInstead, kNoAnswer };

struct TestServer {
    HWND window = nullptr;
    ExecuteAnswer answer = kAckPositive;
    int answeredInitiates = 0;
    int terminates = 0;
    HWND terminateFrom = nullptr;
    std::vector<std::string> executes;
};

std::vector<TestServer*> g_servers;
std::vector<HWND> g_answerOrder;  // test servers in the order they answered

TestServer* ServerOf(HWND window) {
    for (TestServer* server : g_servers)
        if (server->window == window) return server;
    return nullptr;
}

std::string AtomName(ATOM atom) {
    char name[64] = "";
    GlobalGetAtomNameA(atom, name, sizeof name);
    return name;
}

void AnswerInitiate(TestServer& server, HWND client, LPARAM lParam) {
    // Atoms keep the spelling first registered; names compare without case.
    if (lstrcmpiA(AtomName(LOWORD(lParam)).c_str(), "PROGMAN") != 0 ||
        lstrcmpiA(AtomName(HIWORD(lParam)).c_str(), "PROGMAN") != 0) {
        return;
    }
    ++server.answeredInitiates;
    g_answerOrder.push_back(server.window);
    SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(server.window),
                 MAKELPARAM(GlobalAddAtomA("PROGMAN"), GlobalAddAtomA("PROGMAN")));
}

void AnswerExecute(TestServer& server, HWND client, LPARAM lParam) {
    HGLOBAL block = reinterpret_cast<HGLOBAL>(lParam);
    const char* text = static_cast<const char*>(GlobalLock(block));
    server.executes.push_back(text ? text : "<unreadable>");
    GlobalUnlock(block);
    if (server.answer == kNoAnswer) return;
    if (server.answer == kTerminateInstead) {
        PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(server.window), 0);
        return;
    }
    DDEACK status = {};
    status.fAck = server.answer == kAckPositive;
    WORD statusWord;
    memcpy(&statusWord, &status, sizeof statusWord);
    PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(server.window),
                 PackDDElParam(WM_DDE_ACK, statusWord, reinterpret_cast<UINT_PTR>(block)));
}

LRESULT CALLBACK ServerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TestServer* server = ServerOf(window);
    if (server) {
        HWND client = reinterpret_cast<HWND>(wParam);
        switch (message) {
        case WM_DDE_INITIATE: AnswerInitiate(*server, client, lParam); return 0;
        case WM_DDE_EXECUTE: AnswerExecute(*server, client, lParam); return 0;
        case WM_DDE_TERMINATE:
            ++server->terminates;
            server->terminateFrom = client;
            return 0;
        default: break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Pump(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        PumpPendingMessages();
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

bool FileThere(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Progman : public testing::Test {
protected:
    void SetUp() override {
        ResetLanguage();
        ResetProgmanConversation();
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA windowClass = {};
        windowClass.hInstance = instance;
        windowClass.lpfnWndProc = ClientProc;
        windowClass.lpszClassName = kClientClass;
        RegisterClassA(&windowClass);
        windowClass.lpfnWndProc = ServerProc;
        windowClass.lpszClassName = kServerClass;
        RegisterClassA(&windowClass);
        client_ = CreateWindowExA(0, kClientClass, "client", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, instance, nullptr);
        ASSERT_NE(client_, nullptr);
        SetShellWindow(client_);

        destination_ = folder_.Folder() + "\\";
        snprintf(Prepared().destination, kMaxPath, "%s", destination_.c_str());
        folder_.Put("prog.exe", "x");
        folder_.Put("help.txt", "x");
        folder_.Put("readme.txt", "x");
        g_answerOrder.clear();
    }
    void TearDown() override {
        // Wine's shell shows every new group in a window of its own.
        if (!group_.empty()) {
            CloseGroupWindows(group_);
            RemoveGroupFolder(group_);
        }
        EndProgmanConversation();
        Pump(100);
        for (TestServer* server : g_servers) DestroyWindow(server->window);
        g_servers.clear();
        SetShellWindow(nullptr);
        DestroyWindow(client_);
        ResetProgmanConversation();
        ResetLanguage();
    }

    void Group(const std::string& lines) {
        folder_.Put("setup.inf", "[Group]\n" + lines);
        SetSetupInfoPath(folder_.Path("setup.inf").c_str());
    }

    void AddServer(TestServer& server) {
        server.window = CreateWindowExA(0, kServerClass, "server", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(server.window, nullptr);
        g_servers.push_back(&server);
    }

    // The short form of the destination, as the item lines hold it.
    std::string ShortDestination() const {
        char path[MAX_PATH] = "";
        GetShortPathNameA(destination_.c_str(), path, MAX_PATH);
        return path;
    }

    // A test server created last lies on top and answers first.
    void Connect(TestServer& server) {
        AddServer(server);
        StartProgmanConversation();
        Pump(100);
        ASSERT_EQ(ProgmanServer(), server.window);
    }

    std::string Item(const char* name) const { return "[AddItem(\"" + ShortDestination() + name + "\")]"; }

    bool WaitForAnswer() {
        DWORD start = GetTickCount();
        while (ProgmanPendingRequest() != 0) {
            if (GetTickCount() - start > 10000) return false;
            Pump(20);
        }
        return true;
    }

    ScratchFolder folder_;
    std::string destination_;
    std::string group_;  // a group made by Wine's shell
    HWND client_ = nullptr;
};

TEST_F(Progman, WineShellCreatesTheGroupWithTheExistingItems) {
    group_ = "Corvane Test " + std::to_string(GetCurrentProcessId());
    Group("1=prog.exe\n2=missing.exe\n3=readme.txt\n");
    BoxWatcher watcher;
    StartProgmanConversation();
    ASSERT_NE(ProgmanServer(), nullptr) << "nothing answered PROGMAN";
    EXPECT_EQ(ProgmanPendingRequest(), 0u);
    CreateProgramGroup(group_.c_str(), Language().groupSection, Prepared().destination);
    EXPECT_EQ(ProgmanPendingRequest(), static_cast<UINT>(WM_DDE_EXECUTE));
    ASSERT_TRUE(WaitForAnswer());
    EXPECT_NE(ProgmanServer(), nullptr) << "the conversation stays open after the request";
    EXPECT_TRUE(watcher.Stop().empty());

    const std::string folder = ProgramsFolder() + "\\" + group_;
    EXPECT_TRUE(FileThere(folder + "\\prog.lnk")) << folder;
    EXPECT_TRUE(FileThere(folder + "\\readme.lnk")) << folder;
    EXPECT_FALSE(FileThere(folder + "\\missing.lnk"));
}

TEST_F(Progman, FirstAnswerIsKeptAndEveryOtherServerTerminated) {
    TestServer first, second;
    AddServer(first);
    AddServer(second);
    BoxWatcher watcher;
    StartProgmanConversation();
    Pump(300);
    EXPECT_TRUE(watcher.Stop().empty());
    EXPECT_EQ(ProgmanPendingRequest(), 0u);
    HWND server = ProgmanServer();
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(first.answeredInitiates, 1);
    EXPECT_EQ(second.answeredInitiates, 1);
    ASSERT_EQ(g_answerOrder.size(), 2u);
    if (ServerOf(server)) EXPECT_EQ(server, g_answerOrder.front()) << "the first answer is kept";
    for (TestServer* candidate : {&first, &second}) {
        if (candidate->window == server) {
            EXPECT_EQ(candidate->terminates, 0);
        } else {
            EXPECT_EQ(candidate->terminates, 1);
            EXPECT_EQ(candidate->terminateFrom, client_);
        }
    }
}

TEST_F(Progman, ExecuteRequestEndsWithEitherAnswerSilently) {
    for (ExecuteAnswer answer : {kAckPositive, kAckNegative}) {
        TestServer server;
        server.answer = answer;
        Group("1=prog.exe\n");
        BoxWatcher watcher;
        Connect(server);
        CreateProgramGroup("Tools", Language().groupSection, Prepared().destination);
        EXPECT_EQ(ProgmanPendingRequest(), static_cast<UINT>(WM_DDE_EXECUTE));
        EXPECT_TRUE(WaitForAnswer()) << answer;
        EXPECT_TRUE(watcher.Stop().empty()) << answer;
        EXPECT_EQ(ProgmanServer(), server.window) << "still connected";
        EXPECT_EQ(GetFocus(), client_);
        ASSERT_EQ(server.executes.size(), 1u);
        EXPECT_EQ(server.executes[0], "[CreateGroup(\"Tools\")]" + Item("prog.exe"));
        EndProgmanConversation();
        Pump(50);
        DestroyWindow(server.window);
        g_servers.clear();
    }
}

TEST_F(Progman, ItemsUseTheShortDestinationAndSkipMissingFiles) {
    const std::string deep = folder_.Folder() + "\\Corvane Program Files";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    destination_ = deep + "\\";
    snprintf(Prepared().destination, kMaxPath, "%s", destination_.c_str());
    folder_.Put("Corvane Program Files\\corvane.exe", "x");
    folder_.Put("Corvane Program Files\\readme.txt", "x");
    Group("1=gone.exe\n2=corvane.exe\",\"Corvane\n3=readme.txt\n5=corvane.exe\n");
    ASSERT_NE(ShortDestination(), destination_) << "the folder needs a short name";
    TestServer server;
    Connect(server);
    CreateProgramGroup("Corvane", Language().groupSection, Prepared().destination);
    ASSERT_TRUE(WaitForAnswer());
    ASSERT_EQ(server.executes.size(), 1u);
    EXPECT_EQ(server.executes[0], "[CreateGroup(\"Corvane\")]" + Item("corvane.exe\",\"Corvane") + Item("readme.txt"));
}

TEST_F(Progman, AtMostTwentyItems) {
    std::string lines;
    for (int i = 1; i <= 25; ++i) {
        std::string name = "tool" + std::to_string(i) + ".exe";
        folder_.Put(name, "x");
        lines += std::to_string(i) + "=" + name + "\n";
    }
    Group(lines);
    TestServer server;
    Connect(server);
    CreateProgramGroup("Many", Language().groupSection, Prepared().destination);
    ASSERT_TRUE(WaitForAnswer());
    ASSERT_EQ(server.executes.size(), 1u);
    const std::string& text = server.executes[0];
    size_t count = 0;
    for (size_t at = text.find("[AddItem("); at != std::string::npos; at = text.find("[AddItem(", at + 1)) ++count;
    EXPECT_EQ(count, 20u);
    EXPECT_NE(text.find(Item("tool20.exe")), std::string::npos);
    EXPECT_EQ(text.find("tool21.exe"), std::string::npos);
}

TEST_F(Progman, NoItemsNoGroupAndNoMessage) {
    Group("1=gone.exe\n2=also gone.exe\n");
    TestServer server;
    BoxWatcher watcher;
    Connect(server);
    CreateProgramGroup("Empty", Language().groupSection, Prepared().destination);
    Pump(200);
    EXPECT_TRUE(watcher.Stop().empty());
    EXPECT_TRUE(server.executes.empty());
    EXPECT_EQ(ProgmanPendingRequest(), 0u);

    ResetProgmanConversation();  // even without a server: nothing to say
    BoxWatcher second;
    CreateProgramGroup("Empty", Language().groupSection, Prepared().destination);
    EXPECT_TRUE(second.Stop().empty());
}

TEST_F(Progman, ServerThatEndsFirstIsAnsweredAndForgotten) {
    TestServer server;
    server.answer = kTerminateInstead;
    Group("1=prog.exe\n");
    Connect(server);
    CreateProgramGroup("Tools", Language().groupSection, Prepared().destination);
    Pump(200);
    EXPECT_EQ(ProgmanServer(), nullptr);
    EXPECT_EQ(server.terminates, 1);
    EXPECT_EQ(server.terminateFrom, client_);
    EndProgmanConversation();  // as on WM_DESTROY: nothing more to end
    Pump(100);
    EXPECT_EQ(server.terminates, 1);
}

TEST_F(Progman, EndingWhileConnectedPostsTheTerminate) {
    TestServer server;
    Connect(server);
    EndProgmanConversation();
    Pump(100);
    EXPECT_EQ(ProgmanServer(), nullptr);
    EXPECT_EQ(server.terminates, 1);
    EXPECT_EQ(server.terminateFrom, client_);
}

TEST_F(Progman, StrayMessagesAreIgnored) {
    TestServer server, stranger;
    AddServer(stranger);
    Connect(server);
    OnProgmanTerminate(stranger.window);  // not our server
    EXPECT_EQ(ProgmanServer(), server.window);
    OnProgmanAcknowledge(stranger.window, MAKELPARAM(0, 0));  // nothing pending
    EXPECT_EQ(ProgmanServer(), server.window);
    EXPECT_EQ(ProgmanPendingRequest(), 0u);
}

struct WarningCase {
    unsigned short index;
    const char* text;
    const char* caption;
};

TEST_F(Progman, CouldNotCreateWarningWhenNoServerOrARequestPending) {
    const WarningCase cases[] = {
        {1, "Could not create program manager group!", "Error"},
        {2, "Programm-Gruppe konnte nicht korrekt erstellt werden!", "Fehler"},
        {3, "Le groupe ne pouvait pas \xEAtre cr\xE9\xE9!", "Error"},
    };
    Group("1=prog.exe\n");
    for (const WarningCase& c : cases) {
        Language().index = c.index;
        ResetProgmanConversation();
        BoxWatcher watcher;
        CreateProgramGroup("Tools", Language().groupSection, Prepared().destination);
        std::vector<SeenBox> boxes = watcher.Stop();
        ASSERT_EQ(boxes.size(), 1u) << c.index;
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].caption, c.caption);
    }

    Language().index = kLanguageEnglish;
    TestServer silent;
    silent.answer = kNoAnswer;
    Connect(silent);
    CreateProgramGroup("Tools", Language().groupSection, Prepared().destination);
    EXPECT_EQ(ProgmanPendingRequest(), static_cast<UINT>(WM_DDE_EXECUTE));
    BoxWatcher watcher;
    CreateProgramGroup("Tools again", Language().groupSection, Prepared().destination);
    std::vector<SeenBox> boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Could not create program manager group!");
    EXPECT_EQ(silent.executes.size(), 1u);
}

TEST_F(Progman, NoAnswerWarningTexts) {
    // Wine's shell always answers, so the warning is shown directly here.
    const WarningCase cases[] = {
        {1, "Programm-Manager does not answer!", "Error"},
        {2, "Programm-Manager antwortet nicht!", "Fehler"},
        {3, "Programm-Manager ne r\xE9pond pas!", "Erreur"},
        {9, "Programm-Manager does not answer!", "Error"},
    };
    for (const WarningCase& c : cases) {
        Language().index = c.index;
        BoxWatcher watcher;
        WarnNoAnswer();
        std::vector<SeenBox> boxes = watcher.Stop();
        ASSERT_EQ(boxes.size(), 1u) << c.index;
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].caption, c.caption);
    }
}

}  // namespace
