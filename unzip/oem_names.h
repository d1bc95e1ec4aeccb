// Member names in archives are written in the OEM character set; the rest
// of the program works in ANSI. The product asks the system (OemToCharA);
// the host build uses a fixed table from code page 437 to code page 1252.
#pragma once

// Converts a NUL-terminated name from OEM to ANSI in place.
void OemNameToAnsi(char* name);

// The host table's ANSI byte for one OEM byte (code page 437 to 1252, with
// the system's best-fit choices for characters 1252 lacks).
unsigned char OemToAnsiByTable(unsigned char oem);
