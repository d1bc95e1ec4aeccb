#include <cstdlib>

#include "fs/memory_block.h"

void* AllocateZeroed(size_t size) { return calloc(size ? size : 1, 1); }

void ReleaseBlock(void* block) { free(block); }
