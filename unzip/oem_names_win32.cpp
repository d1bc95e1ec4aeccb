#include <windows.h>

#include "unzip/oem_names.h"

void OemNameToAnsi(char* name) { OemToCharA(name, name); }
