#include <windows.h>

#include "fs/thread_state.h"

// Thread-local storage through the system's own slots: the compiler's
// thread_local needs a thread library that Windows 95 cannot load. Each
// thread's record is made zeroed on its first use; the slot is taken on the
// program's first use, before any second thread exists.
ThreadState& CurrentThreadState() {
    // One above the slot, so that "none yet" is zero: an initialised word
    // would cost the program a file section of its own. A failed TlsAlloc
    // (TLS_OUT_OF_INDEXES) leaves it at zero.
    static DWORD slotAfter = 0;
    static ThreadState fallback = {0, nullptr, 0};
    if (slotAfter == 0) slotAfter = TlsAlloc() + 1;
    if (slotAfter == 0) return fallback;
    const DWORD slot = slotAfter - 1;
    void* state = TlsGetValue(slot);
    if (!state) {
        state = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ThreadState));
        if (!state) return fallback;
        TlsSetValue(slot, state);
    }
    return *static_cast<ThreadState*>(state);
}
