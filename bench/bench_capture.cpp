// How long a grab of the whole screen (every monitor) takes, against the bare copy it is built
// around: the same area copied with BitBlt into a compatible bitmap, with the contexts and the
// bitmap made and dropped the same way. Both are timed in turns in one run; medians are
// printed, and the median of each round's ratio. Then the capture button's click until the
// frozen screen is painted, against the grab alone.
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

// The capture button's press and release until the capture window has painted the frozen
// screen, against the grab alone in the same rounds; each capture is ended by a press.
void ClickToFrozenScreen(const std::string& screen, int runs) {
    hv::forms::frmMain main;
    main.Load();
    ShowWindow(main.hWnd(), SW_SHOWNA);
    HWND button = main.cmdCapture->hwnd();
    bench::Samples click, grab;
    for (int i = -3; i < runs; ++i) {
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
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        const double g = TimeGrab();
        if (i >= 0) {
            click.Add(c / 1e3);
            grab.Add(g / 1e3);
        }
    }
    bench::PrintRow("Capture: click to the frozen screen shown, " + screen, click, "the grab alone",
                    grab);
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
    ClickToFrozenScreen(screen, runs);
    OleUninitialize();
    return 0;
}
