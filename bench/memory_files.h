// A file layer over memory, for the decoder's benchmark, fuzz targets and
// tests: implements fs/file_ops.h for programs that link it instead of the
// real file layer. Inputs are byte ranges registered under a path (so that
// a disk change can reopen "the same file" with other contents); outputs
// collect what is written. Faults can be injected.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fs/file_ops.h"

namespace memory_files {

// Forgets every file and fault.
void Reset();

// Registers (or replaces) the contents found under path.
void PutFile(const char* path, const uint8_t* data, size_t size);

// Opens a memory input directly (no path); the data must outlive it.
FileHandle OpenInput(const uint8_t* data, size_t size);

// A new output collecting into sink (cleared first).
FileHandle OpenOutput(std::vector<uint8_t>* sink);

// Faults: writes fail once this many bytes were written in total (the
// failing write writes nothing and sets error 112, disk full); reads fail
// with error 23 after this many reads. Negative: never.
void FailWritesAfter(long bytes);
void FailReadsAfter(long reads);

// Reads deliver at most this many bytes (0: as many as asked), so that
// input buffers of every length and odd ends occur.
void LimitReadSize(unsigned bytes);

// Counters since Reset.
struct Counters {
    int reads;
    int writes;
    int opens;
    int closes;
    std::vector<int> writeSizes;
};
const Counters& Count();

}  // namespace memory_files
