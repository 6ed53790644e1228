// How long one pick takes while the pointer moves over the capture window: the mouse move
// delivered to the screenshot box, the pixel read from the screenshot and the main window's
// preview, code and component fields rewritten. Also its two parts alone, and the pick with
// the main window repainted at once (what the user waits for before the next move shows).
#include "capture/frm_capture.h"
#include "forms/frm_main.h"
#include "runtime/picture_box.h"
#include "bench_clock.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Now() { return WallSeconds() * 1e6; }

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Figures {
    std::vector<double> us;
    void Print(const char* what) {
        std::sort(us.begin(), us.end());
        std::printf("  %-44s %9.1f / %9.1f\n", what, us[us.size() / 2], us.front());
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

    Figures pick, point, fields, painted;
    for (int i = -50; i < runs; ++i) { // the first rounds warm up
        int x, y;
        at(i + 50, x, y);
        double t = Now();
        SendMessageA(pic.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        const double p = Now() - t;
        Pump();

        t = Now();
        const hv::ColorValue c = pic.Point(static_cast<float>(x * tx), static_cast<float>(y * ty));
        const double r = Now() - t;
        t = Now();
        capture->CurrentCol(c ^ 0x00FFFFFF); // another colour than the pick left
        const double f = Now() - t;
        Pump();

        at(i + 51, x, y);
        t = Now();
        SendMessageA(pic.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        RedrawWindow(main.hWnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const double d = Now() - t;
        Pump();
        if (i < 0) continue;
        pick.us.push_back(p);
        point.us.push_back(r);
        fields.us.push_back(f);
        painted.us.push_back(d);
    }
    std::printf("one pick while moving, screen %d x %d, %d runs (median / fastest, us)\n", cx, cy,
                runs);
    pick.Print("pick (mouse move: pixel read, fields)");
    point.Print("  pixel read alone (picScreen.Point)");
    fields.Print("  fields alone (CurrentCol)");
    painted.Print("pick and the main window repainted");
    capture->Unload();
    main.Unload();
    Pump();
    OleUninitialize();
    return 0;
}
