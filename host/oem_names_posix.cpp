#include "unzip/oem_names.h"

void OemNameToAnsi(char* name) {
    for (unsigned char* p = reinterpret_cast<unsigned char*>(name); *p; ++p) *p = OemToAnsiByTable(*p);
}
