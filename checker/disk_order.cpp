#include "checker/disk_order.h"

#include <cstring>
#include <fstream>
#include <set>

#include "checker/archive_inspector.h"
#include "checker/platform.h"
#include "unzip/zip_directory.h"
#include "unzip/zip_probe.h"

namespace {

struct MemberStart {
    std::string name;  // raw, as the local header holds it
    unsigned disk;
    uint32_t offset;
};

unsigned Read16(const unsigned char* at) { return at[0] | (at[1] << 8); }

// The members of the first disk's archive that start on a later disk.
std::vector<MemberStart> LaterStarts(const std::string& path) {
    std::vector<MemberStart> starts;
    ZipDirectory listing;
    uint16_t at = 0;
    for (int r = OpenZipDirectory(path.c_str(), listing, 0, 0); r == kListingEntry;
         at = listing.position, r = NextZipEntry(listing)) {
        const unsigned char* record = LoadedRecord(listing, at);
        if (!record) continue;
        unsigned disk = Read16(record + 34);
        if (disk == 0) continue;
        starts.push_back({std::string(reinterpret_cast<const char*>(record + 46), Read16(record + 28)), disk,
                          listing.entry.headerOffset});
    }
    CloseZipDirectory(listing);
    return starts;
}

// A local header of the member at its offset in this file.
bool StartsHere(const std::string& path, const MemberStart& member) {
    std::ifstream file(path, std::ios::binary);
    if (!file.seekg(member.offset)) return false;
    std::string header(30 + member.name.size(), '\0');
    if (!file.read(&header[0], static_cast<std::streamsize>(header.size()))) return false;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(header.data());
    return std::memcmp(bytes, "PK\3\4", 4) == 0 && Read16(bytes + 26) == member.name.size() &&
           header.compare(30, std::string::npos, member.name) == 0;
}

}  // namespace

void CheckDiskOrder(const std::vector<std::string>& disks, const std::vector<std::string>& givenNames,
                    Findings& findings) {
    if (disks.size() < 2) return;
    std::set<size_t> reported;  // each misplaced --disk once
    for (const std::string& name : FolderNames(disks[0])) {
        const std::string first = JoinNative(disks[0], name);
        if (!IsZipArchive(first.c_str())) continue;
        for (const MemberStart& member : LaterStarts(first)) {
            if (member.disk < disks.size() && StartsHere(JoinNative(disks[member.disk], name), member)) continue;
            for (size_t given = 1; given < disks.size(); ++given) {
                if (given == member.disk || reported.count(given)) continue;
                if (!StartsHere(JoinNative(disks[given], name), member)) continue;
                reported.insert(given);
                findings.Add("disk-order", "--disk " + givenNames[given - 1] + " was given as disk " +
                                               std::to_string(given) + ", but it is disk " +
                                               std::to_string(member.disk) + ": " + name + "'s member " +
                                               member.name + " starts on it; give the disks in the order of their "
                                               "numbers (SETUP.EXE asks for disk 1, then 2, ...)");
            }
        }
    }
}
