// Pigmora.dll entry points.
#include "../forms/frm_main.h"
#include "../runtime/window.h"
#include <memory>
#include <windows.h>

namespace {
std::unique_ptr<hv::forms::frmMain> g_main;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        g_main.reset();
        hv::rt::UnregisterWindowClasses();
    }
    return TRUE;
}

// Opens the main window outside an IDE (the stand-alone launcher); returns its handle.
extern "C" __declspec(dllexport) HWND WINAPI HuevistaOpenMainWindow() {
    if (!g_main) g_main = std::make_unique<hv::forms::frmMain>();
    g_main->Load();
    return g_main->hWnd();
}
