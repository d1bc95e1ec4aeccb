#include "install/install_state.h"

namespace {
bool g_restartNeeded = false;
}  // namespace

void SetRestartNeeded(bool needed) { g_restartNeeded = needed; }

bool RestartNeeded() { return g_restartNeeded; }

int32_t AddByteCount(int32_t count, uint32_t size) {
    int64_t sum = static_cast<int64_t>(count) + size;
    return sum > INT32_MAX ? INT32_MAX : static_cast<int32_t>(sum);
}

bool EndsRun(EntryResult result) {
    switch (result) {
    case kEntryReadError:
    case kEntryWriteError:
    case kEntryCancelled:
    case kEntryDiskFull: return true;
    default: return false;
    }
}

EntryResult EntryResultOfExtraction(ExtractResult result) {
    switch (result) {
    case kExtractOk: return kEntryDone;
    case kExtractOutputFailed: return kEntryWriteError;
    case kExtractCancelled: return kEntryCancelled;
    default: return kEntryReadError;
    }
}
