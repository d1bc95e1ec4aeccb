#include "checker/version_resource.h"

#include <cstring>

#include "fs/file_ops.h"

namespace {

// VS_FIXEDFILEINFO's dwSignature, little-endian.
const unsigned char kSignature[4] = {0xBD, 0x04, 0xEF, 0xFE};
const uint16_t kBlock = 32768;

}  // namespace

bool HasVersionResource(const char* path) {
    FileHandle file = OpenExistingFile(path, kModeRead | kShareCompatible);
    if (file == kInvalidFile) return false;
    // Blocks overlap by the signature's length less one, so that a
    // signature across a block boundary is still found.
    static unsigned char buffer[kBlock + sizeof kSignature];
    size_t kept = 0;
    bool found = false;
    uint16_t got = 0;
    do {
        ReadBlock(file, buffer + kept, kBlock, &got);
        size_t length = kept + got;
        for (size_t i = 0; !found && i + sizeof kSignature <= length; ++i) {
            found = memcmp(buffer + i, kSignature, sizeof kSignature) == 0;
        }
        kept = length < sizeof kSignature - 1 ? length : sizeof kSignature - 1;
        memmove(buffer, buffer + length - kept, kept);
    } while (!found && got > 0);
    CloseFileHandle(file);
    return found;
}
