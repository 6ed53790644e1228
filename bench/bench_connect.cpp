// Connection: the IDE host (in this process) connects Pigmora.dll, loaded from its file as
// COM would, after start-up with the window asked to open. Timed to OnConnection's return
// and to the window painted, with the time inside the object model's calls counted apart;
// against the floor of the same visible result: those calls, plus a bare window of the
// same size with as many child windows created, shown and painted. Also the private bytes
// that the first connection adds to the process.
#include "bench_clock.h"
#include "bench_pump.h"
#include "bench_table.h"
#include "forms/frm_main.h"
#include "host/dispatch.h"
#include "host/extensibility.h"
#include "host/ide.h"
#include "runtime/settings.h"
#include <pigmora.h>
#include <cstdio>

namespace {

using bench::Samples;

// Committed memory of this process that no other process shares: private allocations, and
// the writable pages of loaded images. (Wine reports no PrivateUsage.)
size_t PrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION m{};
    for (const char* at = nullptr; VirtualQuery(at, &m, sizeof m) == sizeof m;
         at = static_cast<const char*>(m.BaseAddress) + m.RegionSize) {
        const bool writable = m.Protect & (PAGE_READWRITE | PAGE_WRITECOPY |
                                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY);
        if (m.State == MEM_COMMIT && (m.Type == MEM_PRIVATE || writable)) total += m.RegionSize;
        if (at && static_cast<const char*>(m.BaseAddress) + m.RegionSize <= at) break;
    }
    return total;
}

int CountChildren(HWND w) {
    int n = 0;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        n += 1 + CountChildren(c);
    return n;
}

// A window of the main window's size with `children` plain static children, shown, painted
// and destroyed: what any window like it costs here.
double BareWindow(int width, int height, int children) {
    const double t = WallSeconds();
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "bare", WS_POPUP, 600, 300,
                             width, height, nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < children; ++i)
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_WHITERECT, (i * 17) % width,
                        (i * 7) % height, 20, 20, w, nullptr, nullptr, nullptr);
    ShowWindow(w, SW_SHOWNA);
    Repaint(w);
    const double shown = WallSeconds() - t;
    DestroyWindow(w);
    return shown;
}

struct Connection {
    double returned = 0, shown = 0, inside = 0;
    long calls = 0, lookups = 0;
    HWND window = nullptr;
};

Connection ConnectOnce(host::IDTExtensibility2* addin, IDispatch* vbe) {
    hv::rt::SaveSetting("Pigmora", "Settings", "DisplayOnConnect", "1");
    SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
    const host::CallTally before = host::DispatchObject::Tally();
    Connection c;
    const double t = WallSeconds();
    addin->OnConnection(vbe, host::ext_cm_AfterStartup, nullptr, &custom);
    c.returned = WallSeconds() - t;
    c.window = FindWindowA(nullptr, "VB 6 Huevista");
    if (c.window) Repaint(c.window);
    c.shown = WallSeconds() - t;
    const host::CallTally after = host::DispatchObject::Tally();
    c.inside = after.seconds - before.seconds;
    c.calls = after.invokes - before.invokes;
    c.lookups = after.lookups - before.lookups;
    SafeArrayDestroy(custom);
    return c;
}

void Disconnect(host::IDTExtensibility2* addin) {
    SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
    addin->OnDisconnection(host::ext_dm_UserClosed, &custom);
    SafeArrayDestroy(custom);
    Pump();
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(4, std::atoi(argv[1])) : 30;
    OleInitialize(nullptr);
    {
        // Where the add-in's own share goes: its main window alone, loaded, shown, painted.
        hv::forms::frmMain alone;
        const double t = WallSeconds();
        alone.Load();
        Repaint(alone.hWnd());
        std::fprintf(stderr, "main window loaded and painted: %.1f ms\n",
                     (WallSeconds() - t) * 1e3);
        alone.Unload();
        Pump();
    }
    host::IdeOptions options;
    auto ide = host::Ide::Create(options);
    host::ComPtr<IDispatch> vbe = ide->Vbe();
    Pump();

    // The first connection loads the DLL, as the IDE's CoCreateInstance would.
    const size_t before = PrivateBytes();
    HMODULE dll = LoadLibraryW(L"Pigmora.dll");
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = dll ? reinterpret_cast<GetClassObject>(
                         reinterpret_cast<void (*)()>(GetProcAddress(dll, "DllGetClassObject")))
                   : nullptr;
    host::ComPtr<IClassFactory> factory;
    host::ComPtr<host::IDTExtensibility2> addin;
    if (!get || FAILED(get(CLSID_Connect, IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateInstance(nullptr, IID_PPV_ARGS(&addin)))) {
        std::fprintf(stderr, "Pigmora.dll could not be loaded\n");
        return 1;
    }
    const Connection first = ConnectOnce(addin.Get(), vbe.Get());
    Pump();
    const size_t added = PrivateBytes() - before;
    if (!first.window) {
        std::fprintf(stderr, "the window did not open\n");
        return 1;
    }
    RECT r{};
    GetWindowRect(first.window, &r);
    const int children = CountChildren(first.window);
    Disconnect(addin.Get());

    Samples returned, shown, own, floor;
    long calls = 0, lookups = 0;
    for (int i = -2; i < runs; ++i) {
        const double bare = BareWindow(r.right - r.left, r.bottom - r.top, children);
        Pump();
        const Connection c = ConnectOnce(addin.Get(), vbe.Get());
        Pump();
        Disconnect(addin.Get());
        if (i < 0) continue;
        returned.Add(c.returned);
        shown.Add(c.shown);
        own.Add(c.shown - c.inside);
        floor.Add(c.inside + bare);
        calls = c.calls;
        lookups = c.lookups;
    }
    char note[200];
    std::snprintf(note, sizeof note,
                  "own share %s (goal 20 ms); to OnConnection's return %s; %ld object-model "
                  "calls, %ld name lookups; first connection %.1f ms",
                  bench::Figure(own).c_str(), bench::Figure(returned).c_str(), calls, lookups,
                  first.shown * 1e3);
    bench::PrintRow("Connection: OnConnection to the window painted", shown,
                    "the IDE's calls + a bare window of " + std::to_string(children) + " children",
                    floor, note);
    std::snprintf(note, sizeof note,
                  "committed private bytes added by loading the DLL and the first connection, "
                  "window open");
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.2f MB", static_cast<double>(added) / (1 << 20));
    bench::PrintRow("Connection: memory", figure, "goal 2.00 MB",
                    static_cast<double>(added) / (2 << 20), false, note);
    addin.Reset();
    factory.Reset();
    ide->Close();
    OleUninitialize();
    return 0;
}
