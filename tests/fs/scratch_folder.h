// A fresh folder for file-layer tests, removed with its contents when the
// object goes; paths inside it use backslashes on both builds (the host's
// file layer reads them as separators). Plain-file helpers go around the
// file layer so that they do not depend on what they check.
#pragma once

#include <cstdio>
#include <string>

#ifdef _WIN32
#include "testlib/distribution.h"
#else
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

inline std::string NativePath(std::string path) {
#ifndef _WIN32
    for (char& c : path)
        if (c == '\\') c = '/';
#endif
    return path;
}

class ScratchFolder {
public:
    ScratchFolder() {
#ifdef _WIN32
        folder_ = MakeTemporaryFolder("fs");
#else
        char pattern[] = "/tmp/corvane_fs_XXXXXX";
        if (mkdtemp(pattern)) folder_ = pattern;
#endif
    }
    ~ScratchFolder() {
#ifdef _WIN32
        RemoveTree(folder_);
#else
        if (!folder_.empty()) nftw(folder_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
#endif
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

    void Put(const std::string& name, const std::string& content) const {
        FILE* file = fopen(NativePath(Path(name)).c_str(), "wb");
        if (!file) return;
        fwrite(content.data(), 1, content.size(), file);
        fclose(file);
    }
    std::string Get(const std::string& name) const {
        std::string content;
        FILE* file = fopen(NativePath(Path(name)).c_str(), "rb");
        if (!file) return "<missing>";
        char block[512];
        size_t got;
        while ((got = fread(block, 1, sizeof block, file)) > 0) content.append(block, got);
        fclose(file);
        return content;
    }

private:
#ifndef _WIN32
    static int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
        chmod(path, 0700);
        return remove(path);
    }
#endif
    std::string folder_;
};
