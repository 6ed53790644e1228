#include "timer.h"
#include <map>

namespace hv::rt {

namespace {
// The UI thread's running timers by system id: a tick finds its timer here or is dropped.
std::map<UINT_PTR, Timer*>& Timers() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}
} // namespace

Timer::Timer(UINT intervalMs, bool enabled) : interval_(intervalMs), enabled_(enabled) {
    if (enabled_) Start();
}

Timer::~Timer() {
    Stop();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled_)
        Stop();
    else if (!id_)
        Start();
}

long Timer::RunningCount() {
    return static_cast<long>(Timers().size());
}

void Timer::Start() {
    if (id_ || !interval_) return;
    id_ = SetTimer(nullptr, 0, interval_, &Timer::Proc);
    if (id_) Timers()[id_] = this;
}

void Timer::Stop() {
    if (!id_) return;
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
}

void CALLBACK Timer::Proc(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Timers().find(id);
    if (it == Timers().end()) {
        KillTimer(nullptr, id);
        return;
    }
    // A copy: the handler may destroy the timer it runs in.
    EventHandler tick = it->second->OnTimer;
    if (tick) tick();
}

} // namespace hv::rt
