// How long a grab of the whole screen (every monitor) takes, against the bare copy it is built
// around: the same area copied with BitBlt into a compatible bitmap, with the contexts and the
// bitmap made and dropped the same way. Both are timed in turns in one run; medians are
// printed, and the median of each round's ratio. Then the capture button's click until the
// frozen screen is painted, against the same visible result done bare: a grab shown in a
// plain topmost window of the screen's size, made once (the grab alone is noted beside it,
// since a grab that is not shown is no floor for a click that ends in a shown one).
#include "capture/frm_capture.h"
#include "capture/screen_capture.h"
#include "controls/trans_skin_button.h"
#include "forms/frm_main.h"
#include "bench_clock.h"
#include "bench_table.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Now() {
    return WallSeconds() * 1e3;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

// The virtual screen's corner; the size is passed along.
int vx = 0, vy = 0;

void BareGrab(int cx, int cy) {
    HDC src = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(src);
    HBITMAP bmp = CreateCompatibleBitmap(src, cx, cy);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, cx, cy, src, vx, vy, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, src);
    DeleteObject(bmp);
}

double TimeGrab() {
    const double t = Now();
    if (!hv::capture::GrabDesktop()) std::printf("the grab made no picture\n");
    return Now() - t;
}

double TimeBare(int cx, int cy) {
    const double t = Now();
    BareGrab(cx, cy);
    return Now() - t;
}

// The floor of a click that ends in the frozen screen shown: a plain topmost popup over the
// virtual screen, made once and hidden between rounds, that paints a bare grab 1:1.
class BareShownGrab {
  public:
    BareShownGrab(int cx, int cy) : cx_(cx), cy_(cy) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BareShownGrab";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP,
                                vx, vy, cx, cy, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~BareShownGrab() { DestroyWindow(hwnd_); }

    // Grab, show, paint: timed until the pixels are in the window.
    double Shown() {
        const double t = Now();
        HDC src = GetDC(nullptr);
        mem_ = CreateCompatibleDC(src);
        bmp_ = CreateCompatibleBitmap(src, cx_, cy_);
        old_ = SelectObject(mem_, bmp_);
        BitBlt(mem_, 0, 0, cx_, cy_, src, vx, vy, SRCCOPY);
        ReleaseDC(nullptr, src);
        ShowWindow(hwnd_, SW_SHOW);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        return Now() - t;
    }
    void Hide() {
        ShowWindow(hwnd_, SW_HIDE);
        SelectObject(mem_, old_);
        DeleteDC(mem_);
        DeleteObject(bmp_);
        mem_ = nullptr;
    }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<BareShownGrab*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (msg == WM_ERASEBKGND) return 1;
        if (msg != WM_PAINT || !self) return DefWindowProcA(w, msg, wp, lp);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        if (self->mem_) BitBlt(dc, 0, 0, self->cx_, self->cy_, self->mem_, 0, 0, SRCCOPY);
        EndPaint(w, &ps);
        return 0;
    }
    int cx_, cy_;
    HWND hwnd_ = nullptr;
    HDC mem_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

void PumpAll() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// The capture button's press and release until the capture window has painted the frozen
// screen, against the bare shown grab in the same rounds (each first every other round), and
// the grab alone; each capture is ended by a press.
void ClickToFrozenScreen(const std::string& screen, int cx, int cy, int runs) {
    hv::forms::frmMain main;
    main.Load();
    ShowWindow(main.hWnd(), SW_SHOWNA);
    HWND button = main.cmdCapture->hwnd();
    BareShownGrab bare(cx, cy);
    bench::Samples click, shown, grab;
    for (int i = -3; i < runs; ++i) {
        double b = 0;
        const auto timeBare = [&] {
            b = bare.Shown();
            bare.Hide();
            PumpAll();
        };
        if (i % 2) timeBare();
        const double t = Now();
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        hv::capture::frmCapture* capture = main.captureForm();
        if (!capture || !capture->Visible()) {
            std::printf("the click opened no capture window\n");
            return;
        }
        RedrawWindow(capture->form().hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        const double c = Now() - t;
        SendMessageA(capture->picScreen->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
        PumpAll();
        if (!(i % 2)) timeBare();
        const double g = TimeGrab();
        if (i >= 0) {
            click.Add(c / 1e3);
            shown.Add(b / 1e3);
            grab.Add(g / 1e3);
        }
    }
    char note[96];
    std::snprintf(note, sizeof note, "the grab alone %s: %.2fx of it", bench::Figure(grab).c_str(),
                  bench::Ratios(click, grab).Median());
    bench::PrintRow("Capture: click to the frozen screen shown, " + screen, click,
                    "bare window showing a grab", shown, note);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    OleInitialize(nullptr);
    vx = GetSystemMetrics(SM_XVIRTUALSCREEN);
    vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int monitors = GetSystemMetrics(SM_CMONITORS);

    // The BitBlt alone, into a bitmap made once.
    HDC src = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(src);
    HBITMAP bmp = CreateCompatibleBitmap(src, cx, cy);
    HGDIOBJ old = SelectObject(mem, bmp);

    std::vector<double> grab, bare, blit;
    for (int i = -3; i < runs; ++i) { // three rounds to warm up
        // Each goes first every other round, so neither always follows the other.
        double g, b;
        if (i % 2) {
            g = TimeGrab();
            b = TimeBare(cx, cy);
        } else {
            b = TimeBare(cx, cy);
            g = TimeGrab();
        }
        const double t = Now();
        BitBlt(mem, 0, 0, cx, cy, src, vx, vy, SRCCOPY);
        const double c = Now() - t;
        if (i >= 0) {
            grab.push_back(g);
            bare.push_back(b);
            blit.push_back(c);
        }
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, src);
    DeleteObject(bmp);

    std::printf("screen %d x %d on %d monitor(s), %d runs (median / fastest, ms)\n", cx, cy,
                monitors, runs);
    std::printf("  GrabDesktop (picture made and dropped) %8.3f / %8.3f\n", Median(grab),
                Fastest(grab));
    std::printf("  bare grab (contexts, bitmap, BitBlt)   %8.3f / %8.3f\n", Median(bare),
                Fastest(bare));
    std::printf("  BitBlt alone into a kept bitmap        %8.3f / %8.3f\n", Median(blit),
                Fastest(blit));
    // Each round's two timings were taken side by side, under the same load: the median of
    // the rounds' ratios is the steadiest figure on a busy machine.
    std::vector<double> toBare, toBlit;
    for (size_t i = 0; i < grab.size(); ++i) {
        toBare.push_back(grab[i] / bare[i]);
        toBlit.push_back(grab[i] / blit[i]);
    }
    std::printf("  ratio GrabDesktop / bare grab          %8.3f (of medians %.3f)\n",
                Median(toBare), Median(grab) / Median(bare));
    std::printf("  ratio GrabDesktop / BitBlt alone       %8.3f (of medians %.3f)\n",
                Median(toBlit), Median(grab) / Median(blit));
    bench::Samples product, floor;
    for (size_t i = 0; i < grab.size(); ++i) {
        product.Add(grab[i] / 1e3);
        floor.Add(bare[i] / 1e3);
    }
    const std::string screen = (monitors > 1 ? std::to_string(monitors) + " monitors " : "full screen ") +
                               std::to_string(cx) + " x " + std::to_string(cy);
    bench::PrintRow("Grab: " + screen, product, "bare grab", floor);
    ClickToFrozenScreen(screen, cx, cy, runs);
    OleUninitialize();
    return 0;
}
