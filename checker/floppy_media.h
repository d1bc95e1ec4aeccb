// The FAT12 floppy formats as mformat lays them out, and what a file takes
// of them: whole clusters, and root directory entries (one for an upper-case
// 8.3 name, one more per 13 characters of a long name). Shared by the
// checker's --disk-size and the builder, so both count alike.
#pragma once

#include <cctype>
#include <cstring>
#include <string>

struct FloppyMedium {
    const char* name;     // as --disk-size and --medium take it; mformat -f
    int clusters;         // data clusters
    int clusterBytes;
    int rootEntries;      // one of them the volume label
};

inline const FloppyMedium* FindFloppyMedium(const std::string& name) {
    static const FloppyMedium kMedia[] = {
        {"720", 713, 1024, 112}, {"1200", 2371, 512, 224}, {"1440", 2847, 512, 224}, {"2880", 2863, 1024, 240}};
    for (const FloppyMedium& medium : kMedia) {
        if (name == medium.name) return &medium;
    }
    return nullptr;
}

inline int RootEntriesOf(const std::string& name) {
    size_t dot = name.find('.');
    std::string base = name.substr(0, dot), ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    bool short83 = !base.empty() && base.size() <= 8 && ext.size() <= 3 && ext.find('.') == std::string::npos;
    for (char c : name) short83 = short83 && !islower(static_cast<unsigned char>(c)) && c != ' ';
    return short83 ? 1 : 1 + static_cast<int>((name.size() + 12) / 13);
}

inline long long ClustersOf(const FloppyMedium& medium, long long bytes) {
    return (bytes + medium.clusterBytes - 1) / medium.clusterBytes;
}
