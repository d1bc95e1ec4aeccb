// The i386 program runs one thread and sets up no thread-local storage.
#include "fs/thread_state.h"

ThreadState& CurrentThreadState() {
    static ThreadState state = {0, nullptr, 0};
    return state;
}
