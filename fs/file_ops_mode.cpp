#include "fs/file_ops_mode.h"

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
