#include "base/startup_flags.h"

namespace {
StartupFlags g_flags = {false, false, 0, false};
}

const StartupFlags& GetStartupFlags() { return g_flags; }

void SetStartupFlags(const StartupFlags& flags) { g_flags = flags; }

void ApplyVersionValue(StartupFlags& flags, unsigned long versionValue) {
    // Bit 31 set means the Windows 3.x / 9x family (or Win32s).
    flags.nt = (versionValue & 0x80000000UL) == 0;
    unsigned major = versionValue & 0xFF;
    unsigned minor = (versionValue >> 8) & 0xFF;
    flags.windowsVersion = static_cast<unsigned short>(major * 256 + minor);
    // 3.90 (hexadecimal 035A) is the first version with the new shell.
    flags.newShell = flags.windowsVersion >= 0x035A;
}
