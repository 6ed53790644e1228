// How long a full-screen grab takes, against the bare copy it is built around: the same
// screen copied with BitBlt into a compatible bitmap, with the contexts and the bitmap made
// and dropped the same way. Both are timed in turns in one run; medians are printed, and the
// median of each round's ratio.
#include "capture/screen_capture.h"
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

void BareGrab(int cx, int cy) {
    HWND desktop = GetDesktopWindow();
    HDC src = GetWindowDC(desktop);
    HDC mem = CreateCompatibleDC(src);
    HBITMAP bmp = CreateCompatibleBitmap(src, cx, cy);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, cx, cy, src, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(desktop, src);
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

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    OleInitialize(nullptr);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);

    // The BitBlt alone, into a bitmap made once.
    HWND desktop = GetDesktopWindow();
    HDC src = GetWindowDC(desktop);
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
        BitBlt(mem, 0, 0, cx, cy, src, 0, 0, SRCCOPY);
        const double c = Now() - t;
        if (i >= 0) {
            grab.push_back(g);
            bare.push_back(b);
            blit.push_back(c);
        }
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(desktop, src);
    DeleteObject(bmp);

    std::printf("screen %d x %d, %d runs (median / fastest, ms)\n", cx, cy, runs);
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
    bench::PrintRow("Grab: full screen " + std::to_string(cx) + " x " + std::to_string(cy), product,
                    "bare grab", floor);
    OleUninitialize();
    return 0;
}
