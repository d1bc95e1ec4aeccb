// Stepping through ANSI text one character at a time, where a character of
// a double-byte character set takes two bytes. The product asks the system
// (CharNextA, CharPrevA); the host build follows code page 932 while the
// DBCS start-up flag is set and single bytes otherwise.
#pragma once

// The character after p; p itself at the terminator.
char* NextCharacter(const char* p);

// The character before p within text starting at start; start at the start.
char* PreviousCharacter(const char* start, const char* p);
