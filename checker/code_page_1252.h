// SETUP.inf and the member names shown are ANSI text (code page 1252);
// JSON and a UTF-8 terminal want UTF-8.
#pragma once

#include <cstdio>
#include <string>

// Appends the UTF-8 form of one code page 1252 byte.
void Append1252AsUtf8(std::string& out, unsigned char c);

// stdout, or on a host whose locale says UTF-8 a stream that converts the
// text written to it from code page 1252 on its way to stdout.
FILE* TerminalTextStream();
