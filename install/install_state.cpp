#include "install/install_state.h"

namespace {
char g_lastTargetPath[kMaxPath];
}

char* LastTargetPath() { return g_lastTargetPath; }

void SetLastTargetPath(const char* path) { CopyBounded(g_lastTargetPath, path, kMaxPath); }
