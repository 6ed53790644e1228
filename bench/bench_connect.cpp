// Connection: the IDE host (in this process) connects Pigmora.dll, loaded from its file as
// COM would, after start-up with the window asked to open. Timed to OnConnection's return
// and to the window painted, with the time inside the object model's calls counted apart;
// against the floor of the same visible result: those calls, plus a bare window of the
// same size with as many child windows created, shown and painted. The own share is the time
// outside the IDE's calls: it includes making and painting the window, which the bare window
// stands for in the floor, so the note also says what the add-in takes over the floor. Also
// the private bytes that the first connection adds to the process, by kind, and a connection
// with another program's text on the clipboard (which the add-in copies on a thread of its
// own while it pastes its button's face).
#include "bench_clock.h"
#include "bench_pump.h"
#include "bench_table.h"
#include "forms/frm_main.h"
#include "host/dispatch.h"
#include "host/extensibility.h"
#include "host/ide.h"
#include "store/settings.h"
#include <pigmora.h>
#include <cstdio>
#include <cstring>
#include <set>

namespace {

using bench::Samples;

// Committed memory of this process that no other process shares: private allocations, and
// the writable pages of loaded images. (Wine reports no PrivateUsage.) By kind: the writable
// pages of `dll`'s image, of other images, and private memory.
struct Private {
    size_t dll = 0, images = 0, other = 0;
    size_t total() const { return dll + images + other; }
};
Private PrivateBytes(HMODULE dll = nullptr) {
    Private p;
    MEMORY_BASIC_INFORMATION m{};
    for (const char* at = nullptr; VirtualQuery(at, &m, sizeof m) == sizeof m;
         at = static_cast<const char*>(m.BaseAddress) + m.RegionSize) {
        const bool writable = m.Protect & (PAGE_READWRITE | PAGE_WRITECOPY |
                                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY);
        if (m.State == MEM_COMMIT && (m.Type == MEM_PRIVATE || writable))
            (m.Type != MEM_IMAGE                     ? p.other
             : m.AllocationBase == (void*)dll && dll ? p.dll
                                                     : p.images) += m.RegionSize;
        if (at && static_cast<const char*>(m.BaseAddress) + m.RegionSize <= at) break;
    }
    return p;
}

double Kb(size_t after, size_t before) {
    return (static_cast<double>(after) - static_cast<double>(before)) / 1024;
}

// The pixels of the pictures the main window holds (each picture once), page-rounded as
// their bitmaps are committed.
size_t PicturePixelBytes(hv::forms::frmMain& m, int* count) {
    std::set<const hv::rt::Picture*> seen;
    size_t bytes = 0;
    auto add = [&](const hv::rt::PicturePtr& p) {
        if (!p || !seen.insert(p.get()).second) return;
        const size_t size = static_cast<size_t>(p->widthPixels()) * p->heightPixels() * 4;
        bytes += (size + 4095) / 4096 * 4096;
    };
    add(m.form().Picture());
    for (auto* box : {m.picColorBW, m.picColors, m.picBasicCol, m.picClose, m.picMinimize,
                      m.closeNorm, m.closeDown, m.minNorm, m.minDown})
        add(box->Picture());
    for (auto* b : {m.cmdInsert, m.cmdCopy, m.cmdCapture, m.cmdAbout, m.cmdRGBMenu, m.cmdInsertFav,
                    m.cmdCopyFav, m.cmdACFav}) {
        add(b->PictureUp());
        add(b->PictureOver());
        add(b->PictureDown());
    }
    *count = static_cast<int>(seen.size());
    return bytes;
}

// Another program's text on the clipboard: a window of a thread of its own owns it, as a
// window of another program would (the add-in copies such a clipboard on a thread). Each
// Own() puts the text there again, since the add-in's connection replaces the clipboard.
class ClipboardOwner {
  public:
    ClipboardOwner() {
        thread_ = CreateThread(nullptr, 0, &Run, this, 0, &id_);
        WaitForSingleObject(ready_, INFINITE);
    }
    ~ClipboardOwner() {
        PostThreadMessageW(id_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(ready_);
    }
    void Own() {
        PostThreadMessageW(id_, WM_APP, 0, 0);
        WaitForSingleObject(ready_, INFINITE);
    }

  private:
    static DWORD WINAPI Run(void* self) {
        auto* o = static_cast<ClipboardOwner*>(self);
        HWND w = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue, for the posts
        SetEvent(o->ready_);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_APP) {
                static const wchar_t text[] = L"Private Sub Form_Load()";
                HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
                std::memcpy(GlobalLock(g), text, sizeof text);
                GlobalUnlock(g);
                if (OpenClipboard(w)) {
                    EmptyClipboard();
                    SetClipboardData(CF_UNICODETEXT, g);
                    CloseClipboard();
                }
                SetEvent(o->ready_);
            }
            DispatchMessageW(&msg);
        }
        DestroyWindow(w);
        return 0;
    }
    HANDLE ready_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE thread_ = nullptr;
    DWORD id_ = 0;
};

void EmptyTheClipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
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
    EmptyTheClipboard();
    int pictures = 0;
    size_t pictureBytes = 0;
    {
        // Where the add-in's own share goes: its main window alone, loaded, shown, painted.
        hv::forms::frmMain alone;
        const double t = WallSeconds();
        alone.Load();
        Repaint(alone.hWnd());
        std::fprintf(stderr, "main window loaded and painted: %.1f ms\n",
                     (WallSeconds() - t) * 1e3);
        pictureBytes = PicturePixelBytes(alone, &pictures);
        alone.Unload();
        Pump();
    }
    host::IdeOptions options;
    auto ide = host::Ide::Create(options);
    host::ComPtr<IDispatch> vbe = ide->Vbe();
    Pump();

    // The first connection loads the DLL, as the IDE's CoCreateInstance would.
    const Private before = PrivateBytes();
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
    const Private loaded = PrivateBytes(dll);
    const Connection first = ConnectOnce(addin.Get(), vbe.Get());
    Pump();
    const Private after = PrivateBytes(dll);
    const size_t added = after.total() - before.total();
    if (!first.window) {
        std::fprintf(stderr, "the window did not open\n");
        return 1;
    }
    RECT r{};
    GetWindowRect(first.window, &r);
    const int children = CountChildren(first.window);
    Disconnect(addin.Get());

    Samples returned, shown, own, floor, over;
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
        over.Add(c.shown - c.inside - bare);
        calls = c.calls;
        lookups = c.lookups;
    }
    char note[400];
    std::snprintf(note, sizeof note,
                  "own share %s (goal 20 ms), of which %s over the bare window; to "
                  "OnConnection's return %s; %ld object-model calls, %ld name lookups; first "
                  "connection %.1f ms; the clipboard empty",
                  bench::Figure(own).c_str(), bench::Figure(over).c_str(),
                  bench::Figure(returned).c_str(), calls, lookups, first.shown * 1e3);
    bench::PrintRow("Connection: OnConnection to the window painted", shown,
                    "the IDE's calls + a bare window of " + std::to_string(children) + " children",
                    floor, note);

    // The same with another program's text on the clipboard, and what the first of these
    // connections adds to the memory, with the window open (against a connection with the
    // clipboard empty, made after them).
    Samples heldShown, heldFloor;
    double heldAdded = 0, emptyAdded = 0;
    {
        ClipboardOwner other;
        for (int i = -1; i < runs / 2; ++i) {
            const double bare = BareWindow(r.right - r.left, r.bottom - r.top, children);
            Pump();
            const size_t closed = i < 0 ? PrivateBytes().total() : 0;
            other.Own();
            const Connection c = ConnectOnce(addin.Get(), vbe.Get());
            Pump();
            if (i < 0) heldAdded = Kb(PrivateBytes().total(), closed);
            Disconnect(addin.Get());
            if (i < 0) continue;
            heldShown.Add(c.shown);
            heldFloor.Add(c.inside + bare);
        }
        EmptyTheClipboard();
        const size_t closed = PrivateBytes().total();
        ConnectOnce(addin.Get(), vbe.Get());
        Pump();
        emptyAdded = Kb(PrivateBytes().total(), closed);
        Disconnect(addin.Get());
    }
    std::snprintf(note, sizeof note,
                  "the clipboard copied on a thread while the button's face is pasted; a "
                  "connection then adds %.0f KB, against %.0f KB with the clipboard empty",
                  heldAdded, emptyAdded);
    bench::PrintRow("Connection, another program's text on the clipboard", heldShown,
                    "the IDE's calls + the bare window", heldFloor, note);

    std::snprintf(note, sizeof note,
                  "committed private bytes added by loading the DLL and the first connection, "
                  "window open, the clipboard empty: the DLL's image %.0f KB (writable pages), "
                  "the system DLLs it brings %.0f KB, private memory %.0f KB (of which the "
                  "window's %d pictures %.0f KB; the rest heap: windows' and controls' data, "
                  "regions, fonts); %.0f KB of it at loading",
                  Kb(after.dll, 0), Kb(after.images, before.images), Kb(after.other, before.other),
                  pictures, Kb(pictureBytes, 0), Kb(loaded.total(), before.total()));
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
