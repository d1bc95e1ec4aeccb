#include "vendor/zip_writer.h"

#include <dirent.h>
#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// Code page 437's upper half as Unicode: member names are OEM text.
const uint16_t kOem437[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3, 0xA5, 0x20A7, 0x192,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0x2310, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x3B1, 0xDF, 0x393, 0x3C0, 0x3A3, 0x3C3, 0xB5, 0x3C4, 0x3A6, 0x398, 0x3A9, 0x3B4, 0x221E, 0x3C6, 0x3B5, 0x2229,
    0x2261, 0xB1, 0x2265, 0x2264, 0x2320, 0x2321, 0xF7, 0x2248, 0xB0, 0x2219, 0xB7, 0x221A, 0x207F, 0xB2, 0x25A0, 0xA0,
};

// A UTF-8 file name in code page 437; false when a character has no place there.
bool ToOem(const std::string& utf8, std::string& oem) {
    oem.clear();
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        unsigned code = c;
        int more = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : -1;
        if (more < 0 || i + more >= utf8.size() + (more ? 0 : 1)) return false;
        if (more) code = c & (more == 1 ? 0x1F : 0x0F);
        for (int k = 1; k <= more; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<size_t>(more) + 1;
        if (code < 0x80) {
            oem += static_cast<char>(code);
            continue;
        }
        const uint16_t* found = std::find(kOem437, kOem437 + 128, code);
        if (found == kOem437 + 128) return false;
        oem += static_cast<char>(0x80 + (found - kOem437));
    }
    return true;
}

void Put16(std::vector<uint8_t>& out, unsigned value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
void Set16(std::vector<uint8_t>& out, size_t at, unsigned value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}
void Set32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    Set16(out, at, value & 0xFFFF);
    Set16(out, at + 2, value >> 16);
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& data) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    data.clear();
    uint8_t block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, f)) > 0) data.insert(data.end(), block, block + got);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

// Raw deflate at the best level, as Info-ZIP's -9 would.
bool Deflate(const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out.resize(deflateBound(&z, in.size()) + 16);
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return result == Z_STREAM_END;
}

void DosStamp(time_t when, unsigned& date, unsigned& time) {
    struct tm local;
    localtime_r(&when, &local);
    if (local.tm_year < 80) local = tm{0, 0, 0, 1, 0, 80, 0, 0, 0, 0, nullptr};
    date = static_cast<unsigned>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    time = static_cast<unsigned>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
}

bool Collect(const std::string& folder, const std::string& prefix, std::vector<std::string>& names) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    std::vector<std::string> entries;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") entries.push_back(name);
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end());
    for (const std::string& name : entries) {
        struct stat info;
        std::string path = folder + "/" + name;
        if (stat(path.c_str(), &info) != 0) return false;
        if (S_ISDIR(info.st_mode)) {
            if (!Collect(path, prefix + name + "/", names)) return false;
        } else {
            names.push_back(prefix + name);
        }
    }
    return true;
}

bool PackFile(const std::string& folder, const std::string& relative, PackedMember& member, std::string& error) {
    const std::string path = folder + "/" + relative;
    std::vector<uint8_t> data, packed;
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !ReadFile(path, data)) {
        error = "cannot read " + path;
        return false;
    }
    if (data.size() >= 0xFFFFFFF0u) {
        error = path + " is too large for a classic ZIP archive";
        return false;
    }
    if (!ToOem(relative, member.name)) {
        error = "the name " + relative + " has a character that code page 437 lacks";
        return false;
    }
    if (!Deflate(data, packed)) {
        error = "zlib could not deflate " + path;
        return false;
    }
    unsigned method = 8;
    if (packed.size() >= data.size()) {
        packed = data;
        method = 0;
    }
    uint32_t crc = static_cast<uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
    unsigned date, time;
    DosStamp(info.st_mtime, date, time);
    // The archive bit, and read-only when nobody may write the file.
    uint32_t attributes = 0x20 | ((info.st_mode & 0222) == 0 ? 0x01 : 0);
    const std::string& name = member.name;
    std::vector<uint8_t>& local = member.local;
    Put32(local, 0x04034b50);
    Put16(local, 20);
    Put16(local, 0);
    Put16(local, method);
    Put16(local, time);
    Put16(local, date);
    Put32(local, crc);
    Put32(local, static_cast<uint32_t>(packed.size()));
    Put32(local, static_cast<uint32_t>(data.size()));
    Put16(local, static_cast<unsigned>(name.size()));
    Put16(local, 0);
    local.insert(local.end(), name.begin(), name.end());
    member.headerSize = local.size();
    local.insert(local.end(), packed.begin(), packed.end());
    std::vector<uint8_t>& central = member.central;
    Put32(central, 0x02014b50);
    Put16(central, 20);  // made by MS-DOS, version 2.0
    Put16(central, 20);
    Put16(central, 0);
    Put16(central, method);
    Put16(central, time);
    Put16(central, date);
    Put32(central, crc);
    Put32(central, static_cast<uint32_t>(packed.size()));
    Put32(central, static_cast<uint32_t>(data.size()));
    Put16(central, static_cast<unsigned>(name.size()));
    Put16(central, 0);
    Put16(central, 0);
    Put16(central, 0);  // disk, patched
    Put16(central, 0);
    Put32(central, attributes);
    Put32(central, 0);  // offset, patched
    central.insert(central.end(), name.begin(), name.end());
    return true;
}

}  // namespace

bool PackFolder(const std::string& folder, std::vector<PackedMember>& members, std::string& error) {
    std::vector<std::string> names;
    if (!Collect(folder, "", names)) {
        error = "cannot read the folder " + folder;
        return false;
    }
    if (names.empty()) {
        error = "the folder " + folder + " is empty";
        return false;
    }
    members.clear();
    for (const std::string& name : names) {
        PackedMember member;
        if (!PackFile(folder, name, member, error)) return false;
        members.push_back(std::move(member));
    }
    auto smallest = std::min_element(members.begin(), members.end(), [](const PackedMember& a, const PackedMember& b) {
        return a.local.size() < b.local.size();
    });
    std::rotate(members.begin(), smallest, smallest + 1);
    return true;
}

size_t DirectorySize(const std::vector<PackedMember>& members) {
    size_t size = 22;
    for (const PackedMember& member : members) size += member.central.size();
    return size;
}

bool LayArchive(const std::vector<PackedMember>& members, size_t firstRoom, size_t diskRoom,
                std::vector<ArchivePiece>& pieces, std::string& error) {
    const size_t directorySize = DirectorySize(members);
    if (members.size() > 0xFFFF || directorySize > 0xFFFFFFFFu) {
        error = "too many members for a classic ZIP archive";
        return false;
    }
    pieces.assign(1, ArchivePiece());
    std::vector<size_t> rooms = {diskRoom ? firstRoom : SIZE_MAX};
    std::vector<std::pair<int, uint32_t>> places;
    long directoryAt = -1;
    auto room = [&]() { return rooms.back() - pieces.back().bytes.size(); };
    for (size_t index = 0; index < members.size(); ++index) {
        const PackedMember& member = members[index];
        const std::vector<uint8_t>& data = member.local;
        const bool last = index + 1 == members.size();
        // Fits whole with what must still follow on this disk: the
        // directory, when it is not placed yet, and the next header with a
        // byte of its data (a disk never ends between two members).
        size_t after = (directoryAt < 0 ? directorySize : 0) + (last ? 0 : members[index + 1].headerSize + 1);
        bool whole = data.size() + after <= room();
        if (!whole && directoryAt < 0) {
            // The file starts with the first member's header, so the
            // directory can only come after a first member that fits whole.
            if (index == 0) {
                error = "the first member (" + member.name + ") and the directory do not fit on the first disk";
                return false;
            }
            if (directorySize + member.headerSize + 1 > room()) {
                error = index == 0 ? "the first member and the directory do not fit on the first disk"
                                   : "the first disk has no room for the directory";
                return false;
            }
            directoryAt = static_cast<long>(pieces[0].bytes.size());
            pieces[0].bytes.resize(pieces[0].bytes.size() + directorySize);
        }
        places.emplace_back(static_cast<int>(pieces.size() - 1), static_cast<uint32_t>(pieces.back().bytes.size()));
        size_t done = 0;
        if (!whole) {
            // This member continues on the next disk: end the disk inside its data.
            while (data.size() - done > room() || (data.size() - done + (last ? 0 : members[index + 1].headerSize + 1) > room())) {
                size_t cut = std::min(room(), data.size() - done - 1);
                if (done == 0 && cut <= member.headerSize) {
                    error = "a disk would end inside the local header of " + member.name;
                    return false;
                }
                pieces.back().bytes.insert(pieces.back().bytes.end(), data.begin() + static_cast<long>(done),
                                           data.begin() + static_cast<long>(done + cut));
                done += cut;
                pieces.emplace_back();
                rooms.push_back(diskRoom);
                if (data.size() - done + (last ? 0 : members[index + 1].headerSize + 1) <= room()) break;
            }
        }
        pieces.back().bytes.insert(pieces.back().bytes.end(), data.begin() + static_cast<long>(done), data.end());
    }
    if (directoryAt < 0) {
        directoryAt = static_cast<long>(pieces[0].bytes.size());
        pieces[0].bytes.resize(pieces[0].bytes.size() + directorySize);
    }
    std::vector<uint8_t> directory;
    for (size_t index = 0; index < members.size(); ++index) {
        std::vector<uint8_t> record = members[index].central;
        Set16(record, 34, static_cast<unsigned>(places[index].first));
        Set32(record, 42, places[index].second);
        directory.insert(directory.end(), record.begin(), record.end());
    }
    const uint32_t records = static_cast<uint32_t>(directory.size());
    Put32(directory, 0x06054b50);
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, static_cast<unsigned>(members.size()));
    Put16(directory, static_cast<unsigned>(members.size()));
    Put32(directory, records);
    Put32(directory, static_cast<uint32_t>(directoryAt));
    Put16(directory, 0);
    std::copy(directory.begin(), directory.end(), pieces[0].bytes.begin() + directoryAt);
    return true;
}
