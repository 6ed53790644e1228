// Message pumping and modal-loop driving for window tests.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace hv::test {

// Runs the messages that are waiting, then keeps pumping for at least `ms`.
void PumpMessages(DWORD ms = 0);
// Pumps until `done` is true or the time is up; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// PumpUntil for the event named `what`. With HV_TRACE_WAITS set in the environment it prints
// whether the event had already happened when the wait began and how long it took, which
// shows that a wait waits for its event rather than for time.
bool WaitFor(const char* what, const std::function<bool()>& done, DWORD timeoutMs = 5000);
// The window is shown and neither it nor any window inside it has a paint pending.
bool Painted(HWND hwnd);
// Counts the mouse moves this thread retrieves for one window (a thread mouse hook), so a
// test can wait for its move to arrive where it was aimed.
class MouseMovesTo {
  public:
    explicit MouseMovesTo(HWND target);
    ~MouseMovesTo();
    MouseMovesTo(const MouseMovesTo&) = delete;
    MouseMovesTo& operator=(const MouseMovesTo&) = delete;
    int count() const { return count_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
    HWND target_;
    HHOOK hook_ = nullptr;
    int count_ = 0;
};
// The windows of this thread that are sent `message` while it lives, in order (a thread
// hook on the window procedure calls).
class MessageLog {
  public:
    explicit MessageLog(UINT message);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    std::vector<HWND> windows;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
    UINT message_;
    HHOOK hook_ = nullptr;
};
// For checks that nothing happened: pumps until a message posted now comes back, so that all
// that was posted before it has run. False if it did not come back in time.
bool PumpPostedMessages(DWORD timeoutMs = 5000);
// The same for timers: pumps until a thread timer of `ms` has fired from this loop, so that
// the timers due sooner (a control's own ticks) have had their turn.
bool PumpPastTimer(DWORD ms, DWORD timeoutMs = 5000);

// Answers the next modal window of this thread from inside its modal loop, as a person
// would: a thread timer, dispatched by the modal loop itself, finds the window of the given
// class and hands it to `answer` once.
class ModalAnswer {
  public:
    explicit ModalAnswer(std::function<void(HWND)> answer, std::string windowClass = "#32770");
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;
    bool answered() const { return answered_; }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(HWND)> answer_;
    std::string class_;
    UINT_PTR timer_ = 0;
    bool answered_ = false;
};

// Runs `action` once from this thread's message loop (a modal one included) after `ms`.
class RunLater {
  public:
    RunLater(DWORD ms, std::function<void()> action);
    ~RunLater();
    RunLater(const RunLater&) = delete;
    RunLater& operator=(const RunLater&) = delete;
    bool ran() const { return ran_; }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    std::function<void()> action_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

// Real input: the left button pressed or released where the cursor is.
void SendLeftButton(bool down);
// Real input: a key pressed and released.
void SendKey(WORD vk);
// Real input: the pointer moved to (x, y) on the screen.
void SendMoveTo(int x, int y);

// Whether a message box shows an icon: a visible icon static holding an icon (its control
// number differs between Win32 implementations, so it is found by its style).
bool HasMessageIcon(HWND box);

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// Sends a press and release of the left button at (x, y) pixels of the window's client area.
void ClickAt(HWND hwnd, int x, int y);
// The colour painted at (x, y) of the window's client area, as 0x00BBGGRR.
COLORREF PixelAt(HWND hwnd, int x, int y);

} // namespace hv::test
