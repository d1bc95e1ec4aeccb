// SETUP.EXE ended without warning (TerminateProcess, as a power cut or the
// task manager would) at ten points of an installation with data backups,
// plain files, a system file and an archive whose system member replaces
// an older version; after each, one complete run must leave the same tree
// as an uninterrupted installation, keep every backup the first run made,
// and leave no temporary file of a replacement; the system file is the old
// one or the new one, whole, right after each cut. And Cancel during each
// member of a three-member archive.
//
// The points are chosen by what can be seen: the progress dialog's file
// line and the files on disk. The installing thread runs in short steps
// and is held still while the test looks, so that a stage is caught in the
// act and ended right there; a stage that slips through between two steps
// (a very busy machine) is tried again.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

const char kCaption[] = "Installation Interruption Test";
const char kProgressCaption[] = "Unpacking files...";
const char kRestartQuestion[] = "Some files in your Windows System directory were updated.";
const int kFileLine = 130;
// Past the file line's interval (50 ms) with room to spare.
const DWORD kLongerThanFileLineMs = 80;
const int kWatchLimitMs = 60000;

const size_t kMegabyte = 1 << 20;
const size_t kUserDataSize = 8 * kMegabyte;  // larger than what replaces it
const size_t kNewDataSize = 6 * kMegabyte;

std::string Fixture(const char* name) { return std::string(FIXTURE_DIR) + "/" + name; }

std::string SystemPath(const std::string& name) {
    char directory[MAX_PATH];
    GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

// Compressible, but not the same from one file to the next.
std::string Pattern(const char* seed, size_t size) {
    std::string text;
    text.reserve(size + 64);
    for (unsigned line = 0; text.size() < size; ++line) {
        text += std::string(seed) + " line " + std::to_string(line) + "\r\n";
    }
    text.resize(size);
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// -1 when there is nothing.
long long SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Files below a folder by relative name.
typedef std::map<std::string, std::string> Tree;

void Collect(const std::string& folder, const std::string& prefix, Tree& tree) {
    for (const auto& file : FilesBelow(folder)) tree[prefix + file.first] = ReadWholeFile(folder + "\\" + file.first);
}

// Numbered backups of the two listed files: SETTING0.INI, BIG0.DAT, ...
bool IsBackupName(const std::string& name) {
    for (const char* stem : {"SETTING", "BIG"}) {
        std::string s = stem;
        if (name.size() > s.size() && name.compare(0, s.size(), s) == 0 && name[s.size()] >= '0' &&
            name[s.size()] <= '9' && name.find('.') == s.size() + 1) {
            return true;
        }
    }
    return false;
}

std::string Differences(const Tree& expected, const Tree& got) {
    std::string text;
    for (const auto& file : expected) {
        auto other = got.find(file.first);
        if (other == got.end()) text += " missing " + file.first;
        else if (other->second != file.second) text += " differs " + file.first;
    }
    for (const auto& file : got) {
        if (!expected.count(file.first)) text += " extra " + file.first;
    }
    return text.empty() ? "none" : text;
}

// Names ending in '$' below a folder (not descending).
std::vector<std::string> TemporaryNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*$").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}

// The progress dialog of the process, shown or not yet; null when none.
struct DialogQuery {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchProgressDialog(HWND window, LPARAM parameter) {
    DialogQuery& query = *reinterpret_cast<DialogQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[64] = "";
    // Top-level captions of another process come from the window manager.
    if (owner != query.processId || !GetWindowTextA(window, caption, sizeof caption)) return TRUE;
    if (lstrcmpA(caption, kProgressCaption) != 0) return TRUE;
    query.found = window;
    return FALSE;
}

// The interface thread of SETUP.EXE (which also installs), run in small
// steps. The thread is held while a condition is looked at; when it holds,
// the thread stays held, so that the caller acts at exactly that moment.
class Stepper {
public:
    // window: any window of that thread.
    Stepper(const DrivenProcess& process, HWND window) : process_(process) {
        DWORD id = GetWindowThreadProcessId(window, nullptr);
        thread_ = OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, id);
    }
    ~Stepper() {
        Release();
        if (thread_) CloseHandle(thread_);
    }
    Stepper(const Stepper&) = delete;
    Stepper& operator=(const Stepper&) = delete;

    HWND ProgressDialog() const {
        if (!dialog_) {
            DialogQuery query = {process_.id, nullptr};
            EnumWindows(MatchProgressDialog, reinterpret_cast<LPARAM>(&query));
            dialog_ = query.found;
        }
        return dialog_;
    }

    // Looked at once, without waiting.
    bool MessageBoxShown() const {
        return ShownMessageBox(process_.id) != nullptr;
    }

    // The current-file line, read from the window manager's copy: the held
    // thread could not answer a message.
    std::string FileLine() const {
        return ProgressDialog() ? KeptWindowText(GetDlgItem(dialog_, kFileLine)) : std::string();
    }

    // True with the thread held once caught(*this) holds; false when the
    // process ended, the installation ended first, or time ran out. With
    // heldMs the thread stays held that long at each step: the clock runs
    // far ahead of its work, so that what it does only every few
    // milliseconds (looking at its message queue) comes after little work.
    template <typename Condition>
    bool Until(const Condition& caught, DWORD heldMs = 0) {
        if (!thread_) return false;
        DWORD start = GetTickCount();
        for (unsigned step = 0;; ++step) {
            Hold();
            if (caught(*this)) return true;
            if (heldMs) Sleep(heldMs);
            Release();
            Run();
            if (WaitForSingleObject(process_.process, 0) == WAIT_OBJECT_0) return false;
            if (step % 64 != 63) continue;
            // A message after the progress dialog came: the installation is over.
            if (ProgressDialog() && MessageBoxShown()) return false;
            if (GetTickCount() - start > static_cast<DWORD>(kWatchLimitMs)) return false;
        }
    }

    void Release() {
        if (held_) ResumeThread(thread_);
        held_ = false;
    }

private:
    // The thread's turn: a tenth of a millisecond here (a sleep would be
    // ten times that), plus the time the system takes to stop it again.
    static void Run() {
        LARGE_INTEGER frequency, start, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        do QueryPerformanceCounter(&now);
        while ((now.QuadPart - start.QuadPart) * 10000 < frequency.QuadPart);
    }

    // Asking for the registers waits until the thread has really stopped.
    void Hold() {
        SuspendThread(thread_);
        CONTEXT context;
        context.ContextFlags = CONTEXT_CONTROL;
        GetThreadContext(thread_, &context);
        held_ = true;
    }

    const DrivenProcess& process_;
    mutable HWND dialog_ = nullptr;
    HANDLE thread_ = nullptr;
    bool held_ = false;
};

enum Stage { kAtQuestion, kInstalling, kAtFinalMessage };
enum Place { kInDestination, kInSystem };

// Where SETUP.EXE is ended. While installing: when the file line ends with
// line and the file has begun, with a size in [from, to) percent of size
// (size 0: any size).
struct KillPoint {
    const char* label;
    Stage stage;
    const char* line;
    Place place;
    const char* file;
    size_t size;
    int from, to;
};

class Interruption : public testing::Test {
protected:
    void SetUp() override {
        dist_.WriteFile("SETTINGS.INI", "installed settings\r\n");
        dist_.WriteFile("BIG.DAT", Pattern("installed", kNewDataSize));
        dist_.CopyIn(Fixture("cvlarge.dll"), "CVPLAIN.DLL");
        dist_.CopyIn(Fixture("interrupt.zip"), "INTERRUPT.ZIP");
        dist_.CopyIn(Fixture("three.zip"), "THREE.ZIP");
        largeLibrary_ = ReadWholeFile(Fixture("cvlarge.dll"));
        ASSERT_GT(largeLibrary_.size(), 3 * kMegabyte);
        RemoveSystemFiles();
    }
    void TearDown() override {
        EndProcess(process_);
        RemoveSystemFiles();
        RemoveTree(root_);
    }

    void RemoveSystemFiles() const {
        for (const char* name : {"CVPLAIN.DLL", "CVPLAIN.DL$", "CVARC.DLL", "CVARC.DL$"}) {
            DeleteFileA(SystemPath(name).c_str());
        }
    }

    std::string At(const std::string& name) const { return destination_ + "\\" + name; }
    std::string PathOf(Place place, const char* name) const {
        return place == kInSystem ? SystemPath(name) : At(name);
    }

    // A fresh destination holding the user's files, older versions of both
    // system files, and the setup information for it.
    void Prepare() {
        RemoveTree(root_);
        root_ = MakeTemporaryFolder("cut");
        destination_ = root_ + "\\app";
        CreateDirectoryA(destination_.c_str(), nullptr);
        WriteUserFile("SETTINGS.INI", "user settings\r\n");
        WriteUserFile("BIG.DAT", Pattern("user data", kUserDataSize));
        RemoveSystemFiles();
        CopyFileA(Fixture("ver4000.dll").c_str(), SystemPath("CVPLAIN.DLL").c_str(), FALSE);
        CopyFileA(Fixture("ver4000.dll").c_str(), SystemPath("CVARC.DLL").c_str(), FALSE);
        dist_.WriteFile("SETUP.inf",
                        SimpleInf("Interruption Test", destination_,
                                  "1=SETTINGS.INI\r\n2=CVPLAIN.DLL,S\r\n3=INTERRUPT.ZIP,Z\r\n4=BIG.DAT\r\n",
                                  "[Backup data]\r\n1=SETTINGS.INI\r\n2=BIG.DAT\r\n[ini]\r\n1=" + At("CORVANE.INI") +
                                      ",State,Installed,complete\r\n"));
    }
    void WriteUserFile(const char* name, const std::string& content) const {
        FILE* file = fopen(At(name).c_str(), "wb");
        fwrite(content.data(), 1, content.size(), file);
        fclose(file);
    }

    // Through the destination and the question whether to install into
    // an existing folder; the installation runs.
    bool StartInstalling(bool folderExists) {
        if (!dist_.StartSetup(process_) || !ConfirmDestination(process_, kCaption)) return false;
        return !folderExists || AnswerMessageBox(process_, kCaption, "&Yes").rfind("The specified directory", 0) == 0;
    }

    // Starts SETUP.EXE and waits for the answer that starts the
    // installation: the destination dialog's OK, or Yes to the question
    // whether to install into an existing folder. Not given yet: the
    // caller steps from then on.
    bool AwaitLastAnswer(bool folderExists, HWND& window, int& button) {
        if (!dist_.StartSetup(process_)) return false;
        if (!folderExists) {
            window = WaitForWindow(process_, kCaption, "#32770");
            button = IDOK;
            return window && GetDlgItem(window, 101);
        }
        if (!ConfirmDestination(process_, kCaption)) return false;
        window = WaitForMessageBox(process_, kCaption);
        button = IDYES;
        return window && MessageBoxText(window).rfind("The specified directory", 0) == 0;
    }

    // A complete run: the restart question (after a replacement) or the
    // success message, and the process's exit code.
    std::string CompleteRun() {
        if (!StartInstalling(true)) return "<not started>";
        HWND box = WaitForMessageBox(process_, nullptr, 120000);
        std::string text = box ? MessageBoxText(box) : "<no message>";
        bool restart = text.rfind(kRestartQuestion, 0) == 0;
        if (box) ClickButtonByText(box, restart ? "&No" : "OK");
        int code = WaitForExit(process_);
        if (code != 0) return "exit code " + std::to_string(code);
        return restart ? "restart question" : text;
    }

    // The destination without the backups, and the two system files.
    Tree Installed() const {
        Tree all;
        Collect(destination_, "", all);
        Tree tree;
        for (const auto& file : all) {
            if (!IsBackupName(file.first)) tree[file.first] = file.second;
        }
        for (const char* name : {"CVPLAIN.DLL", "CVARC.DLL"}) {
            tree[std::string("<system>\\") + name] = ReadWholeFile(SystemPath(name));
        }
        return tree;
    }
    Tree Backups() const {
        Tree all;
        Collect(destination_, "", all);
        Tree backups;
        for (const auto& file : all) {
            if (IsBackupName(file.first)) backups[file.first] = file.second;
        }
        return backups;
    }

    // Ends SETUP.EXE at the point. Empty when it was ended there, else
    // what was seen last.
    std::string KillAt(const KillPoint& point) {
        if (point.stage == kAtQuestion) {
            if (!dist_.StartSetup(process_) || !ConfirmDestination(process_, kCaption) ||
                !WaitForMessageBox(process_, kCaption)) {
                return "no question";
            }
        } else if (point.stage == kAtFinalMessage) {
            if (!StartInstalling(true) || !WaitForMessageBox(process_, nullptr, 120000)) return "no final message";
        } else {
            HWND window;
            int button;
            if (!AwaitLastAnswer(true, window, button)) return "no question";
            Stepper stepper(process_, window);
            ClickButton(window, button);
            const std::string path = PathOf(point.place, point.file);
            std::string seen;
            auto atPoint = [&](const Stepper& s) {
                const std::string line = s.FileLine();
                const long long size = SizeOf(path);
                if (!EndsWith(line, point.line) || size <= 0) return false;
                seen = line + ", " + std::to_string(size) + " bytes";
                return point.size == 0 || (size * 100 >= static_cast<long long>(point.size) * point.from &&
                                           size * 100 < static_cast<long long>(point.size) * point.to);
            };
            // A file begun within 50 ms of the last name shown waits for its
            // name, and a fast machine can finish it first: held inside the
            // file for longer than that, the thread names it as it goes on.
            // (A user's file of that name is larger than the new one.)
            auto begun = [&](const Stepper& s) {
                const long long size = SizeOf(path);
                return atPoint(s) || (size > 0 && (point.size == 0 || size < static_cast<long long>(point.size)));
            };
            if (!stepper.Until(begun)) {
                return "not reached; the file never began";
            }
            if (!atPoint(stepper)) {
                Sleep(kLongerThanFileLineMs);
                stepper.Release();
                if (!stepper.Until(atPoint)) return "not reached; last seen: " + (seen.empty() ? "nothing" : seen);
            }
            // Ended while held: not one more instruction of it runs.
            TerminateProcess(process_.process, 99);
            return WaitForExit(process_) == 99 ? "" : "did not end";
        }
        TerminateProcess(process_.process, 99);
        return WaitForExit(process_) == 99 ? "" : "did not end";
    }

    Distribution dist_;
    DrivenProcess process_;
    std::string root_;
    std::string destination_;
    std::string largeLibrary_;
};

TEST_F(Interruption, EveryStageRecoversWithOneCompleteRun) {
    const KillPoint points[] = {
        {"at the destination question", kAtQuestion, nullptr, kInDestination, nullptr, 0, 0, 0},
        {"backing up the user's data", kInstalling, "\\BIG0.DAT", kInDestination, "BIG0.DAT", kUserDataSize, 0, 100},
        {"system file copy under its temporary name", kInstalling, "\\CVPLAIN.DL$", kInSystem, "CVPLAIN.DL$",
         largeLibrary_.size(), 25, 100},
        {"stored member", kInstalling, "\\STORED.BIN", kInDestination, "STORED.BIN", 0, 0, 0},
        {"deflated member", kInstalling, "\\DEFLATED.TXT", kInDestination, "DOCS\\DEFLATED.TXT", 0, 0, 0},
        {"system member under its temporary name", kInstalling, "\\CVARC.DL$", kInSystem, "CVARC.DL$", 0, 0, 0},
        {"last member", kInstalling, "\\LAST.TXT", kInDestination, "LAST.TXT", 0, 0, 0},
        {"plain copy, first half", kInstalling, "\\BIG.DAT", kInDestination, "BIG.DAT", kNewDataSize, 0, 50},
        {"plain copy, second half", kInstalling, "\\BIG.DAT", kInDestination, "BIG.DAT", kNewDataSize, 50, 100},
        {"at the final message", kAtFinalMessage, nullptr, kInDestination, nullptr, 0, 0, 0},
    };

    Prepare();
    ASSERT_EQ(CompleteRun(), "restart question");
    const Tree reference = Installed();
    ASSERT_EQ(reference.at("SETTINGS.INI"), "installed settings\r\n");
    ASSERT_TRUE(reference.at("<system>\\CVARC.DLL") == largeLibrary_);
    ASSERT_TRUE(reference.at("<system>\\CVPLAIN.DLL") == largeLibrary_);
    ASSERT_EQ(reference.count("CORVANE.INI"), 1u);
    const std::string userData = Pattern("user data", kUserDataSize);
    const std::string oldLibrary = ReadWholeFile(Fixture("ver4000.dll"));

    for (const KillPoint& point : points) {
        SCOPED_TRACE(point.label);
        // A stage can slip through between two steps when the machine is
        // very busy: the point is tried again from the start.
        std::string missed;
        for (int attempt = 0; attempt < 3; ++attempt) {
            Prepare();
            missed = KillAt(point);
            if (missed.empty()) break;
        }
        ASSERT_EQ(missed, "");
        const Tree leftByTheCut = Backups();
        // A shared file is the old one or the new one, whole, whenever the
        // run ends.
        const std::string plain = ReadWholeFile(SystemPath("CVPLAIN.DLL"));
        EXPECT_TRUE(plain == oldLibrary || plain == largeLibrary_) << "CVPLAIN.DLL holds " << plain.size() << " bytes";

        std::string outcome = CompleteRun();
        EXPECT_TRUE(outcome == "restart question" || outcome == "Installation successful!") << outcome;
        const Tree installed = Installed();
        EXPECT_TRUE(installed == reference) << "differences:" << Differences(reference, installed);

        // What the cut run saved is still there, and the user's data is
        // saved whole somewhere.
        const Tree backups = Backups();
        for (const auto& backup : leftByTheCut) {
            auto now = backups.find(backup.first);
            EXPECT_TRUE(now != backups.end() && now->second == backup.second) << backup.first << " was lost";
        }
        bool settingsKept = false;
        bool dataKept = false;
        for (const auto& backup : backups) {
            settingsKept = settingsKept || backup.second == "user settings\r\n";
            dataKept = dataKept || backup.second == userData;
        }
        EXPECT_TRUE(settingsKept);
        EXPECT_TRUE(dataKept);

        char systemDirectory[MAX_PATH];
        GetSystemDirectoryA(systemDirectory, MAX_PATH);
        for (const std::string& folder : {std::string(systemDirectory), destination_}) {
            std::vector<std::string> left = TemporaryNames(folder);
            EXPECT_TRUE(left.empty()) << left.front() << " left in " << folder;
        }
    }
}

// Cancel while each member of a three-member archive is written: the
// message, no file of that member, the earlier ones whole. A member is
// being written while its file exists and the next file (after the last
// member the plain file behind the archive) does not yet. The file line
// changes at most every 50 ms, and a file that takes longer shows its own
// name: held inside the member for longer than that, the thread names the
// member as soon as it goes on, and the cancel comes while it is named.
TEST_F(Interruption, CancelDuringEachMember) {
    const char* const files[] = {"ONE.BIN", "TWO.TXT", "THREE.TXT", "SETTINGS.INI"};
    std::vector<std::string> reference;
    Prepare();
    dist_.WriteFile("SETUP.inf", SimpleInf("Interruption Test", destination_, "1=THREE.ZIP,Z\r\n2=SETTINGS.INI\r\n"));
    ASSERT_EQ(CompleteRun(), "Installation successful!");
    for (int i = 0; i < 3; ++i) reference.push_back(ReadWholeFile(At(files[i])));
    ASSERT_GT(reference[2].size(), kMegabyte);

    for (int cancelled = 0; cancelled < 3; ++cancelled) {
        SCOPED_TRACE(files[cancelled]);
        const std::string line = std::string("\\") + files[cancelled];
        const std::string path = At(files[cancelled]);
        const std::string next = At(files[cancelled + 1]);
        auto going = [&] { return SizeOf(path) >= 0 && SizeOf(next) < 0; };
        // The click waits in the queue until the program looks, which it
        // does every few milliseconds: the thread goes on slowly until the
        // member's file has gone or the next file has begun. The latter
        // means the member ended before its name came or before the click
        // was seen (only when the machine is very busy): the run is tried
        // again.
        bool inTime = false;
        for (int attempt = 0; attempt < 3 && !inTime; ++attempt) {
            RemoveTree(destination_);
            HWND window;
            int button;
            ASSERT_TRUE(AwaitLastAnswer(false, window, button));
            Stepper stepper(process_, window);
            ClickButton(window, button);
            ASSERT_TRUE(stepper.Until([&](const Stepper&) { return going(); }));
            Sleep(kLongerThanFileLineMs);
            stepper.Release();
            bool named = stepper.Until([&](const Stepper& s) { return EndsWith(s.FileLine(), line) || !going(); }, 2) &&
                         going();
            if (named) {
                ClickButton(stepper.ProgressDialog(), IDCANCEL);
                stepper.Release();
                // On a busy machine the thread can also reach its message
                // in one turn.
                ASSERT_TRUE(stepper.Until([&](const Stepper&) { return !going(); }, 2) || !going());
                inTime = SizeOf(path) < 0;
            }
            stepper.Release();
            if (!inTime) EndProcess(process_);
        }
        ASSERT_TRUE(inTime) << "the member always ended before the click was seen";
        EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"), "Installation aborted!");
        EXPECT_EQ(AnswerMessageBox(process_, kCaption, "OK"), "Installation NOT successful!");
        EXPECT_EQ(WaitForExit(process_), 0);
        for (int i = 0; i < 3; ++i) {
            if (i < cancelled) {
                EXPECT_TRUE(ReadWholeFile(At(files[i])) == reference[i]) << files[i] << " is not whole";
            } else {
                EXPECT_EQ(SizeOf(At(files[i])), -1) << files[i] << " was left";
            }
        }
    }
}

}  // namespace
