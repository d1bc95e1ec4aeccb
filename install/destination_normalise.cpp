#include <cstring>

#include "fs/char_step.h"
#include "fs/path_utils.h"
#include "install/run_installation.h"

// By characters, never by bytes: on a double-byte system the second byte
// of a character such as 0x95 0x5C has the backslash's code, and cutting it
// would leave a lone lead byte that joins the backslash added later.
void NormaliseDestination(char* destination) {
    if (strlen(destination) > 2) {
        char* last = LastCharacter(destination);
        if (*last == '\\' && *PreviousCharacter(destination, last) != ':') *last = '\0';
    }
    if (strlen(destination) > 3) RemoveBackslash(destination);
}
