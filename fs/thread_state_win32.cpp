#include <windows.h>

#include "fs/thread_state.h"

// Thread-local storage through the system's own slots: the compiler's
// thread_local needs a thread library that Windows 95 cannot load. Each
// thread's record is made zeroed on its first use; the slot is taken on the
// program's first use, before any second thread exists.
ThreadState& CurrentThreadState() {
    // The slot is kept plus one, so that "not yet taken" is zero and the
    // program needs no initialised data section for it.
    static DWORD slotPlusOne = 0;
    static ThreadState fallback = {0, nullptr, 0};
    if (slotPlusOne == 0) slotPlusOne = TlsAlloc() + 1;  // TLS_OUT_OF_INDEXES + 1 is 0 again
    if (slotPlusOne == 0) return fallback;
    const DWORD slot = slotPlusOne - 1;
    void* state = TlsGetValue(slot);
    if (!state) {
        state = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ThreadState));
        if (!state) return fallback;
        TlsSetValue(slot, state);
    }
    return *static_cast<ThreadState*>(state);
}
