#include <windows.h>

#include "fs/thread_state.h"

// Thread-local storage through the system's own slots: the compiler's
// thread_local needs a thread library that Windows 95 cannot load. Each
// thread's record is made zeroed on its first use; the slot is taken on the
// program's first use, before any second thread exists.
ThreadState& CurrentThreadState() {
    static DWORD slot = TLS_OUT_OF_INDEXES;
    static ThreadState fallback = {0, nullptr, 0};
    if (slot == TLS_OUT_OF_INDEXES) slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) return fallback;
    void* state = TlsGetValue(slot);
    if (!state) {
        state = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ThreadState));
        if (!state) return fallback;
        TlsSetValue(slot, state);
    }
    return *static_cast<ThreadState*>(state);
}
