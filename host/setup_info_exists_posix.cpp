#include <cstdio>

#include "setup/setup_info.h"

bool SetupInfoExists() {
    FILE* file = fopen(SetupInfoPath(), "rb");
    if (!file) return false;
    fclose(file);
    return true;
}
