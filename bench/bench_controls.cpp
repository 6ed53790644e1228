// Prints what the picture button costs: one hover tick while the pointer rests on it (the
// work done every 10 ms), and one picture switch (what a change of hover or press state
// costs), each as CPU time of this thread and as elapsed time, with the platform calls they
// are made of. Measures only; asserts nothing.
#include "assets/asset_ids.h"
#include "controls/trans_skin_button.h"
#include "runtime/form.h"
#include "runtime/mask_region.h"
#include "bench_clock.h"
#include "bench_pump.h"
#include "bench_table.h"
#include "runtime/timer.h"
#include <cstdio>
#include <functional>

using namespace hv;

namespace {

// Runs `op` until about `seconds` of elapsed time have passed and prints the mean per call.
void Measure(const char* what, const std::function<void()>& op, double seconds = 1.0) {
    for (int i = 0; i < 50; ++i)
        op(); // warm up
    long n = 0;
    const double cpu0 = ThreadCpuSeconds(), wall0 = WallSeconds();
    double wall = wall0;
    while (wall - wall0 < seconds) {
        for (int i = 0; i < 100; ++i)
            op();
        n += 100;
        wall = WallSeconds();
    }
    const double cpu = ThreadCpuSeconds() - cpu0;
    std::printf("%-44s %9.2f us CPU  %9.2f us elapsed  (%ld calls)\n", what, cpu / n * 1e6,
                (wall - wall0) / n * 1e6, n);
}

// Elapsed time a call of `op`, over a batch of calls.
double PerCall(const std::function<void()>& op) {
    const double t = WallSeconds();
    for (int i = 0; i < 20; ++i)
        op();
    return (WallSeconds() - t) / 20;
}

// The table's row: a resting tick against asking where the pointer is, batch by batch in
// turns, and whether any timer still runs once the pointer has gone elsewhere. Elapsed time:
// this thread's CPU clock ticks by 10 ms under Wine, too coarsely for one batch; the CPU
// over all batches is in the note.
void HoverRow(controls::TransSkinButton& button) {
    bench::Samples tick, cursor;
    POINT p;
    double tickCpu = 0, cursorCpu = 0;
    for (int i = 0; i < 400; ++i) {
        for (int k = 0; k < 2; ++k) {
            const double cpu = ThreadCpuSeconds();
            if ((i + k) % 2) {
                tick.Add(PerCall([&] { button.tmrMO_Timer(); }));
                tickCpu += ThreadCpuSeconds() - cpu;
            } else {
                cursor.Add(PerCall([&] { GetCursorPos(&p); }));
                cursorCpu += ThreadCpuSeconds() - cpu;
            }
        }
    }
    RECT r{};
    GetWindowRect(button.hwnd(), &r);
    SetCursorPos(r.right + 40, r.bottom + 40);
    button.tmrMO_Timer(); // the tick that sees the pointer gone
    char note[160];
    std::snprintf(note, sizeof note,
                  "CPU %.1f us a tick, %.1f us a GetCursorPos; timers running with the pointer "
                  "elsewhere: %ld",
                  tickCpu / 8000 * 1e6, cursorCpu / 8000 * 1e6, rt::Timer::RunningCount());
    bench::PrintRow("Hover: one tick, pointer resting on a button", tick, "GetCursorPos alone",
                    cursor, note);
    SetCursorPos(r.left + 10, r.top + 10);
    button.tmrMO_Timer();
}

} // namespace

int main() {
    rt::Form host("bench");
    host.Create("bench", 3000, 1500);
    host.SetBackColor(RGBColor(255, 255, 255));
    host.MoveTo(1500, 1500);
    ShowWindow(host.hwnd(), SW_SHOWNA);
    rt::PropertyBag bag{{"pictureup", rt::Picture::FromResource(IDB_INSERT_UP)},
                        {"pictureover", rt::Picture::FromResource(IDB_INSERT_OVER)},
                        {"picturedown", rt::Picture::FromResource(IDB_INSERT_DOWN)},
                        {"buttonstyle", 1}};
    auto& button = host.Add<controls::TransSkinButton>("cmdInsert", 300, 300, 420, 330, &bag);
    Pump();

    std::printf("TransSkinButton, 28 x 22 pixel faces\n");
    // A resting pointer: after the first tick each tick only reads the cursor and the rectangle.
    RECT r{};
    GetWindowRect(button.hwnd(), &r);
    SetCursorPos(r.left + 10, r.top + 10);
    button.tmrMO_Timer();
    Measure("hover tick, pointer resting on the button", [&] { button.tmrMO_Timer(); });
    // A toggle button's Value let applies exactly one picture: up and down by turns.
    bool v = false;
    Measure("picture switch (apply picture and shape)", [&] { button.SetValue(v = !v); });
    Measure("picture switch and repaint", [&] {
        button.SetValue(v = !v);
        UpdateWindow(button.hwnd());
    });

    HoverRow(button);

    std::printf("parts\n");
    POINT p;
    Measure("GetCursorPos", [&] { GetCursorPos(&p); });
    Measure("GetWindowRect", [&] { GetWindowRect(button.hwnd(), &r); });
    const rt::PicturePtr up = button.PictureUp();
    Measure("mask region of the picture", [&] { rt::MaskRegion(*up, RGB(255, 255, 255)); });
    Measure("SetWindowRgn", [&] {
        SetWindowRgn(button.hwnd(), rt::MaskRegion(*up, RGB(255, 255, 255)).release(), TRUE);
    });
    Measure("SetWindowPos, same size", [&] {
        SetWindowPos(button.hwnd(), nullptr, 20, 20, 28, 22, SWP_NOZORDER | SWP_NOACTIVATE);
    });
    Measure("InvalidateRect and UpdateWindow", [&] {
        InvalidateRect(button.hwnd(), nullptr, FALSE);
        UpdateWindow(button.hwnd());
    });
    return 0;
}
