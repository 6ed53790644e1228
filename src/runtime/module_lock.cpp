#include "module_lock.h"
#include <windows.h>

namespace hv::rt {

namespace {
LONG g_locks = 0;
}

void LockModule() {
    InterlockedIncrement(&g_locks);
}
void UnlockModule() {
    InterlockedDecrement(&g_locks);
}
long ModuleLocks() {
    return g_locks;
}

} // namespace hv::rt
