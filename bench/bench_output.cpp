// Prints how long a colour takes to reach the user: from a click on Insert to the caret's
// line replaced in the IDE host's code pane, and from a click on Copy to the text on the
// clipboard. Real windows, the host's real object model, the real clipboard. Measures only.
#include "forms/frm_main.h"
#include "host/code_pane.h"
#include "host/ide.h"
#include "runtime/clipboard.h"
#include "runtime/vb_instance.h"
#include "bench_clock.h"
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace hv;

namespace {

double Now() { return WallSeconds(); }

void Click(HWND w, int x, int y) {
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s median %7.3f ms   p90 %7.3f ms   (%zu runs)\n", what, ms[ms.size() / 2],
                ms[ms.size() * 9 / 10], ms.size());
}

} // namespace

int main() {
    CoInitialize(nullptr);
    host::IdeOptions options;
    auto ide = host::Ide::Create(options);
    auto vbe = ide->Vbe();
    rt::SetVBInstance(vbe.Get());
    auto pane = ide->ActivePane();
    forms::frmMain main;
    main.Load();

    std::vector<double> insert, copy;
    for (int i = 0; i < 200; ++i) {
        SetWindowTextW(pane->edit(), L"x = ");
        SendMessageW(pane->edit(), EM_SETSEL, 0, 0);
        const double t0 = Now();
        Click(main.cmdInsert->hwnd(), 14, 11);
        const double t1 = Now();
        if (pane->Line(1) != L"x = &H00FFFFFF&") {
            std::printf("insertion did not happen\n");
            return 1;
        }
        insert.push_back((t1 - t0) * 1000);

        rt::ReplaceClipboardText("-");
        const double t2 = Now();
        Click(main.cmdCopy->hwnd(), 14, 11);
        const double t3 = Now();
        if (rt::ClipboardText() != "&H00FFFFFF&") {
            std::printf("copy did not happen\n");
            return 1;
        }
        copy.push_back((t3 - t2) * 1000);
    }
    Report("Insert click to line replaced", insert);
    Report("Copy click to text on the clipboard", copy);
    main.Unload();
    rt::SetVBInstance(nullptr);
    ide->Close();
    return 0;
}
