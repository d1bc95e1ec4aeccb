#include "checker/disk_drive.h"

#include "checker/platform.h"
#include "fs/thread_state.h"

DiskDrive::DiskDrive(std::vector<std::string> folders) : folders_(std::move(folders)), used_(folders_.size()) {
    if (!used_.empty()) used_[0] = true;
}

bool DiskDrive::Restart() {
    CurrentThreadState().currentDisk = 0;
    current_ = 0;
    missing_ = 0;
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

bool DiskDrive::AskForDisk(void* context, int n) { return static_cast<DiskDrive*>(context)->Insert(n); }

DecoderPorts DiskDrive::Ports() {
    DecoderPorts ports = kQuietPorts;
    ports.context = this;
    ports.askForDisk = AskForDisk;
    return ports;
}
