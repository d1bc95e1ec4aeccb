#include <windows.h>

#include "fs/upper_case.h"

void UpperCaseText(char* text) { CharUpperA(text); }
