#include "process_memory.h"
#include <vector>
#include <windows.h>

namespace hv::test {

size_t HeapBytesInUse() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 8);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    size_t total = 0;
    for (HANDLE heap : heaps) {
        HeapLock(heap);
        PROCESS_HEAP_ENTRY e{};
        while (HeapWalk(heap, &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += e.cbData;
        HeapUnlock(heap);
    }
    return total;
}

} // namespace hv::test
