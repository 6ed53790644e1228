#include "entry_scope.h"
#include <vector>
#include <windows.h>

namespace hv::rt {

namespace {
// The add-in runs on the IDE's UI thread; COM calls it there too (apartment threading).
long g_depth = 0;
bool g_running = false;
std::vector<std::function<void()>>& Pending() {
    static std::vector<std::function<void()>> pending;
    return pending;
}

void RunPending() noexcept {
    if (g_running) return;
    g_running = true;
    // A destruction may defer another (a window that goes takes its children with it).
    while (!Pending().empty()) {
        auto destroy = std::move(Pending().front());
        Pending().erase(Pending().begin());
        ++g_depth; // what runs here is our code on the stack too
        try {
            destroy();
        } catch (...) {
            NoteStoppedException();
        }
        --g_depth;
    }
    g_running = false;
}
} // namespace

EntryScope::EntryScope() noexcept {
    ++g_depth;
}

EntryScope::~EntryScope() {
    if (--g_depth == 0) RunPending();
}

bool CodeOnStack() {
    return g_depth > 0 || !Pending().empty();
}

void DestroyWhenUnwound(std::function<void()> destroy) {
    Pending().push_back(std::move(destroy));
    if (g_depth == 0) RunPending();
}

void NoteStoppedException() noexcept {
    OutputDebugStringA("Pigmora: an exception was stopped at the system's boundary\n");
}

} // namespace hv::rt
