// Opening the preview's menu with sixteen recent colours and its submenu of them, from the
// right button's release to both idle on the screen: the stored list read, the submenu
// built, the menus shown and sixteen swatches drawn. Against the same menu shape built and shown
// with plain calls from a bare window, with sixteen text items and no swatches: what the platform
// needs anyway.
#include "bench_clock.h"
#include "bench_table.h"
#include "core/addin_settings.h"
#include "core/recent_colours.h"
#include "forms/frm_main.h"
#include "store/settings.h"
#include <cstdio>

using bench::Samples;

namespace {

double g_idle = 0;
int g_idles = 0;
WNDPROC g_original = nullptr;

// The menu loop tells its owner when it has shown the menu and found nothing more to do: the
// first time, the keys to the last item's submenu go to it; the second, the submenu is open.
LRESULT CALLBACK UntilIdle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ENTERIDLE && wp == MSGF_MENU && !g_idle && ++g_idles == 1) {
        PostMessageA(w, WM_KEYDOWN, VK_UP, 0);
        PostMessageA(w, WM_KEYDOWN, VK_RIGHT, 0);
    } else if (msg == WM_ENTERIDLE && wp == MSGF_MENU && !g_idle) {
        g_idle = WallSeconds();
        EndMenu();
    }
    return CallWindowProcA(g_original, w, msg, wp, lp);
}

void Watch(HWND owner) {
    g_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UntilIdle)));
}
void Unwatch(HWND owner) {
    SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100;
    hv::RecentColours recent;
    for (int i = 0; i < 16; ++i)
        hv::PutFirst(recent, hv::RGBColor(i * 16, 255 - i * 16, i * 7));
    hv::rt::SaveSetting(hv::settings::kApp, hv::settings::kSection, hv::settings::kRecentColors,
                        hv::RecentText(recent));
    hv::forms::frmMain main;
    main.Load();
    const HWND preview = main.picCurrentCol->hwnd();
    HWND bare = CreateWindowExA(0, "STATIC", "bare", WS_POPUP | WS_VISIBLE, 400, 300, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
    SetCursorPos(500, 350);

    Samples addin, plain;
    for (int i = -5; i < runs; ++i) {
        double a = 0, p = 0;
        for (int k = 0; k < 2; ++k) {
            g_idle = 0;
            g_idles = 0;
            if ((i + k) % 2) {
                Watch(main.hWnd());
                const double t = WallSeconds();
                SendMessageA(preview, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
                SendMessageA(preview, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
                a = g_idle - t;
                Unwatch(main.hWnd());
            } else {
                Watch(bare);
                const double t = WallSeconds();
                HMENU root = CreatePopupMenu(), sub = CreatePopupMenu();
                for (int n = 0; n < 16; ++n)
                    AppendMenuA(sub, MF_STRING, n + 1, "&&H00FF00&&");
                AppendMenuA(root, MF_STRING, 100, "Color from code");
                AppendMenuA(root, MF_STRING, 101, "Replace color in code");
                AppendMenuA(root, MF_SEPARATOR, 0, nullptr);
                AppendMenuA(root, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Recent colors");
                SetForegroundWindow(bare);
                TrackPopupMenuEx(root, TPM_RETURNCMD | TPM_NONOTIFY, 500, 350, bare, nullptr);
                p = g_idle - t;
                DestroyMenu(root);
                Unwatch(bare);
            }
            if (!g_idle) {
                std::fprintf(stderr, "the menu never went idle\n");
                return 1;
            }
        }
        if (i < 0) continue;
        addin.Add(a);
        plain.Add(p);
    }
    bench::PrintRow("Opening the recent colours menu (16 colours)", addin,
                    "plain menu, no swatches", plain,
                    "right-click to the menu and its submenu idle on screen: the list read, the "
                    "submenu built, 16 swatches drawn");
    DestroyWindow(bare);
    main.Unload();
    hv::rt::SaveSetting(hv::settings::kApp, hv::settings::kSection, hv::settings::kRecentColors,
                        "");
    return 0;
}
