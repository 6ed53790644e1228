// RAII owners for the Win32 handles the add-in creates. Every owner counts itself in one
// process-wide tally, so a test can see that what was created was also released.
#pragma once
#include <windows.h>
#include <utility>

namespace hv::rt {

// Handles currently owned by any Unique<> in this process.
long LiveHandleCount();

namespace detail {
void CountHandle(long delta);
}

template <typename H, typename Traits> class Unique {
  public:
    Unique() = default;
    explicit Unique(H h) : h_(h) {
        if (h_) detail::CountHandle(1);
    }
    ~Unique() { reset(); }
    Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, H{});
        }
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    void reset(H h = H{}) {
        if (h_) {
            Traits::Close(h_);
            detail::CountHandle(-1);
        }
        h_ = h;
        if (h_) detail::CountHandle(1);
    }
    // Hands the handle to an owner outside this program (e.g. SetWindowRgn, a picture object).
    H release() {
        if (h_) detail::CountHandle(-1);
        return std::exchange(h_, H{});
    }
    // For an out-parameter: `RegOpenKeyExA(..., key.put())` closes what the owner held and
    // takes over what the call wrote once the call's full expression ends.
    class OutParam {
      public:
        explicit OutParam(Unique& owner) : owner_(owner) {}
        ~OutParam() { owner_.reset(raw_); }
        OutParam(const OutParam&) = delete;
        OutParam& operator=(const OutParam&) = delete;
        operator H*() { return &raw_; }

      private:
        Unique& owner_;
        H raw_{};
    };
    OutParam put() {
        reset();
        return OutParam(*this);
    }

  private:
    H h_{};
};

struct GdiObjectTraits { static void Close(HGDIOBJ h) { DeleteObject(h); } };
struct MemoryDcTraits { static void Close(HDC h) { DeleteDC(h); } };
struct CursorTraits { static void Close(HCURSOR h) { DestroyCursor(h); } };
struct KeyTraits { static void Close(HKEY h) { RegCloseKey(h); } };

using UniqueBitmap = Unique<HBITMAP, GdiObjectTraits>;
using UniqueFont = Unique<HFONT, GdiObjectTraits>;
using UniqueBrush = Unique<HBRUSH, GdiObjectTraits>;
using UniqueRegion = Unique<HRGN, GdiObjectTraits>;
using UniquePalette = Unique<HPALETTE, GdiObjectTraits>;
using UniqueMemoryDc = Unique<HDC, MemoryDcTraits>;
using UniqueCursor = Unique<HCURSOR, CursorTraits>;
using UniqueKey = Unique<HKEY, KeyTraits>;

// A window's device context, released exactly once: the client area's (GetDC) or the whole
// window's, frame included (GetWindowDC).
class WindowDc {
  public:
    WindowDc(HWND w, bool clientOnly) : w_(w), dc_(clientOnly ? GetDC(w) : GetWindowDC(w)) {
        if (dc_) detail::CountHandle(1);
    }
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(w_, dc_);
            detail::CountHandle(-1);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND w_;
    HDC dc_;
};

// A window's client-area device context from GetDC.
class ClientDc : public WindowDc {
  public:
    explicit ClientDc(HWND w) : WindowDc(w, true) {}
};

// Selects an object into a DC for the lifetime of the guard and puts the old one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace hv::rt
