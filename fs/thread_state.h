// Per-thread state of the file layer and its neighbours: the file error
// code, the tokenizer position and the current disk number. Each starts at
// zero on every thread.
#pragma once

struct ThreadState {
    unsigned long fileError;  // 0 or the last-error code of the last file operation
    char* tokenPosition;      // where NextToken goes on, or null
    int currentDisk;          // disk number of multi-disk archives
};

ThreadState& CurrentThreadState();
