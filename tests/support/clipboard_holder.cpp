// Test helper program: holds the clipboard open for the given milliseconds, as a busy
// program would. Signals the named event "HuevistaClipboardHeld" once it holds it.
#include <cstdlib>
#include <windows.h>

int main(int argc, char** argv) {
    const DWORD ms = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 1000;
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "HuevistaClipboardHeld");
    // Opened for a window of its own, as a program would (an open without a window does not
    // lock out others under every Win32 implementation).
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!OpenClipboard(window)) return 1;
    SetEvent(held);
    Sleep(ms);
    CloseClipboard();
    DestroyWindow(window);
    CloseHandle(held);
    return 0;
}
