#include "setup/destination_entry.h"

#include "setup/profile.h"
#include "setup/setup_info.h"

void ParseDestinationEntry(const char* value, DestinationEntry& entry) {
    entry.used = false;
    entry.file[0] = entry.section[0] = entry.key[0] = '\0';
    char local[kMaxPath];
    CopyBounded(local, value, kMaxPath);
    if (local[0] == '\0') return;
    const char* file = NextToken(local, ',');
    const char* section = NextToken(nullptr, ',');
    const char* key = NextToken(nullptr, ',');
    if (!section || !key) return;
    CopyBounded(entry.file, file, kMaxPath);
    CopyBounded(entry.section, section, kMaxPath);
    CopyBounded(entry.key, key, kMaxPath);
    entry.used = true;
}

void ReadDestinationEntry(DestinationEntry& entry, char* destination) {
    char value[kSetupValueSize];
    ReadSetupString("Destination", "Ini", "", value, kSetupValueSize);
    ParseDestinationEntry(value, entry);
    if (!entry.used) return;
    char earlier[kMaxPath];
    ReadProfileString(entry.section, entry.key, "", earlier, kMaxPath, entry.file);
    if (earlier[0] != '\0') CopyBounded(destination, earlier, kMaxPath);
}

void WriteDestinationEntry(const DestinationEntry& entry, const char* destination) {
    if (!entry.used || entry.file[0] == '\0') return;
    WriteProfileEntry(entry.section, entry.key, destination, entry.file);
}
