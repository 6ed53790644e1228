#include "pump.h"
#include <cstdio>
#include <vector>

namespace hv::test {

void PumpMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms) Sleep(1);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        PumpMessages();
        // Woken by the next message; what no message announces (another process, the
        // screen) is looked at again after a few milliseconds.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

bool WaitFor(const char* what, const std::function<bool()>& done, DWORD timeoutMs) {
    static const bool trace = GetEnvironmentVariableA("HV_TRACE_WAITS", nullptr, 0) > 0;
    const bool already = done();
    const DWORD start = GetTickCount();
    const bool happened = already || PumpUntil(done, timeoutMs);
    if (trace)
        fprintf(stderr, "wait for %s: %s, %lu ms\n", what,
                already ? "already so" : happened ? "happened" : "TIMED OUT",
                static_cast<unsigned long>(GetTickCount() - start));
    return happened;
}

namespace {
BOOL CALLBACK AnyUpdate(HWND child, LPARAM lp) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lp) = true;
        return FALSE;
    }
    return TRUE;
}
MouseMovesTo* g_mouseMoves = nullptr;
} // namespace

bool Painted(HWND hwnd) {
    if (!IsWindowVisible(hwnd) || GetUpdateRect(hwnd, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(hwnd, &AnyUpdate, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

namespace {
MessageLog* activeLog = nullptr; // one at a time: the hook is the thread's
} // namespace

MessageLog::MessageLog(UINT message) : message_(message) {
    activeLog = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &MessageLog::Hook, nullptr, GetCurrentThreadId());
}

MessageLog::~MessageLog() {
    UnhookWindowsHookEx(hook_);
    activeLog = nullptr;
}

LRESULT CALLBACK MessageLog::Hook(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && activeLog && m->message == activeLog->message_)
        activeLog->windows.push_back(m->hwnd);
    return CallNextHookEx(nullptr, code, wp, lp);
}

MouseMovesTo::MouseMovesTo(HWND target) : target_(target) {
    g_mouseMoves = this;
    hook_ = SetWindowsHookExA(WH_MOUSE, &MouseMovesTo::Hook, nullptr, GetCurrentThreadId());
}

MouseMovesTo::~MouseMovesTo() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (g_mouseMoves == this) g_mouseMoves = nullptr;
}

LRESULT CALLBACK MouseMovesTo::Hook(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lp);
    if (code == HC_ACTION && wp == WM_MOUSEMOVE && g_mouseMoves && m->hwnd == g_mouseMoves->target_)
        ++g_mouseMoves->count_;
    return CallNextHookEx(nullptr, code, wp, lp);
}

bool PumpPostedMessages(DWORD timeoutMs) {
    constexpr UINT kMarker = WM_APP + 0x3F0;
    static LPARAM lastCookie = 0;
    const LPARAM cookie = ++lastCookie;
    if (!PostThreadMessageA(GetCurrentThreadId(), kMarker, 0, cookie)) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!msg.hwnd && msg.message == kMarker && msg.lParam == cookie) return true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(1);
    }
}

namespace {
UINT_PTR g_firedTimer = 0;
void CALLBACK MarkFired(HWND, UINT, UINT_PTR id, DWORD) {
    g_firedTimer = id;
}
} // namespace

bool PumpPastTimer(DWORD ms, DWORD timeoutMs) {
    const UINT_PTR id = SetTimer(nullptr, 0, ms, &MarkFired);
    if (!id) return false;
    const bool fired = PumpUntil([&] { return g_firedTimer == id; }, timeoutMs);
    KillTimer(nullptr, id);
    g_firedTimer = 0;
    return fired;
}

namespace {
ModalAnswer* g_pending = nullptr;

struct Search {
    const std::string* cls;
    HWND found;
};

BOOL CALLBACK FindModal(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (IsWindowVisible(hwnd) && ClassName(hwnd) == *s->cls) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

ModalAnswer::ModalAnswer(std::function<void(HWND)> answer, std::string windowClass)
    : answer_(std::move(answer)), class_(std::move(windowClass)) {
    g_pending = this;
    timer_ = SetTimer(nullptr, 0, 30, &ModalAnswer::OnTimer);
}

ModalAnswer::~ModalAnswer() {
    KillTimer(nullptr, timer_);
    if (g_pending == this) g_pending = nullptr;
}

void CALLBACK ModalAnswer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalAnswer* self = g_pending;
    if (!self || self->answered_) return;
    Search s{&self->class_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindModal, reinterpret_cast<LPARAM>(&s));
    if (!s.found) return;
    self->answered_ = true;
    KillTimer(nullptr, self->timer_);
    self->answer_(s.found);
}

namespace {
RunLater* g_later = nullptr;
}

RunLater::RunLater(DWORD ms, std::function<void()> action) : action_(std::move(action)) {
    g_later = this;
    timer_ = SetTimer(nullptr, 0, ms, &RunLater::OnTimer);
}

RunLater::~RunLater() {
    KillTimer(nullptr, timer_);
    if (g_later == this) g_later = nullptr;
}

void CALLBACK RunLater::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    RunLater* self = g_later;
    if (!self || self->ran_) return;
    self->ran_ = true;
    KillTimer(nullptr, self->timer_);
    self->action_();
}

void SendLeftButton(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}

void SendKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

void SendMoveTo(int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    SendInput(1, &in, sizeof in);
}

namespace {
BOOL CALLBACK FindIcon(HWND child, LPARAM lp) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
        SendMessageA(child, STM_GETICON, 0, 0) != 0) {
        *reinterpret_cast<bool*>(lp) = true;
        return FALSE;
    }
    return TRUE;
}
} // namespace

bool HasMessageIcon(HWND box) {
    bool found = false;
    EnumChildWindows(box, &FindIcon, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string WindowText(HWND hwnd) {
    char buf[512] = "";
    GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

std::string ClassName(HWND hwnd) {
    char buf[256] = "";
    GetClassNameA(hwnd, buf, sizeof buf);
    return buf;
}

void ClickAt(HWND hwnd, int x, int y) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

COLORREF PixelAt(HWND hwnd, int x, int y) {
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

} // namespace hv::test
