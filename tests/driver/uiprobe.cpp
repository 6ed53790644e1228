// Looks at the running IDE host from outside, for scripts that drive it with real X input:
//
//   uiprobe button <caption> [timeout ms]  prints the screen centre "x y" of the host's
//                                          toolbar button with that caption
//   uiprobe window <title> [timeout ms]    prints "left top right bottom" of a visible
//                                          top-level window with that title
//   uiprobe char <offset> [timeout ms]     prints the screen point "x y" inside the character
//                                          at that offset of the active code pane's text
//   uiprobe title <class>                  prints the title of the top-level window of a class
//   uiprobe client <class> [timeout ms]    prints the screen point "x y" of the client area's
//                                          top left corner of the host's visible window of
//                                          that class (an MDI child: a form's designer)
//   uiprobe close                          asks the host's main window to close
//   uiprobe painted [timeout ms]           waits until every visible top-level window and
//                                          its children have painted and their programs
//                                          are idle, for screenshots
//   uiprobe clipboard                      prints the clipboard's text
//   uiprobe menus <n> [timeout ms]         waits until exactly n popup menus are on screen
//                                          (0: every menu closed), their program idle
//
// Exits 0 when it found what it was asked for, 1 otherwise.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <string>

namespace {

// The host's main window, playing the VB6 IDE or the VBA editor.
HWND HostFrame() {
    HWND frame = FindWindowW(L"IdeHostFrame", nullptr);
    return frame ? frame : FindWindowW(L"wndclass_desked_gsk", nullptr);
}

// Memory in the host process for the toolbar's answers.
class RemoteBuffer {
  public:
    explicit RemoteBuffer(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) memory_ = VirtualAllocEx(process_, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    bool ok() const { return memory_ != nullptr; }
    LPARAM address() const { return reinterpret_cast<LPARAM>(memory_); }
    bool Read(void* out, size_t size) const {
        SIZE_T got = 0;
        return ReadProcessMemory(process_, memory_, out, size, &got) && got == size;
    }

  private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

bool FindButton(const std::wstring& caption, POINT* centre) {
    HWND frame = HostFrame();
    HWND toolbar = frame ? FindWindowExW(frame, nullptr, TOOLBARCLASSNAMEW, nullptr) : nullptr;
    if (!toolbar || !IsWindowVisible(frame)) return false;
    RemoteBuffer remote(toolbar);
    if (!remote.ok()) return false;
    const LRESULT count = SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (!SendMessageW(toolbar, TB_GETBUTTON, i, remote.address()) ||
            !remote.Read(&button, sizeof button) || (button.fsStyle & BTNS_SEP))
            continue;
        wchar_t text[256] = L"";
        const LRESULT len =
            SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand, remote.address());
        if (len <= 0 || len >= 255 || !remote.Read(text, (len + 1) * sizeof(wchar_t))) continue;
        if (caption != text) continue;
        RECT r{};
        if (!SendMessageW(toolbar, TB_GETITEMRECT, i, remote.address()) ||
            !remote.Read(&r, sizeof r))
            return false;
        centre->x = (r.left + r.right) / 2;
        centre->y = (r.top + r.bottom) / 2;
        MapWindowPoints(toolbar, nullptr, centre, 1);
        return true;
    }
    return false;
}

bool FindWindowRect(const std::wstring& title, RECT* r) {
    HWND w = FindWindowW(nullptr, title.c_str());
    return w && IsWindowVisible(w) && GetWindowRect(w, r);
}

// A point inside the character: a little right of its left edge, halfway down its line.
bool FindCharacter(int offset, POINT* p) {
    HWND frame = HostFrame();
    HWND client = frame ? FindWindowExW(frame, nullptr, L"MDIClient", nullptr) : nullptr;
    HWND pane = client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    HWND edit = pane ? FindWindowExW(pane, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit || !IsWindowVisible(edit)) return false;
    const LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, offset, 0);
    if (at == -1) return false;
    TEXTMETRICW tm{};
    HDC dc = GetDC(edit);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &tm);
    ReleaseDC(edit, dc);
    p->x = static_cast<short>(LOWORD(at)) + 2;
    p->y = static_cast<short>(HIWORD(at)) + tm.tmHeight / 2;
    MapWindowPoints(edit, nullptr, p, 1);
    return true;
}

bool AnyToPaint(HWND w) {
    return IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE);
}

BOOL CALLBACK FindUnpainted(HWND w, LPARAM dirty) {
    if (!AnyToPaint(w)) return TRUE;
    *reinterpret_cast<bool*>(dirty) = true;
    return FALSE;
}

// A program that is busy may not have asked for its paint messages yet.
bool ProgramIdle(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId()) return true;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process) return true;
    const DWORD r = WaitForInputIdle(process, 0);
    CloseHandle(process);
    return r != WAIT_TIMEOUT;
}

BOOL CALLBACK FindUnsettled(HWND w, LPARAM dirty) {
    if (!IsWindowVisible(w)) return TRUE;
    bool& d = *reinterpret_cast<bool*>(dirty);
    d = AnyToPaint(w) || !ProgramIdle(w);
    if (!d) EnumChildWindows(w, FindUnpainted, dirty);
    return d ? FALSE : TRUE;
}

bool ScreenPainted() {
    bool dirty = false;
    EnumWindows(FindUnsettled, reinterpret_cast<LPARAM>(&dirty));
    return !dirty;
}

BOOL CALLBACK CountMenu(HWND w, LPARAM count) {
    wchar_t name[16] = L"";
    if (IsWindowVisible(w) && GetClassNameW(w, name, 16) && std::wstring(name) == L"#32768")
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int MenusOnScreen() {
    int count = 0;
    EnumWindows(CountMenu, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The host waits for input (a menu opened by a click is on screen before its loop runs).
bool HostIdle() {
    HWND frame = HostFrame();
    return !frame || ProgramIdle(frame);
}

template <typename F> bool Within(DWORD timeoutMs, F found) {
    const DWORD start = GetTickCount();
    while (!found()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(100);
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring what = argv[1];
    const DWORD timeout = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 0;
    if (what == L"button" && argc > 2) {
        POINT p{};
        if (!Within(timeout, [&] { return FindButton(argv[2], &p); })) return 1;
        std::printf("%ld %ld\n", p.x, p.y);
        return 0;
    }
    if (what == L"window" && argc > 2) {
        RECT r{};
        if (!Within(timeout, [&] { return FindWindowRect(argv[2], &r); })) return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (what == L"char" && argc > 2) {
        POINT p{};
        if (!Within(timeout, [&] { return FindCharacter(_wtoi(argv[2]), &p); })) return 1;
        std::printf("%ld %ld\n", p.x, p.y);
        return 0;
    }
    if (what == L"clipboard") {
        if (!OpenClipboard(nullptr)) return 1;
        HANDLE h = GetClipboardData(CF_TEXT);
        const char* text = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
        if (text) std::printf("%s\n", text);
        if (h) GlobalUnlock(h);
        CloseClipboard();
        return text ? 0 : 1;
    }
    if (what == L"painted") {
        const DWORD wait = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 10000;
        // Three clean looks in a row: a paint can start a timer or post another message.
        int clean = 0;
        return Within(wait, [&] {
                   clean = ScreenPainted() ? clean + 1 : 0;
                   return clean == 3;
               })
                   ? 0
                   : 1;
    }
    if (what == L"title" && argc > 2) {
        HWND w = FindWindowW(argv[2], nullptr);
        wchar_t text[256] = L"";
        if (!w || !GetWindowTextW(w, text, 256)) return 1;
        std::printf("%ls\n", text);
        return 0;
    }
    if (what == L"client" && argc > 2) {
        POINT p{};
        const auto find = [&] {
            HWND frame = HostFrame();
            HWND mdi = frame ? FindWindowExW(frame, nullptr, L"MDIClient", nullptr) : nullptr;
            HWND w = mdi ? FindWindowExW(mdi, nullptr, argv[2], nullptr) : nullptr;
            return w && IsWindowVisible(w) && ClientToScreen(w, &p);
        };
        if (!Within(timeout, find)) return 1;
        std::printf("%ld %ld\n", p.x, p.y);
        return 0;
    }
    if (what == L"menus" && argc > 2) {
        const int wanted = _wtoi(argv[2]);
        if (Within(timeout, [&] { return MenusOnScreen() == wanted && HostIdle(); })) return 0;
        std::fprintf(stderr, "uiprobe: %d menu(s) on screen, the host %s\n", MenusOnScreen(),
                     HostIdle() ? "waiting for input" : "busy");
        return 1;
    }
    if (what == L"close") {
        HWND frame = HostFrame();
        return frame && PostMessageW(frame, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    return 2;
}
