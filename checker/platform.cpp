#include "checker/platform.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#endif

#ifdef _WIN32

bool ChangeFolder(const std::string& folder) { return SetCurrentDirectoryA(folder.c_str()) != 0; }

std::string FullFolderPath(const std::string& folder) {
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(folder.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return std::string();
    DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::string();
    std::string path = full;
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

std::string JoinNative(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(JoinNative(folder, "*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}

std::string MakeScratchFolder() {
    char temp[MAX_PATH];
    if (!GetTempPathA(sizeof temp, temp)) return std::string();
    for (unsigned serial = 0; serial < 1000; ++serial) {
        char folder[MAX_PATH];
        snprintf(folder, sizeof folder, "%ssetupcheck%lu_%u", temp, GetCurrentProcessId(), serial);
        if (CreateDirectoryA(folder, nullptr)) return folder;
    }
    return std::string();
}

void RemoveScratchFolder(const std::string& folder) {
    for (const std::string& name : FolderNames(folder)) {
        std::string path = JoinNative(folder, name);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str())) RemoveScratchFolder(path);
    }
    RemoveDirectoryA(folder.c_str());
}

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

unsigned long MillisecondsNow() { return GetTickCount(); }

void UseBinaryStdout() { _setmode(_fileno(stdout), _O_BINARY); }

#else

bool ChangeFolder(const std::string& folder) { return chdir(folder.c_str()) == 0; }

std::string FullFolderPath(const std::string& folder) {
    char full[PATH_MAX];
    if (!realpath(folder.c_str(), full)) return std::string();
    struct stat info;
    if (stat(full, &info) != 0 || !S_ISDIR(info.st_mode)) return std::string();
    return full;
}

std::string JoinNative(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    if (!directory) return names;
    while (dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(directory);
    return names;
}

std::string MakeScratchFolder() {
    // Decoded members pass through one scratch file: in memory where the
    // system offers a memory file system, so that the disk is not written.
    const char* temp = getenv("TMPDIR");
    struct stat shm;
    bool memory = stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode) && access("/dev/shm", W_OK) == 0;
    std::string base = temp && *temp ? temp : memory ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/setupcheck.XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) return std::string();
    return buffer.data();
}

void RemoveScratchFolder(const std::string& folder) {
    for (const std::string& name : FolderNames(folder)) {
        std::string path = JoinNative(folder, name);
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            RemoveScratchFolder(path);
        } else {
            unlink(path.c_str());
        }
    }
    rmdir(folder.c_str());
}

bool StderrIsTerminal() { return isatty(fileno(stderr)) != 0; }

unsigned long MillisecondsNow() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<unsigned long>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

void UseBinaryStdout() {}

#endif
