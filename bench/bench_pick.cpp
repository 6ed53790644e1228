// The pick: a drag over the colour strip and a move over the capture window, each ending in
// the main window's preview, code and components, against a bare window with the same five
// controls (same classes, styles, places and font) updated with plain calls: the cheapest
// way this platform shows the same thing. Also what a pick of the colour already shown costs,
// and the messages and repaints of one pick.
#include "bench_clock.h"
#include "bench_pump.h"
#include "bench_table.h"
#include "capture/frm_capture.h"
#include "forms/frm_main.h"
#include "runtime/picture_box.h"
#include <cstdio>

namespace {

using bench::Samples;

// The floor: a plain top-level window, a preview that fills itself with one colour, and four
// edit controls copied from the main window's.
class FloorWindow {
  public:
    explicit FloorWindow(hv::forms::frmMain& main) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PreviewProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FloorPreview";
        RegisterClassA(&wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "FloorFrame";
        RegisterClassA(&wc);
        RECT r{};
        GetWindowRect(main.hWnd(), &r);
        hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "FloorFrame", "floor", WS_POPUP,
                                0, 400, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                wc.hInstance, nullptr);
        preview_ = Copy(main.picCurrentCol->hwnd(), "FloorPreview");
        code_ = Copy(main.txtColorCode->hwnd(), "EDIT");
        r_ = Copy(main.txtR->hwnd(), "EDIT");
        g_ = Copy(main.txtG->hwnd(), "EDIT");
        b_ = Copy(main.txtB->hwnd(), "EDIT");
        ShowWindow(hwnd_, SW_SHOWNA);
        Repaint(hwnd_);
    }
    ~FloorWindow() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

    void Show(COLORREF c) {
        SetWindowLongPtrA(preview_, GWLP_USERDATA, static_cast<LONG_PTR>(c));
        InvalidateRect(preview_, nullptr, FALSE);
        char text[16];
        std::snprintf(text, sizeof text, "&H%X&", static_cast<unsigned>(c));
        SetWindowTextA(code_, text);
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(GetRValue(c)));
        SetWindowTextA(r_, text);
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(GetGValue(c)));
        SetWindowTextA(g_, text);
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(GetBValue(c)));
        SetWindowTextA(b_, text);
    }

  private:
    HWND Copy(HWND from, const char* cls) {
        RECT r{};
        GetWindowRect(from, &r);
        MapWindowPoints(nullptr, GetParent(from), reinterpret_cast<POINT*>(&r), 2);
        HWND w = CreateWindowExA(static_cast<DWORD>(GetWindowLongA(from, GWL_EXSTYLE)), cls, "",
                                 static_cast<DWORD>(GetWindowLongA(from, GWL_STYLE)), r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, hwnd_, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        SendMessageA(w, WM_SETFONT, SendMessageA(from, WM_GETFONT, 0, 0), FALSE);
        return w;
    }
    static LRESULT CALLBACK PreviewProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_ERASEBKGND) return 1;
        if (msg != WM_PAINT) return DefWindowProcA(w, msg, wp, lp);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(w, GWLP_USERDATA)));
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(w, &ps);
        return 0;
    }
    HWND hwnd_, preview_, code_, r_, g_, b_;
};

// Messages that windows of this thread were sent, by kind, while a counter lives.
struct MessageCount {
    long settext = 0, paint = 0, erase = 0, ctlcolor = 0, all = 0;
    HWND root = nullptr;

    explicit MessageCount(HWND under) : root(under) {
        current = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~MessageCount() {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    std::string Text() const {
        char t[160];
        std::snprintf(
            t, sizeof t,
            "%ld messages: %ld WM_SETTEXT, %ld WM_PAINT, %ld WM_ERASEBKGND, %ld WM_CTLCOLOREDIT",
            all, settext, paint, erase, ctlcolor);
        return t;
    }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && current && GetAncestor(m->hwnd, GA_ROOT) == current->root) {
            ++current->all;
            current->settext += m->message == WM_SETTEXT;
            current->paint += m->message == WM_PAINT;
            current->erase += m->message == WM_ERASEBKGND;
            current->ctlcolor += m->message == WM_CTLCOLOREDIT;
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline MessageCount* current = nullptr;
    HHOOK hook;
};

// How many of the window and its children have something left to repaint.
int WindowsToRepaint(HWND w) {
    int n = GetUpdateRect(w, nullptr, FALSE) ? 1 : 0;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        n += WindowsToRepaint(c);
    return n;
}

struct Point {
    int x, y;
    COLORREF c;
};

// Points of the box in a row, each of another colour than the one before.
std::vector<Point> ChangingPoints(hv::rt::PictureBox& box, RECT area, int tx, int ty) {
    std::vector<Point> points;
    for (int y = area.top; y < area.bottom; y += 3)
        for (int x = area.left; x < area.right; ++x) {
            const hv::ColorValue c =
                box.Point(static_cast<float>(x * tx), static_cast<float>(y * ty));
            if (c == -1 || (!points.empty() && points.back().c == static_cast<COLORREF>(c)))
                continue;
            points.push_back({x, y, static_cast<COLORREF>(c)});
        }
    return points;
}

// Product and floor by turns, each first every other time, `runs` times.
template <typename P, typename F>
void SideBySide(int runs, Samples& product, Samples& floor, P&& productPick, F&& floorPick) {
    for (int i = -20; i < runs; ++i) {
        double p, f;
        auto timed = [](auto&& op, int k) {
            const double t = WallSeconds();
            op(k);
            return WallSeconds() - t;
        };
        const int k = i + 20;
        if (i % 2) {
            p = timed(productPick, k);
            Pump();
            f = timed(floorPick, k);
        } else {
            f = timed(floorPick, k);
            Pump();
            p = timed(productPick, k);
        }
        Pump();
        if (i < 0) continue;
        product.Add(p);
        floor.Add(f);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    OleInitialize(nullptr);
    hv::forms::frmMain main;
    main.Load();
    Pump();
    FloorWindow floor(main);
    Pump();
    const int tx = main.form().TwipsPerPixelX(), ty = main.form().TwipsPerPixelY();

    // The colour strip, dragged with the left button held.
    hv::rt::PictureBox& strip = *main.picColors;
    RECT sr{};
    GetClientRect(strip.hwnd(), &sr);
    const std::vector<Point> stripPoints = ChangingPoints(strip, sr, tx, ty);
    auto at = [](const std::vector<Point>& v, int k) {
        return v[static_cast<size_t>(k) % v.size()];
    };
    auto drag = [&](int k) {
        const Point p = at(stripPoints, k);
        SendMessageA(strip.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    };
    auto plain = [&](int k) { floor.Show(at(stripPoints, k).c); };
    {
        Samples product, base;
        SideBySide(runs, product, base, drag, plain);
        bench::PrintRow("Pick, colour strip drag: fields updated", product,
                        "bare window, plain calls", base);
    }
    {
        Samples product, base;
        SideBySide(
            runs, product, base,
            [&](int k) {
                drag(k);
                Repaint(main.hWnd());
            },
            [&](int k) {
                plain(k);
                Repaint(floor.hwnd());
            });
        std::string counts;
        {
            MessageCount m(main.hWnd());
            drag(1);
            Repaint(main.hWnd());
            counts = "product " + m.Text();
        }
        {
            MessageCount m(floor.hwnd());
            plain(1);
            Repaint(floor.hwnd());
            counts += "; floor " + m.Text();
        }
        std::fprintf(stderr, "one repainted pick: %s\n", counts.c_str());
        bench::PrintRow("Pick, colour strip drag: fields updated and repainted", product,
                        "bare window, plain calls", base);
    }
    {
        // The pointer resting on one colour: the product has nothing to do, the floor
        // rewrites everything.
        Samples product, base;
        SideBySide(
            runs, product, base,
            [&](int) {
                drag(0);
                Repaint(main.hWnd());
            },
            [&](int) {
                plain(0);
                Repaint(floor.hwnd());
            });
        drag(0);
        Repaint(main.hWnd());
        MessageCount m(main.hWnd());
        drag(0);
        char note[200];
        std::snprintf(note, sizeof note, "%ld WM_SETTEXT, %d windows to repaint", m.settext,
                      WindowsToRepaint(main.hWnd()));
        bench::PrintRow("Pick, same colour again, repainted", product, "full rewrite, plain calls",
                        base, note);
    }

    // The capture window over the frozen screen, moved over the main window's picture in it.
    const HWND button = main.cmdCapture->hwnd();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 11));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(14, 11));
    Pump();
    hv::capture::frmCapture* capture = main.captureForm();
    if (!capture || !capture->Visible()) {
        std::fprintf(stderr, "the capture window did not open\n");
        return 1;
    }
    SetWindowPos(floor.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    hv::rt::PictureBox& screen = *capture->picScreen;
    RECT mr{};
    GetWindowRect(main.hWnd(), &mr);
    const std::vector<Point> screenPoints = ChangingPoints(screen, mr, tx, ty);
    {
        Samples product, base;
        SideBySide(
            runs, product, base,
            [&](int k) {
                const Point p = at(screenPoints, k);
                SendMessageA(screen.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
                Repaint(main.hWnd());
            },
            [&](int k) {
                floor.Show(at(screenPoints, k).c);
                Repaint(floor.hwnd());
            });
        bench::PrintRow("Pick, capture move: fields updated and repainted", product,
                        "bare window, plain calls", base);
    }
    capture->Unload();
    main.Unload();
    Pump();
    OleUninitialize();
    return 0;
}
