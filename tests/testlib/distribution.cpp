#include "testlib/distribution.h"

#include <windows.h>

#include <cstdio>

std::string MakeTemporaryFolder(const char* stem) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    for (;;) {
        char folder[MAX_PATH];
        snprintf(folder, sizeof folder, "%s%s%lu_%u", temp, stem, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(folder, nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
    }
}

namespace {

void AddFilesBelow(const std::string& folder, const std::string& prefix, std::map<std::string, uint32_t>& files) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            AddFilesBelow(folder + "\\" + name, prefix + name + "\\", files);
        } else {
            files[prefix + name] = data.nFileSizeLow;
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

}  // namespace

std::map<std::string, uint32_t> FilesBelow(const std::string& folder) {
    std::map<std::string, uint32_t> files;
    AddFilesBelow(folder, "", files);
    return files;
}

void RemoveTree(const std::string& folder) {
    if (folder.empty()) return;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string ReadWholeFile(const std::string& path) {
    std::string content;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return content;
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0) content.append(block, got);
    fclose(file);
    return content;
}

Distribution::Distribution() : folder_(MakeTemporaryFolder("dist")) { CopyIn(SETUP_EXE_PATH, "SETUP.EXE"); }

Distribution::~Distribution() { RemoveTree(folder_); }

void Distribution::WriteFile(const std::string& name, const std::string& content) const {
    FILE* file = fopen(PathOf(name).c_str(), "wb");
    if (!file) return;
    fwrite(content.data(), 1, content.size(), file);
    fclose(file);
}

void Distribution::CopyIn(const std::string& source, const std::string& name) const {
    CopyFileA(source.c_str(), PathOf(name).c_str(), FALSE);
}

bool Distribution::Exists(const std::string& name) const {
    return GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Distribution::StartSetup(DrivenProcess& process) const {
    return StartProcess(PathOf("SETUP.EXE"), folder_, process);
}
