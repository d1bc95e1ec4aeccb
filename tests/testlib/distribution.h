// A temporary distribution folder: SETUP.EXE and whatever files a test
// lays beside it. Removed with everything in it when the object goes.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "testlib/window_driver.h"

class Distribution {
public:
    Distribution();
    ~Distribution();
    Distribution(const Distribution&) = delete;
    Distribution& operator=(const Distribution&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }

    void WriteFile(const std::string& name, const std::string& content) const;
    void CopyIn(const std::string& source, const std::string& name) const;
    bool Exists(const std::string& name) const;

    // Starts the folder's SETUP.EXE with the folder as working directory.
    bool StartSetup(DrivenProcess& process) const;

private:
    std::string folder_;
};

// A unique new folder under the temporary directory.
std::string MakeTemporaryFolder(const char* stem);

// Every file below a folder, by its name relative to the folder
// ("sub\\name"), with its size.
std::map<std::string, uint32_t> FilesBelow(const std::string& folder);

// Removes a folder and everything below it.
void RemoveTree(const std::string& folder);

std::string ReadWholeFile(const std::string& path);
