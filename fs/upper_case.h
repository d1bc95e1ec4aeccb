// Upper-casing ANSI text in place by the system's rules: CharUpperA in the
// product; on the host code page 1252 letters, or ASCII only while the
// DBCS start-up flag is set (double-byte characters are left alone).
#pragma once

void UpperCaseText(char* text);
