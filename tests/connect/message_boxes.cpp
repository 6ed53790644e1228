#include "connect_fixture.h"

namespace hv::test {

namespace {
MessageBoxes* g_boxes = nullptr;

std::wstring Text(HWND w) {
    wchar_t buf[1024] = L"";
    GetWindowTextW(w, buf, 1024);
    return buf;
}
} // namespace

MessageBoxes::MessageBoxes() {
    g_boxes = this;
    timer_ = SetTimer(nullptr, 0, 20, &MessageBoxes::OnTimer);
}

MessageBoxes::~MessageBoxes() {
    KillTimer(nullptr, timer_);
    g_boxes = nullptr;
}

void CALLBACK MessageBoxes::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_boxes) return;
    EnumThreadWindows(GetCurrentThreadId(), &MessageBoxes::Answer, 0);
}

BOOL CALLBACK MessageBoxes::Answer(HWND w, LPARAM) {
    if (!IsWindowVisible(w) || ClassName(w) != "#32770") return TRUE;
    Seen s;
    s.title = Text(w);
    s.text = Text(GetDlgItem(w, 0xFFFF)); // the message's static control
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE})
        if (GetDlgItem(w, id)) ++s.buttons;
    s.icon = HasMessageIcon(w);
    g_boxes->seen_.push_back(s);
    PostMessageW(w, WM_COMMAND, IDOK, 0);
    ShowWindow(w, SW_HIDE); // seen once, even before it goes
    return TRUE;
}

} // namespace hv::test
