// Test helper program, as another program on the desktop would be. Signals the named event
// "HuevistaClipboardHeld" once it is in place.
//   clipboard_holder MS          holds the clipboard open for MS milliseconds
//   clipboard_holder MS delay    owns a clipboard of formats it promised to render later
//                                (text and a format of its own), and for MS milliseconds,
//                                or until the named event "HuevistaClipboardRelease" is
//                                set, answers no message, so it never renders them
//   clipboard_holder MS newer    holds the clipboard open for MS milliseconds, then puts the
//                                text "newer" there as it closes it
#include <cstdlib>
#include <cstring>
#include <windows.h>

int main(int argc, char** argv) {
    const DWORD ms = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 1000;
    const char* mode = argc > 2 ? argv[2] : "";
    const bool delay = std::strcmp(mode, "delay") == 0;
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "HuevistaClipboardHeld");
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
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "HuevistaClipboardRelease");
    SetEvent(held);
    WaitForSingleObject(release, ms); // handling no message meanwhile
    if (std::strcmp(mode, "newer") == 0) {
        EmptyClipboard();
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 6);
        std::memcpy(GlobalLock(g), "newer", 6);
        GlobalUnlock(g);
        SetClipboardData(CF_TEXT, g);
    }
    if (!delay) CloseClipboard();
    DestroyWindow(window);
    CloseHandle(release);
    CloseHandle(held);
    return 0;
}
