// The same lines from a native host program, the reference for the i386
// program's.
#include <cstdio>

#include "tests/old_cpu/archive_lines.h"

void WriteText(const char* text, unsigned length) { std::fwrite(text, 1, length, stdout); }

int main(int argc, char** argv) { return RunArchiveLines(argc, argv); }
