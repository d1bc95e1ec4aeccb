// The directories this run made, kept as the chain of the last one made:
// each was given plain attributes, so a directory made inside one of them
// inherits nothing that resetting its attributes would take away, and
// MakeDirectory skips that second call. Paths are compared byte for byte:
// another spelling of a made directory only costs the reset.
#pragma once

// The directory path (a trailing backslash allowed) has just been made:
// noted, and true when it lies directly inside one this run made.
bool NoteMadeDirectory(const char* path);

// Forgets every directory made (tests).
void ForgetMadeDirectories();
