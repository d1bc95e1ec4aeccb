// The size of an open file, found by seeking to its end and back.
#include "fs/file_ops.h"

uint32_t QueryFileSize(FileHandle file) {
    const int32_t position = SeekFile(file, 0, 1);
    uint32_t size = 0;
    if (FileErrorCode() == 0) size = static_cast<uint32_t>(SeekFile(file, 0, 2));
    // Always try to go back; the code left behind is that of this seek.
    SeekFile(file, position, 0);
    return size;
}
