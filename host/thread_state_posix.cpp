#include "fs/thread_state.h"

ThreadState& CurrentThreadState() {
    static thread_local ThreadState state = {0, nullptr, 0};
    return state;
}
