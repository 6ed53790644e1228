// How long one pick takes while the pointer moves over the capture window: the mouse move
// delivered to the screenshot box, the pixel read from the screenshot, the main window's
// preview, code and component fields rewritten and the loupe drawn and moved beside the
// pointer. Also its parts alone, the pick with the loupe stopped (and so the loupe's share),
// this thread's CPU time per move with and without it, the pick with the main window
// repainted at once (what the user waits for before the next move shows), and the move with the
// mean of a 5 x 5 square picked against the pixel alone (a row of the performance table).
#include "capture/frm_capture.h"
#include "forms/frm_main.h"
#include "runtime/picture_box.h"
#include "runtime/screen.h"
#include "bench_clock.h"
#include "bench_table.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Now() {
    return WallSeconds() * 1e6;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Figures {
    std::vector<double> us;
    double Median() {
        std::sort(us.begin(), us.end());
        return us[us.size() / 2];
    }
    void Print(const char* what) {
        const double median = Median();
        std::printf("  %-44s %9.1f / %9.1f\n", what, median, us.front());
    }
};

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    OleInitialize(nullptr);
    hv::forms::frmMain main;
    main.Load();
    Pump();
    const HWND button = main.cmdCapture->hwnd();
    RECT b{};
    GetClientRect(button, &b);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.right / 2, b.bottom / 2));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(b.right / 2, b.bottom / 2));
    Pump();
    hv::capture::frmCapture* capture = main.captureForm();
    if (!capture || !capture->Visible()) {
        std::printf("the capture window did not open\n");
        return 1;
    }
    hv::rt::PictureBox& pic = *capture->picScreen;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const int tx = main.form().TwipsPerPixelX(), ty = main.form().TwipsPerPixelY();
    // Points along a diagonal, a different pixel (and mostly a different colour) each time.
    const auto at = [&](int i, int& x, int& y) {
        x = (i * 7) % (cx / 2);
        y = (i * 5) % cy;
    };

    // Moves to the pixel, timed, with this thread's CPU time added to `cpu`.
    const auto move = [&](int x, int y, double& cpu) {
        const double c = ThreadCpuSeconds(), t = Now();
        SendMessageA(pic.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        const double us = Now() - t;
        cpu += ThreadCpuSeconds() - c;
        return us;
    };
    POINT origin{};
    ClientToScreen(pic.hwnd(), &origin);

    Figures pick, point, fields, loupe, redrawn, painted, bare;
    double cpuWith = 0, cpuWithout = 0, ignored = 0;
    for (int i = -50; i < runs; ++i) { // the first rounds warm up
        int x, y;
        at(i + 50, x, y);
        double& cpu = i < 0 ? ignored : cpuWith;
        const double p = move(x, y, cpu);
        Pump();

        double t = Now();
        const hv::ColorValue c = pic.Point(static_cast<float>(x * tx), static_cast<float>(y * ty));
        const double r = Now() - t;
        t = Now();
        capture->CurrentCol(c ^ 0x00FFFFFF); // another colour than the pick left
        const double f = Now() - t;
        t = Now();
        capture->loupe().Follow(POINT{origin.x + x + 3, origin.y + y + 3});
        const double l = Now() - t;
        t = Now();
        capture->loupe().Follow(POINT{origin.x + x + 3, origin.y + y + 3});
        const double still = Now() - t;
        Pump();

        at(i + 50 + runs / 3, x, y); // elsewhere: the next timed move goes to a new pixel
        t = Now();
        SendMessageA(pic.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        RedrawWindow(main.hWnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const double d = Now() - t;
        Pump();
        if (i < 0) continue;
        pick.us.push_back(p);
        point.us.push_back(r);
        fields.us.push_back(f);
        loupe.us.push_back(l);
        redrawn.us.push_back(still);
        painted.us.push_back(d);
    }
    // Move i of the timed moves, with the fields showing another colour than it picks (as
    // above), each side pumped: the time of the move alone.
    auto freshMove = [&](int i, int& x, int& y, double& cpuSamples) {
        at(i + 50, x, y);
        capture->CurrentCol(pic.Point(static_cast<float>(x * tx), static_cast<float>(y * ty)) ^
                            0x00FFFFFF);
        Pump();
        const double t = move(x, y, cpuSamples);
        Pump();
        return t;
    };
    // Averaging: the same moves with the pixel alone, then with the 5 x 5 mean (the choice is
    // stored at each change, so it changes once, not every move).
    bench::Samples single, averaged, added, mean;
    const int keptSquare = capture->loupe().square();
    for (const int side : {1, 5}) {
        capture->loupe().SetSquare(side);
        bench::Samples& s = side == 1 ? single : averaged;
        for (int i = -50; i < runs; ++i) {
            int x, y;
            const double t = freshMove(i, x, y, ignored);
            const double m = Now();
            capture->loupe().Picked(x, y);
            if (i >= 0 && side == 5) mean.Add((Now() - m) / 1e6);
            if (i >= 0) s.Add(t / 1e6);
        }
    }
    for (size_t i = 0; i < single.v.size(); ++i)
        added.Add(averaged.v[i] - single.v[i]);
    capture->loupe().SetSquare(keptSquare);
    bench::PrintRow(
        "Capture: capture move with averaging (5 x 5 mean)", averaged, "the pixel alone", single,
        "adds " + bench::Figure(added) + " a move (at most 0.2 ms allowed); the 5 x 5 mean alone " +
            bench::Figure(mean));

    capture->loupe().Stop();
    for (int i = -50; i < runs; ++i) {
        int x, y;
        const double p = freshMove(i, x, y, i < 0 ? ignored : cpuWithout);
        if (i >= 0) bare.us.push_back(p);
    }
    std::printf("one pick while moving, screen %d x %d at %d DPI, loupe zoom %d, %d runs "
                "(median / fastest, us)\n",
                cx, cy, hv::rt::ScreenDpiX(), capture->loupe().zoom(), runs);
    pick.Print("pick with the loupe (mouse move: all below)");
    point.Print("  pixel read alone (picScreen.Point)");
    fields.Print("  fields alone (CurrentCol)");
    loupe.Print("  loupe alone (drawn and moved, Follow)");
    redrawn.Print("    of which drawn in place (the same pixel)");
    bare.Print("pick without the loupe");
    const double with = pick.Median(), without = bare.Median();
    std::printf("  %-44s %8.0f %%\n", "the loupe's share of the pick",
                100 * (with - without) / with);
    std::printf("  %-44s %9.1f / %9.1f\n", "this thread's CPU per move, with / without",
                cpuWith * 1e6 / runs, cpuWithout * 1e6 / runs);
    painted.Print("pick and the main window repainted");
    capture->Unload();
    main.Unload();
    Pump();
    OleUninitialize();
    return 0;
}
