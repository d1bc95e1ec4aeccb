// The destination profile entry of an earlier installation (key Ini of
// section Destination: file, section, key). Its value, when there is one,
// replaces the proposed destination; the confirmed destination goes back.
#pragma once

#include "fs/path_utils.h"

struct DestinationEntry {
    bool used;  // a section and a key were given
    char file[kMaxPath];
    char section[kMaxPath];
    char key[kMaxPath];
};

// Splits an Ini value; used only when at least three fields are present.
void ParseDestinationEntry(const char* value, DestinationEntry& entry);

// Reads Ini and, through it, the earlier destination into destination
// (260 characters) when that is not empty.
void ReadDestinationEntry(DestinationEntry& entry, char* destination);

// Writes the confirmed destination back when the entry names a file.
void WriteDestinationEntry(const DestinationEntry& entry, const char* destination);
