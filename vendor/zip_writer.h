// Archives in the form SETUP.EXE reads: classic ZIP, deflated through zlib
// (stored when that is no smaller), DOS stamps and the read-only attribute
// of the source files, names in the OEM code page (437) with backslashes
// turned to slashes, made by MS-DOS. Members stay in memory: a product that
// ships on floppies is small.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PackedMember {
    std::string name;            // OEM bytes, '/' separated
    std::vector<uint8_t> local;  // local header and data
    size_t headerSize = 0;       // of local
    std::vector<uint8_t> central;  // central-directory record; offset and disk patched on writing
};

// Every file below folder, members named relative to it, the smallest
// first (it must fit the first disk with the directory when the archive
// is spanned), the rest in name order. False with a reason.
bool PackFolder(const std::string& folder, std::vector<PackedMember>& members, std::string& error);

// The directory's size: its records and the end record.
size_t DirectorySize(const std::vector<PackedMember>& members);

// One disk's file of an archive, and where each member starts.
struct ArchivePiece {
    std::vector<uint8_t> bytes;
};

// Lays the archive across files: the first holds at most firstRoom bytes,
// each later one at most diskRoom (0: one file, never spanned). Every file
// but the last ends inside a member's data; the whole directory lies in
// the first file before the member that continues on the next.
bool LayArchive(const std::vector<PackedMember>& members, size_t firstRoom, size_t diskRoom,
                std::vector<ArchivePiece>& pieces, std::string& error);
