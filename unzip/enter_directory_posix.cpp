#include <unistd.h>

#include "unzip/enter_directory.h"

bool EnterDirectory(const char* path) { return path[0] != '\0' && chdir(path) == 0; }
