// Names compared without regard to case by the system's rules: lstrcmpiA
// in the product; on the host both sides upper-cased as UpperCaseText does.
#pragma once

bool SameTextIgnoringCase(const char* a, const char* b);
