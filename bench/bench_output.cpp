// Insert and Copy as a click on their buttons, with the IDE host's real object model in this
// process and the real clipboard. Insert is compared with the time spent inside the object
// model's calls (the IDE's share, which the add-in cannot make faster); the rest is the
// add-in's own. Copy is compared with the plain calls that put the same text on the
// clipboard from a window kept open.
#include "bench_clock.h"
#include "bench_table.h"
#include "core/code_colour.h"
#include "forms/frm_main.h"
#include "host/code_pane.h"
#include "host/dispatch.h"
#include "host/ide.h"
#include "runtime/clipboard.h"
#include <cstdio>
#include <cstring>

using namespace hv;
using bench::Samples;

namespace {

void Click(HWND w, int x, int y) {
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool PlainCopy(HWND owner, const char* text) {
    const size_t n = std::strlen(text) + 1;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, n);
    if (!mem) return false;
    std::memcpy(GlobalLock(mem), text, n);
    GlobalUnlock(mem);
    if (!OpenClipboard(owner)) {
        GlobalFree(mem);
        return false;
    }
    EmptyClipboard();
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    return true;
}

// A system push button whose click makes the plain calls: what any button that copies costs
// here (it takes the focus and the mouse, and draws itself pressed and released).
LRESULT CALLBACK ButtonParent(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        PlainCopy(w, "&H00FFFFFF&");
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    CoInitialize(nullptr);
    host::IdeOptions options;
    auto ide = host::Ide::Create(options);
    auto vbe = ide->Vbe();
    auto pane = ide->ActivePane();
    forms::frmMain main;
    main.SetVBInstance(vbe.Get());
    main.Load();
    HWND owner = CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);

    Samples insert, inside, own, copy, plain;
    long calls = 0, lookups = 0;
    const double cpu0 = ThreadCpuSeconds();
    for (int i = -10; i < runs; ++i) {
        SetWindowTextW(pane->edit(), L"x = ");
        SendMessageW(pane->edit(), EM_SETSEL, 0, 0);
        const host::CallTally before = host::DispatchObject::Tally();
        const double t0 = WallSeconds();
        Click(main.cmdInsert->hwnd(), 14, 11);
        const double t1 = WallSeconds();
        const host::CallTally after = host::DispatchObject::Tally();
        if (pane->Line(1) != L"x = &H00FFFFFF&") {
            std::fprintf(stderr, "insertion did not happen\n");
            return 1;
        }
        if (i >= 0) {
            insert.Add(t1 - t0);
            inside.Add(after.seconds - before.seconds);
            own.Add(t1 - t0 - (after.seconds - before.seconds));
            calls = after.invokes - before.invokes;
            lookups = after.lookups - before.lookups;
        }
    }
    const double insertCpu = (ThreadCpuSeconds() - cpu0) / (runs + 10);
    // Most of the own share is the focus coming back to the preview from the code pane,
    // which the IDE's Show gave it: a change of the active window. Its floor is the same move
    // from the code pane to a bare top-level window with one child that takes the focus.
    Samples focus, bareFocus;
    HWND bare[2]{}, bareChild[2]{};
    for (int k = 0; k < 2; ++k) {
        bare[k] = CreateWindowExA(0, "STATIC", "bare", WS_POPUP | WS_VISIBLE, 100 + 300 * k, 500,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
        bareChild[k] = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20,
                                       bare[k], nullptr, nullptr, nullptr);
    }
    for (int i = 0; i < 40; ++i) {
        SetFocus(pane->edit());
        double t = WallSeconds();
        main.picCurrentCol->SetFocus();
        focus.Add(WallSeconds() - t);
        SetFocus(pane->edit());
        t = WallSeconds();
        SetFocus(bareChild[i % 2]);
        bareFocus.Add(WallSeconds() - t);
    }
    for (HWND w : bare) DestroyWindow(w);

    WNDCLASSA wc{};
    wc.lpfnWndProc = ButtonParent;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BenchButtonParent";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                                  100, 500, 200, 60, nullptr, nullptr, wc.hInstance, nullptr);
    HWND pushButton = CreateWindowExA(0, "BUTTON", "Copy", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      10, 10, 60, 24, parent, nullptr, wc.hInstance, nullptr);
    Samples system;
    for (int i = -10; i < runs; ++i) {
        rt::ReplaceClipboardText("-");
        const double t = WallSeconds();
        Click(pushButton, 14, 11);
        if (i >= 0) system.Add(WallSeconds() - t);
        if (rt::ClipboardText() != "&H00FFFFFF&") {
            std::fprintf(stderr, "the push button's copy did not happen\n");
            return 1;
        }
    }
    DestroyWindow(parent);

    for (int i = -10; i < runs; ++i) {
        // By turns, each first every other time.
        double c = 0, p = 0;
        for (int k = 0; k < 2; ++k) {
            if ((i + k) % 2) {
                rt::ReplaceClipboardText("-");
                const double t = WallSeconds();
                Click(main.cmdCopy->hwnd(), 14, 11);
                c = WallSeconds() - t;
                if (rt::ClipboardText() != "&H00FFFFFF&") {
                    std::fprintf(stderr, "copy did not happen\n");
                    return 1;
                }
            } else {
                rt::ReplaceClipboardText("-");
                const double t = WallSeconds();
                PlainCopy(owner, "&H00FFFFFF&");
                p = WallSeconds() - t;
            }
        }
        if (i < 0) continue;
        copy.Add(c);
        plain.Add(p);
    }

    char note[320];
    std::snprintf(note, sizeof note,
                  "own share %s (goal 1 ms), of which the focus back from the code pane %s (next row); "
                  "%ld object-model calls, %ld name lookups; thread CPU %.2f ms a command, "
                  "IDE included",
                  bench::Figure(own).c_str(), bench::Figure(focus).c_str(), calls, lookups,
                  insertCpu * 1e3);
    bench::PrintRow("Insert: click to the line replaced", insert, "inside the IDE's calls", inside,
                    note);
    bench::PrintRow("Insert: the focus back from the code pane", focus,
                    "the same move to a bare window", bareFocus,
                    "the change of the active window (the IDE's and the platform's), which the "
                    "command asks for");
    Samples copyOwn;
    for (size_t i = 0; i < copy.v.size(); ++i)
        copyOwn.Add(copy.v[i] - plain.v[i]);
    std::snprintf(note, sizeof note,
                  "own share %s (goal 1 ms); no object-model calls; a system push button making "
                  "the plain calls %s",
                  bench::Figure(copyOwn).c_str(), bench::Figure(system).c_str());
    bench::PrintRow("Copy: click to the text on the clipboard", copy, "plain clipboard calls",
                    plain, note);
    // Reading a line for its colours: a VB6 line and a recorded Excel line with its theme
    // colour and tint, against the plainest pass over the same characters.
    const std::wstring vb6 = L"    Me.BackColor = RGB(10, 20, 30): lbl.ForeColor = vbRed ' two colours";
    const std::wstring excel = L"    Selection.Interior.ThemeColor = xlThemeColorAccent1: Selection.Interior.TintAndShade = 0.399975585192419";
    Samples readVb6, readExcel, scan;
    size_t sink = 0;
    for (int i = -3; i < 30; ++i) {
        double t = WallSeconds();
        for (int k = 0; k < 1000; ++k) sink += FindCodeColours(std::wstring_view(vb6)).size();
        const double a = WallSeconds() - t;
        t = WallSeconds();
        for (int k = 0; k < 1000; ++k) sink += FindCodeColours(std::wstring_view(excel)).size();
        const double b = WallSeconds() - t;
        t = WallSeconds();
        for (int k = 0; k < 1000; ++k) sink += std::wstring_view(excel).find(L'\x2603');
        const double c = WallSeconds() - t;
        if (i < 0) continue;
        readVb6.Add(a / 1000);
        readExcel.Add(b / 1000);
        scan.Add(c / 1000);
    }
    if (sink == 1) std::puts(""); // keeps the loops
    std::snprintf(note, sizeof note, "a VB6 line with two colours %s", bench::Figure(readVb6).c_str());
    bench::PrintRow("Colour from code: a recorded Excel line read", readExcel, "one pass over its characters",
                    scan, note);
    DestroyWindow(owner);
    main.Unload();
    main.SetVBInstance(nullptr);
    ide->Close();
    return 0;
}
