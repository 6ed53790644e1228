// Base of every window of the add-in: owns its HWND, routes messages to a virtual handler.
#pragma once
#include "handles.h"
#include <windows.h>

namespace hv::rt {

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool exists() const { return hwnd_ != nullptr; }
    // Whether the window has the keyboard focus, as the system last told it (it sends
    // WM_SETFOCUS and WM_KILLFOCUS at every change): no question to the system.
    bool HasFocus() const { return focused_; }
    void Destroy();

    // The Window that owns hwnd, if it is one of ours.
    static Window* FromHandle(HWND hwnd);

  protected:
    // Registers the class once per module; returns its atom name.
    static const char* RegisterClassOnce(const char* name, UINT style, HBRUSH background);
    bool CreateHandle(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                      int y, int w, int h, HWND parent, HMENU id = nullptr);
    // Takes over a window of a system class (EDIT, ...) by subclassing it.
    bool Attach(HWND hwnd);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Answers WM_PAINT: BeginPaint, paint, EndPaint.
    template <typename F> LRESULT Paint(F&& paint) {
        PaintDc dc(hwnd_);
        paint(dc.get());
        return 0;
    }
    // The processing the window would get without us.
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    // Sees every mouse message before HandleMessage, whatever that makes of it.
    virtual void SeeMouse(UINT /*msg*/, WPARAM, LPARAM) {}
    // Called after WM_NCDESTROY, when hwnd() is already null.
    virtual void OnDestroyed() {}

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
    WNDPROC systemProc_ = nullptr; // of a system-class window taken over by Attach
    bool focused_ = false;
};

// Unregisters the classes this module registered (at DLL unload).
void UnregisterWindowClasses();

} // namespace hv::rt
