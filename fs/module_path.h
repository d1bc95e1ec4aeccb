// The full path of the program's own file.
#pragma once

// Copies at most maxLength characters and a terminator; returns the length.
int ModuleFilePath(char* buffer, int maxLength);
