#include "handles.h"
#include <atomic>

namespace hv::rt {

namespace {
std::atomic<long> g_live{0};
}

long LiveHandleCount() { return g_live.load(); }

void detail::CountHandle(long delta) { g_live += delta; }

} // namespace hv::rt
