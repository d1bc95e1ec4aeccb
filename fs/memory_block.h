// Blocks of memory that live for one operation (a member's window, an
// archive's directory, a copy buffer). The product takes them from the
// process heap, since it links no C runtime; the host build from malloc, so
// that AddressSanitizer watches them.
#pragma once

#include <cstddef>

// A zeroed block, or null when there is no memory for it.
void* AllocateZeroed(size_t size);

// Gives a block back; null is allowed.
void ReleaseBlock(void* block);
