// VB's Timer control over a thread timer of the UI thread: OnTimer runs every Interval ms
// while Enabled. The owner's destruction stops it; a tick already queued for a dead timer
// is dropped.
#pragma once
#include "mouse.h"
#include <windows.h>

namespace hv::rt {

class Timer {
  public:
    explicit Timer(UINT intervalMs = 0, bool enabled = false);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Enabling a timer that runs leaves its count alone, so a stream of enables (one per
    // mouse move) cannot hold its tick back.
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    // True while a system timer is set for this timer.
    bool Running() const { return id_ != 0; }

    EventHandler OnTimer;

    // Timers of this process that are running now.
    static long RunningCount();

  private:
    void Start();
    void Stop();
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD);

    UINT interval_;
    bool enabled_;
    UINT_PTR id_ = 0;
};

} // namespace hv::rt
