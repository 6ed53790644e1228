#include "control_host.h"
#include <cstdio>

namespace hv::test {

rt::PicturePtr CornerFace(ColorValue colour) {
    Image img(20, 12, colour);
    img.fillRect(0, 0, 3, 3, kMask);
    return rt::Picture::FromImage(img);
}

void ControlHostTest::SetUp() {
    // Away from the cursor's resting place and from the main window at the right edge.
    PlaceCursor(POINT{2, 700});
    host_ = std::make_unique<rt::Form>("host");
    host_->Create("host", 4500, 3000);
    host_->SetBackColor(kHostBack);
    host_->MoveTo(1500, 1500);
    ShowWindow(host_->hwnd(), SW_SHOWNA);
    PumpMessages();
}

void ControlHostTest::TearDown() {
    host_.reset();
    PumpMessages();
}

namespace {
void Send(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
    PumpMessages();
}
} // namespace

namespace {
// True when the cursor is at `p` and stays there while what was queued before is handled, a
// posted marker coming back four times.
bool CursorStaysAt(POINT p) {
    for (int i = 0; i < 4; ++i) {
        if (!PumpPostedMessages()) return false;
        POINT now{};
        GetCursorPos(&now);
        if (now.x != p.x || now.y != p.y) return false;
    }
    return true;
}

// Every move made again is said, so that a run shows how often the display put it back.
void NoteMovedBack(const char* what, POINT p, int attempt) {
    std::fprintf(stderr, "note: the cursor did not stay at %ld,%ld; %s again (%d)\n",
                 static_cast<long>(p.x), static_cast<long>(p.y), what, attempt + 1);
}
} // namespace

// The display reports a warp of its pointer back to us a little later; a report of an older
// place arriving after the move would put the cursor back, so the move is checked and made
// again until the cursor stays.
void MoveMouseTo(POINT p) {
    // Normalised 0..65535 coordinates, rounded up so they map back onto the same pixel.
    const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0) NoteMovedBack("move", p, attempt);
        Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (p.x * 65536 + w - 1) / w,
             (p.y * 65536 + h - 1) / h);
        if (CursorStaysAt(p)) return;
    }
    ADD_FAILURE() << "the cursor never stayed at " << p.x << "," << p.y;
}

void PlaceCursor(POINT p) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0) NoteMovedBack("placing", p, attempt);
        SetCursorPos(p.x, p.y);
        if (CursorStaysAt(p)) return;
    }
    ADD_FAILURE() << "the cursor never stayed at " << p.x << "," << p.y;
}

void LeftDown() {
    Send(MOUSEEVENTF_LEFTDOWN);
}
void LeftUp() {
    Send(MOUSEEVENTF_LEFTUP);
}

POINT ScreenPoint(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

} // namespace hv::test
