// Stand-alone launcher: loads Pigmora.dll and opens its main window, for trying the window
// without an IDE. Runs until the window is closed.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HMODULE dll = LoadLibraryA("Pigmora.dll");
    if (!dll) {
        MessageBoxA(nullptr, "Pigmora.dll was not found next to the launcher.", "Huevista", MB_OK);
        return 1;
    }
    using OpenFn = HWND(WINAPI*)();
    auto open = reinterpret_cast<OpenFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, "HuevistaOpenMainWindow")));
    HWND main = open ? open() : nullptr;
    MSG msg;
    while (main && IsWindow(main) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    FreeLibrary(dll);
    return 0;
}
