#include "setup/setup_info.h"

#include <cstring>

#include "fs/format_text.h"
#include "fs/module_path.h"
#include "fs/path_utils.h"
#include "setup/profile.h"

namespace {
char g_infPath[kMaxPath];
}

void SetupInfoPathFor(const char* programPath, char* infPath) {
    CopyBounded(infPath, programPath, kMaxPath);
    char* dot = ScanCharBack(infPath, '.');
    if (!dot) return;
    // "inf" is never longer than the extension room the path had plus three;
    // cut rather than overflow when the dot sits at the very end.
    int room = kMaxPath - 1 - static_cast<int>(dot + 1 - infPath);
    CopyBounded(dot + 1, "inf", room + 1);
}

void LocateSetupInfo() {
    char programPath[kMaxPath];
    ModuleFilePath(programPath, kMaxPath - 1);
    SetupInfoPathFor(programPath, g_infPath);
}

const char* SetupInfoPath() { return g_infPath; }

void SetSetupInfoPath(const char* path) { CopyBounded(g_infPath, path, kMaxPath); }

int ReadSetupString(const char* section, const char* key, const char* defaultValue, char* buffer, int size) {
    return ReadProfileString(section, key, defaultValue, buffer, size, g_infPath);
}

int ReadSetupInt(const char* section, const char* key, int defaultValue) {
    return ReadProfileInt(section, key, defaultValue, g_infPath);
}
