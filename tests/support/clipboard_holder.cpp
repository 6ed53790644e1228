// Test helper program, as another program on the desktop would be. Signals the named event
// "HuevistaClipboardHeld" once it is in place.
//   clipboard_holder MS          holds the clipboard open for MS milliseconds
//   clipboard_holder MS delay    owns a clipboard of formats it promised to render later
//                                (text and a format of its own), and for MS milliseconds
//                                answers no message, so it never renders them
//   clipboard_holder MS newer    holds the clipboard open for MS milliseconds, then puts the
//                                text "newer" there as it closes it
//   clipboard_holder MS watch    as a clipboard-history tool: after every change opens the
//                                clipboard and holds it for MS ms; runs until ended
#include <cstdlib>
#include <cstring>
#include <windows.h>

namespace {
DWORD g_ms = 1000;
LRESULT CALLBACK WatchProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLIPBOARDUPDATE && OpenClipboard(hwnd)) {
        Sleep(g_ms);
        CloseClipboard();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}
} // namespace

int main(int argc, char** argv) {
    const DWORD ms = g_ms = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 1000;
    const char* mode = argc > 2 ? argv[2] : "";
    const bool delay = std::strcmp(mode, "delay") == 0;
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "HuevistaClipboardHeld");
    if (std::strcmp(mode, "watch") == 0) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &WatchProc;
        wc.lpszClassName = "HuevistaClipboardWatch";
        RegisterClassA(&wc);
        HWND w = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        if (!w || !AddClipboardFormatListener(w)) return 1;
        SetEvent(held);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        return 0;
    }
    // Opened for a window of its own, as a program would (an open without a window does not
    // lock out others under every Win32 implementation).
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!OpenClipboard(window)) return 1;
    if (delay) {
        EmptyClipboard();
        SetClipboardData(CF_TEXT, nullptr);
        SetClipboardData(RegisterClipboardFormatA("Huevista delayed"), nullptr);
        CloseClipboard();
    }
    SetEvent(held);
    Sleep(ms);
    if (std::strcmp(mode, "newer") == 0) {
        EmptyClipboard();
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 6);
        std::memcpy(GlobalLock(g), "newer", 6);
        GlobalUnlock(g);
        SetClipboardData(CF_TEXT, g);
    }
    if (!delay) CloseClipboard();
    DestroyWindow(window);
    CloseHandle(held);
    return 0;
}
