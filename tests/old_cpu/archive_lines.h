// Lists archives and extracts every member below a scratch folder, one
// line per member: archive, member name, extraction result and the CRC-32
// of the file it left ("-" for a directory or a failed member), then one
// line with the listing's last result. The same source runs as a native
// host program and as the static i386 Linux program that qemu-user runs
// as older processors; their lines must be equal.
//
// Usage: PROGRAM --kinds                 the fast loop and CRC kinds chosen here
//        PROGRAM SCRATCH (ARCHIVE BASE LENGTH)...
#pragma once

int RunArchiveLines(int argc, char** argv);

// Standard output; each program has its own.
void WriteText(const char* text, unsigned length);
