#include <windows.h>

#include "unzip/enter_directory.h"

bool EnterDirectory(const char* path) { return SetCurrentDirectoryA(path) != FALSE; }
