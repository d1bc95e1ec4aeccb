#include <windows.h>

#include "fs/memory_block.h"

void* AllocateZeroed(size_t size) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size); }

void ReleaseBlock(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}
