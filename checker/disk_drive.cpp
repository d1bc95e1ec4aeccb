#include "checker/disk_drive.h"

#include <cstdio>

#include "checker/platform.h"
#include "fs/file_search.h"
#include "fs/thread_state.h"

namespace {

// The whole file, or nothing with false.
bool ReadAll(const std::string& path, std::string& bytes) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    fclose(file);
    return true;
}

}  // namespace

DiskDrive::DiskDrive(std::vector<std::string> folders) : folders_(std::move(folders)), used_(folders_.size()) {
    if (!used_.empty()) used_[0] = true;
}

bool DiskDrive::Restart() {
    CurrentThreadState().currentDisk = 0;
    current_ = 0;
    missing_ = 0;
    prompt_ = 0;
    return ChangeFolder(folders_[0]);
}

int DiskDrive::TakeMissingDisk() {
    int missing = missing_;
    missing_ = 0;
    return missing;
}

bool DiskDrive::Insert(int n) {
    if (n < 0 || n >= DiskCount() || !ChangeFolder(folders_[static_cast<size_t>(n)])) {
        missing_ = n;
        return false;
    }
    current_ = n;
    used_[static_cast<size_t>(n)] = true;
    return true;
}

bool DiskDrive::AskForDisk(void* context, int n) {
    static_cast<DiskDrive*>(context)->prompt_ = n;
    return static_cast<DiskDrive*>(context)->Insert(n);
}

int DiskDrive::TakePrompt() {
    int prompt = prompt_;
    prompt_ = 0;
    return prompt;
}

bool DiskDrive::SameAsFirstDisk(const std::string& name) const {
    std::string first, here;
    bool read = ReadAll(JoinNative(folders_[0], name), first);
    return ReadAll(JoinNative(folders_[static_cast<size_t>(current_)], name), here) == read && here == first;
}

bool DiskDrive::AnyDiskHolds(const char* name) const {
    bool found = false;
    for (const std::string& folder : folders_) {
        SearchRecord record;
        found = found || (ChangeFolder(folder) && FindEntry(name, record));
    }
    ChangeFolder(folders_[static_cast<size_t>(current_)]);
    return found;
}

DecoderPorts DiskDrive::Ports() {
    DecoderPorts ports = kQuietPorts;
    ports.context = this;
    ports.askForDisk = AskForDisk;
    return ports;
}
