#include "bench/memory_files.h"

#include <cstring>
#include <string>

namespace {

const unsigned long kErrorFileNotFound = 2;
const unsigned long kErrorInvalidHandle = 6;
const unsigned long kErrorCrc = 23;
const unsigned long kErrorDiskFull = 112;

struct MemoryFile {
    bool open;
    const uint8_t* data;
    size_t size;
    size_t position;
    std::vector<uint8_t>* sink;
};

struct Registered {
    std::string path;
    std::vector<uint8_t> contents;
};

std::vector<MemoryFile> files;
std::vector<Registered> registry;
long writeBudget = -1;
long readBudget = -1;
long written = 0;
unsigned readLimit = 0;
memory_files::Counters counters;
thread_local unsigned long fileError = 0;

MemoryFile* Lookup(FileHandle handle) {
    if (handle < 1 || static_cast<size_t>(handle) > files.size()) return nullptr;
    MemoryFile* f = &files[static_cast<size_t>(handle) - 1];
    return f->open ? f : nullptr;
}

FileHandle Add(const MemoryFile& f) {
    files.push_back(f);
    counters.opens++;
    return static_cast<FileHandle>(files.size());
}

}  // namespace

namespace memory_files {

void Reset() {
    files.clear();
    registry.clear();
    writeBudget = readBudget = -1;
    written = 0;
    readLimit = 0;
    counters = Counters();
    fileError = 0;
}

void PutFile(const char* path, const uint8_t* data, size_t size) {
    for (Registered& r : registry)
        if (r.path == path) {
            r.contents.assign(data, data + size);
            return;
        }
    registry.push_back({path, std::vector<uint8_t>(data, data + size)});
}

FileHandle OpenInput(const uint8_t* data, size_t size) { return Add({true, data, size, 0, nullptr}); }

FileHandle OpenOutput(std::vector<uint8_t>* sink) {
    sink->clear();
    return Add({true, nullptr, 0, 0, sink});
}

void LimitReadSize(unsigned bytes) { readLimit = bytes; }
void FailWritesAfter(long bytes) { writeBudget = bytes; }
void FailReadsAfter(long reads) { readBudget = reads; }
const Counters& Count() { return counters; }

}  // namespace memory_files

unsigned long FileErrorCode() { return fileError; }
void SetFileErrorCode(unsigned long code) { fileError = code; }

FileHandle OpenExistingFile(const char* path, unsigned) {
    for (const Registered& r : registry)
        if (r.path == path) {
            fileError = 0;
            return Add({true, r.contents.data(), r.contents.size(), 0, nullptr});
        }
    fileError = kErrorFileNotFound;
    return kInvalidFile;
}

void ReadBlock(FileHandle file, void* buffer, uint16_t count, uint16_t* transferred) {
    *transferred = 0;
    MemoryFile* f = Lookup(file);
    if (!f || !f->data) {
        fileError = kErrorInvalidHandle;
        return;
    }
    counters.reads++;
    if (readBudget == 0) {
        fileError = kErrorCrc;
        return;
    }
    if (readBudget > 0) readBudget--;
    size_t n = f->size - f->position;
    if (n > count) n = count;
    if (readLimit && n > readLimit) n = readLimit;
    memcpy(buffer, f->data + f->position, n);
    f->position += n;
    *transferred = static_cast<uint16_t>(n);
    fileError = 0;
}

void WriteBlock(FileHandle file, const void* buffer, uint16_t count, uint16_t* transferred) {
    *transferred = 0;
    MemoryFile* f = Lookup(file);
    if (!f || !f->sink) {
        fileError = kErrorInvalidHandle;
        return;
    }
    counters.writes++;
    counters.writeSizes.push_back(count);
    if (writeBudget >= 0 && written + count > writeBudget) {
        fileError = kErrorDiskFull;
        return;
    }
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    f->sink->insert(f->sink->end(), p, p + count);
    written += count;
    *transferred = count;
    fileError = 0;
}

int32_t SeekFile(FileHandle file, int32_t distance, int origin) {
    MemoryFile* f = Lookup(file);
    if (!f) {
        fileError = kErrorInvalidHandle;
        return -1;
    }
    size_t size = f->sink ? f->sink->size() : f->size;
    long base = origin == 0 ? 0 : origin == 1 ? static_cast<long>(f->position) : static_cast<long>(size);
    long target = base + distance;
    if (target < 0) {
        fileError = 131;
        return -1;
    }
    f->position = static_cast<size_t>(target);
    fileError = 0;
    return static_cast<int32_t>(target);
}

void CloseFileHandle(FileHandle file) {
    MemoryFile* f = Lookup(file);
    if (!f) {
        fileError = kErrorInvalidHandle;
        return;
    }
    f->open = false;
    counters.closes++;
    fileError = 0;
}
