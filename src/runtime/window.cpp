#include "window.h"
#include "entry_scope.h"
#include "module.h"
#include <commctrl.h>
#include <string>
#include <vector>

namespace hv::rt {

namespace {
constexpr char kSelfProp[] = "HuevistaWindow";
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

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropA(hwnd, kSelfProp)) : nullptr;
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
    return Default(msg, wp, lp);
}

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) {
    return subclassed_ ? DefSubclassProc(hwnd_, msg, wp, lp) : DefWindowProcA(hwnd_, msg, wp, lp);
}

bool Window::Attach(HWND hwnd) {
    if (!hwnd) return false;
    Destroy();
    hwnd_ = hwnd;
    subclassed_ = true;
    SetPropA(hwnd, kSelfProp, this);
    return SetWindowSubclass(hwnd, &Window::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCDESTROY) {
        HWND hwnd = hwnd_;
        // The bookkeeping below runs whatever the handler does.
        const LRESULT r = Barrier<LRESULT>(0, [&] { return HandleMessage(msg, wp, lp); });
        if (subclassed_) RemoveWindowSubclass(hwnd, &Window::SubclassProc, 1);
        RemovePropA(hwnd, kSelfProp);
        hwnd_ = nullptr;
        subclassed_ = false;
        OnDestroyed(); // may delete this
        return r;
    }
    return HandleMessage(msg, wp, lp);
}

LRESULT CALLBACK Window::SubclassProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                      DWORD_PTR self) {
    return Barrier<LRESULT>(0,
                            [&] { return reinterpret_cast<Window*>(self)->Dispatch(msg, wp, lp); });
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self = FromHandle(hwnd);
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetPropA(hwnd, kSelfProp, self);
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
