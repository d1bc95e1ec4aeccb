#include "fs/file_ops.h"
#include "fs/thread_state.h"

unsigned long FileErrorCode() { return CurrentThreadState().fileError; }

void SetFileErrorCode(unsigned long code) { CurrentThreadState().fileError = code; }
