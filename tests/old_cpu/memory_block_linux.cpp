// Blocks for the i386 program, each mapped on its own: mapped memory comes
// zeroed, and giving it back needs its length, kept in front of the block.
#include <linux/mman.h>

#include "fs/memory_block.h"
#include "tests/old_cpu/linux_calls.h"

namespace {

const size_t kHeader = 16;  // keeps the block 16-byte aligned

// The i386 mmap call takes its six arguments in memory.
struct MapArguments {
    unsigned long address, length, protection, flags, descriptor, offset;
};

}  // namespace

void* AllocateZeroed(size_t size) {
    MapArguments arguments = {0, size + kHeader, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                              static_cast<unsigned long>(-1), 0};
    const long result = LinuxCall(__NR_mmap, reinterpret_cast<long>(&arguments));
    if (LinuxFailed(result)) return nullptr;
    char* block = reinterpret_cast<char*>(result);
    *reinterpret_cast<size_t*>(block) = size + kHeader;
    return block + kHeader;
}

void ReleaseBlock(void* block) {
    if (!block) return;
    char* start = static_cast<char*>(block) - kHeader;
    LinuxCall(__NR_munmap, reinterpret_cast<long>(start), static_cast<long>(*reinterpret_cast<size_t*>(start)));
}
