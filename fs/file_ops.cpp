// The file layer's rules that hold on every system: the error code's
// place, the open modes, the size through seeking, the packed stamps.
#include "fs/file_ops.h"
#include "fs/thread_state.h"

unsigned long FileErrorCode() { return CurrentThreadState().fileError; }

void SetFileErrorCode(unsigned long code) { CurrentThreadState().fileError = code; }

OpenRights RightsOfMode(unsigned mode) {
    OpenRights rights = {false, false, false, false};
    switch (mode & 0x0F) {
        case 0: rights.read = true; break;
        case 1: rights.write = true; break;
        case 2: rights.read = rights.write = true; break;
        default: break;  // no access: the handle can only be positioned and closed
    }
    switch ((mode >> 4) & 0x0F) {
        case 0:  // compatibility mode shares like deny-none
        case 4: rights.shareRead = rights.shareWrite = true; break;
        case 2: rights.shareRead = true; break;
        case 3: rights.shareWrite = true; break;
        default: break;  // 1 exclusive, 5-15 unknown: share nothing
    }
    return rights;
}

unsigned ModeForCreation(unsigned mode) { return (mode & 0xF0) | 0x02; }

// By seeking to the end and back.
uint32_t QueryFileSize(FileHandle file) {
    const int32_t position = SeekFile(file, 0, 1);
    uint32_t size = 0;
    if (FileErrorCode() == 0) size = static_cast<uint32_t>(SeekFile(file, 0, 2));
    // Always try to go back; the code left behind is that of this seek.
    SeekFile(file, position, 0);
    return size;
}

StampFields UnpackStamp(PackedStamp stamp) {
    const unsigned date = (stamp >> 16) & 0xFFFF;
    const unsigned time = stamp & 0xFFFF;
    StampFields fields;
    fields.year = static_cast<uint16_t>((date >> 9) + 1980);
    fields.month = static_cast<uint16_t>((date >> 5) & 15);
    fields.day = static_cast<uint16_t>(date & 31);
    fields.hour = static_cast<uint16_t>(time >> 11);
    fields.minute = static_cast<uint16_t>((time >> 5) & 63);
    fields.second = static_cast<uint16_t>((time & 31) * 2);
    return fields;
}

PackedStamp PackStamp(const StampFields& fields) {
    const uint16_t date = static_cast<uint16_t>((fields.year - 1980u) * 512u + fields.month * 32u + fields.day);
    const uint16_t time = static_cast<uint16_t>(fields.hour * 2048u + fields.minute * 32u + fields.second / 2u);
    return (static_cast<PackedStamp>(date) << 16) | time;
}
