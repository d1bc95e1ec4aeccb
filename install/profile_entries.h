// The profile entries of the lettered section ini?: after a successful
// installation, keys 1 to 101 (read through the localized lookup, up to
// the first empty one) each name a profile file, a section, a key and a
// value, and are written unchanged. Three fields delete the key; fewer
// do nothing. Refused writes are ignored.
#pragma once

// The last key read: 101 entries, never more.
const int kLastProfileEntryKey = 101;

void WriteProfileEntries();
