#include <windows.h>

#include "fs/text_compare.h"

bool SameTextIgnoringCase(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }
