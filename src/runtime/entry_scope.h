// Every call from the system or the IDE into the add-in (window, subclass and dialog-hook
// procedures, timer callbacks, COM methods) runs inside an EntryScope. While any scope is
// open, the add-in's code is on a stack: the DLL must not be unloaded, and objects whose
// methods may still be running (a handler waiting in a modal loop) must not be deleted yet.
// DestroyWhenUnwound defers such deletions until the outermost scope has closed.
#pragma once
#include <functional>

namespace hv::rt {

class EntryScope {
  public:
    EntryScope() noexcept;
    ~EntryScope();
    EntryScope(const EntryScope&) = delete;
    EntryScope& operator=(const EntryScope&) = delete;
};

// True while any EntryScope is open or a deferred destruction is waiting.
bool CodeOnStack();

// Runs `destroy` now when no scope is open, otherwise when the outermost one closes.
void DestroyWhenUnwound(std::function<void()> destroy);

// Notes an exception stopped at a boundary with the system (for a debugger's eyes).
void NoteStoppedException() noexcept;

// Runs `f` inside an EntryScope; an exception stops here and gives `fallback`, since it
// cannot unwind through the system's frames (that would end the IDE's process).
template <typename R, typename F> R Barrier(R fallback, F&& f) noexcept {
    EntryScope scope;
    try {
        return f();
    } catch (...) {
        NoteStoppedException();
        return fallback;
    }
}

} // namespace hv::rt
