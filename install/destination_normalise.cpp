#include <cstring>

#include "install/run_installation.h"

void NormaliseDestination(char* destination) {
    size_t length = strlen(destination);
    if (length > 2 && destination[length - 1] == '\\' && destination[length - 2] != ':') {
        destination[--length] = '\0';
    }
    if (length > 3 && destination[length - 1] == '\\') destination[length - 1] = '\0';
}
