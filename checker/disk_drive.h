// The drive that SETUP.EXE reads its distribution from, with its disks:
// disk 0 is the distribution folder, disks 1, 2, ... the --disk folders in
// order. The checker works with the drive's folder as its current folder
// and names the distribution's files relative to it, so that the decoder,
// which reopens an archive by the same name after a disk change, finds the
// next disk's file exactly as SETUP.EXE finds it after the user swapped
// the floppy.
#pragma once

#include <string>
#include <vector>

#include "unzip/decoder_ports.h"

class DiskDrive {
public:
    explicit DiskDrive(std::vector<std::string> folders);

    // Disk 0 in the drive and the decoder's disk count back to 0, as when
    // SETUP.EXE starts. False when the folder cannot be entered.
    bool Restart();
    int CurrentDisk() const { return current_; }
    int DiskCount() const { return static_cast<int>(folders_.size()); }
    bool WasUsed(int disk) const { return used_[static_cast<size_t>(disk)]; }

    // The number of the last disk asked for that is not there, or 0; reset
    // by TakeMissingDisk.
    int TakeMissingDisk();

    // The disk last asked for since the previous call, or 0: where the
    // customer is prompted to change the floppy.
    int TakePrompt();
    // Whether the file (relative to a disk's root) on the disk in the drive
    // holds the same bytes as on disk 0.
    bool SameAsFirstDisk(const std::string& name) const;
    // Whether any disk holds the file; the drive keeps its disk.
    bool AnyDiskHolds(const char* name) const;

    // Quiet ports whose disk prompt puts the next folder in the drive.
    DecoderPorts Ports();

private:
    static bool AskForDisk(void* context, int n);
    bool Insert(int n);

    std::vector<std::string> folders_;
    std::vector<bool> used_;
    int current_ = 0;
    int missing_ = 0;
    int prompt_ = 0;
};
