#include "window.h"
#include "entry_scope.h"
#include "module.h"
#include <string>
#include <unordered_map>
#include <vector>

namespace hv::rt {

namespace {
// Our windows by handle, looked up on every message. Not a window property: under Wine each
// property read is a round trip to the window server, which made a pick cost milliseconds.
struct WindowMap {
    SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<HWND, Window*> windows;
};
WindowMap& Windows() {
    static WindowMap map;
    return map;
}
void Remember(HWND hwnd, Window* self) {
    WindowMap& m = Windows();
    AcquireSRWLockExclusive(&m.lock);
    m.windows[hwnd] = self;
    ReleaseSRWLockExclusive(&m.lock);
}
void Forget(HWND hwnd) {
    WindowMap& m = Windows();
    AcquireSRWLockExclusive(&m.lock);
    m.windows.erase(hwnd);
    ReleaseSRWLockExclusive(&m.lock);
}
std::vector<std::string>& Registered() {
    static std::vector<std::string> names;
    return names;
}
} // namespace

Window::~Window() {
    Destroy();
}

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void Window::Invalidate(bool erase) const {
    if (hwnd_ && IsWindowVisible(hwnd_)) InvalidateRect(hwnd_, nullptr, erase);
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    WindowMap& m = Windows();
    AcquireSRWLockShared(&m.lock);
    const auto it = m.windows.find(hwnd);
    Window* self = it == m.windows.end() ? nullptr : it->second;
    ReleaseSRWLockShared(&m.lock);
    return self;
}

const char* Window::RegisterClassOnce(const char* name, UINT style, HBRUSH background) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(ThisModule(), name, &wc)) return name;
    wc.style = style;
    wc.lpfnWndProc = &Window::Proc;
    wc.hInstance = ThisModule();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (RegisterClassExA(&wc)) Registered().push_back(name);
    return name;
}

bool Window::CreateHandle(DWORD exStyle, const char* className, const char* text, DWORD style,
                          int x, int y, int w, int h, HWND parent, HMENU id) {
    Destroy();
    CreateWindowExA(exStyle, className, text, style, x, y, w, h, parent, id, ThisModule(), this);
    return hwnd_ != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // A window of ours without frame, edge or scroll bar has no non-client area to paint;
    // the default painting of it still costs a device context (and, under Wine, trips to the
    // window server) for each window shown.
    if (msg == WM_NCPAINT && !systemProc_) {
        constexpr LONG_PTR frame = WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL;
        constexpr LONG_PTR edge = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE |
                                  WS_EX_DLGMODALFRAME;
        if (!(GetWindowLongPtrA(hwnd_, GWL_STYLE) & frame) &&
            !(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) & edge))
            return 0;
    }
    return Default(msg, wp, lp);
}

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) {
    return systemProc_ ? CallWindowProcA(systemProc_, hwnd_, msg, wp, lp)
                       : DefWindowProcA(hwnd_, msg, wp, lp);
}

bool Window::Attach(HWND hwnd) {
    if (!hwnd) return false;
    Destroy();
    hwnd_ = hwnd;
    Remember(hwnd, this);
    // A plain subclass: comctl32's SetWindowSubclass reads a window property on every message.
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Proc)));
    return systemProc_ != nullptr;
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCDESTROY) {
        HWND hwnd = hwnd_;
        // The bookkeeping below runs whatever the handler does.
        const LRESULT r = Barrier<LRESULT>(0, [&] { return HandleMessage(msg, wp, lp); });
        // The window gets no message after this one, so its procedure is left as it is (a
        // subclass put over ours would be cut off by putting the system's back).
        Forget(hwnd);
        hwnd_ = nullptr;
        systemProc_ = nullptr;
        focused_ = false;
        OnDestroyed(); // may delete this
        return r;
    }
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) SeeMouse(msg, wp, lp);
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) focused_ = msg == WM_SETFOCUS;
    return HandleMessage(msg, wp, lp);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self = FromHandle(hwnd);
    if (msg == WM_NCCREATE && !self) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            Remember(hwnd, self);
        }
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    return Barrier<LRESULT>(0, [&] { return self->Dispatch(msg, wp, lp); });
}

void UnregisterWindowClasses() {
    for (const auto& name : Registered())
        UnregisterClassA(name.c_str(), ThisModule());
    Registered().clear();
}

} // namespace hv::rt
