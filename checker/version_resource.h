// Whether a file carries a version resource, looked for on the host
// without VERSION.DLL: SETUP.EXE's version check decides by it.
#pragma once

// True when the file holds the fixed file information of a version
// resource (its signature 0xFEEF04BD); false also when it cannot be read.
// The path is the program's own, as for the file layer.
bool HasVersionResource(const char* path);
