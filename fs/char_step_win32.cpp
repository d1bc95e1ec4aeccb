#include <windows.h>

#include "fs/char_step.h"

char* NextCharacter(const char* p) { return CharNextA(p); }

char* PreviousCharacter(const char* start, const char* p) { return CharPrevA(start, p); }
