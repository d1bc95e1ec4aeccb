// Archives stored whole (method 0) as members of another archive, and
// unpacked in place from the outer file: where the inner archive starts.
#pragma once

#include <cstdint>

// Bytes searched behind a member's data start for the inner archive's
// first local header (a packer may put a few bytes in front of it).
const uint16_t kEmbeddedSearchSize = 1024;

// The offset (0 to 1018) of the first local-header signature among the
// kEmbeddedSearchSize bytes of the file at position; 0 when there is none
// or fewer than 10 bytes could be read.
uint32_t FindEmbeddedArchive(const char* archivePath, uint32_t position);

// Where the inner archive stored as the member whose local header lies at
// headerOffset begins: its data start (behind the name and the extra
// field) plus FindEmbeddedArchive. False when the local header cannot be read.
bool InnerArchiveStart(const char* archivePath, uint32_t headerOffset, uint32_t& start);
