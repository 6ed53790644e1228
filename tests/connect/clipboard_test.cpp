// Connecting puts the button's picture on the clipboard for a moment; what the user had
// there comes back whole. Whatever another program does with the clipboard, connecting
// neither freezes the IDE's start-up nor costs the user what they copied: when it can't be
// copied whole in time, it is not touched at all and the button goes without its picture.
#include "connect_fixture.h"
#include "support/clipboard_holder_process.h"
#include "runtime/clipboard_snapshot.h"
#include <atomic>
#include <cstring>
#include <thread>

namespace hv::test {

namespace {

HGLOBAL Global(const void* data, size_t size) {
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(g), data, size);
    GlobalUnlock(g);
    return g;
}

std::string Bytes(UINT format) {
    HANDLE h = GetClipboardData(format);
    if (!h) return "(none)";
    const auto* p = static_cast<const char*>(GlobalLock(h));
    std::string s(p, GlobalSize(h));
    GlobalUnlock(h);
    return s;
}

// Waits, pumping, until nobody holds the clipboard open (an abandoned copy lets go of it
// once its owner is gone).
bool ClipboardFree(HWND w) {
    return PumpUntil([&] {
        if (!OpenClipboard(w)) return false;
        CloseClipboard();
        return true;
    });
}

std::vector<COLORREF> Pixels(HBITMAP bmp, int w, int h) {
    std::vector<COLORREF> px(static_cast<size_t>(w) * h);
    BITMAPINFOHEADER bi{sizeof bi, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bmp, 0, h, px.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return px;
}

} // namespace

TEST_F(ConnectionTest, TheUsersClipboardComesBackAfterThePictureWasPasted) {
    const std::wstring text = L"BackColor = &H00FF&";
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    const std::string fragment = "Version:0.9\r\n<b>red</b>";
    // A 2 x 2 picture, 32 bits per pixel.
    struct {
        BITMAPINFOHEADER h;
        std::uint32_t px[4];
    } dib{{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 16, 0, 0, 0, 0},
          {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456}};
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, Global(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
    SetClipboardData(html, Global(fragment.data(), fragment.size()));
    SetClipboardData(CF_DIB, Global(&dib, sizeof dib));
    CloseClipboard();

    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_TRUE(AddinButton());
    EXPECT_EQ(AddinButton()->faceWidth, 32) << "the face is the add-in's picture, not the user's";

    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EXPECT_EQ(Bytes(CF_UNICODETEXT).substr(0, (text.size() + 1) * sizeof(wchar_t)),
              std::string(reinterpret_cast<const char*>(text.c_str()),
                          (text.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(Bytes(html).substr(0, fragment.size()), fragment);
    const std::string back = Bytes(CF_DIB);
    ASSERT_GE(back.size(), sizeof dib);
    BITMAPINFOHEADER h;
    std::memcpy(&h, back.data(), sizeof h);
    EXPECT_EQ(h.biWidth, 2);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(std::memcmp(back.data() + h.biSize, dib.px, sizeof dib.px), 0);
    CloseClipboard();
}

TEST_F(ConnectionTest, AnEmptyClipboardStaysEmpty) {
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EmptyClipboard();
    CloseClipboard();
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    EXPECT_EQ(AddinButton()->faceWidth, 32);
    EXPECT_EQ(CountClipboardFormats(), 0);
}

} // namespace hv::test

namespace hv::test {

TEST_F(ConnectionTest, AClipboardHeldOpenElsewhereIsLeftAloneAndTheButtonGoesWithoutPicture) {
    const std::string text = "keep me";
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Global(text.c_str(), text.size() + 1));
    CloseClipboard();
    // Another program's thread has the clipboard open while the add-in connects.
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND w = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
        const bool held = OpenClipboard(w);
        SetEvent(opened);
        WaitForSingleObject(done, 10000);
        if (held) CloseClipboard();
        DestroyWindow(w);
    });
    WaitForSingleObject(opened, 10000);
    MessageBoxes boxes;
    const bool connected = ConnectAddin(host::ext_cm_Startup);
    SetEvent(done);
    holder.join();
    CloseHandle(opened);
    CloseHandle(done);
    ASSERT_TRUE(connected);
    EXPECT_TRUE(boxes.seen().empty());
    ASSERT_TRUE(AddinButton());
    EXPECT_EQ(AddinButton()->faceWidth, FaceWithoutClipboard());
    EXPECT_TRUE(AddinButton()->beginGroup) << "the steps after the picture still ran";
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EXPECT_EQ(Bytes(CF_TEXT).substr(0, text.size()), text);
    CloseClipboard();
}

TEST_F(ConnectionTest, AnOwnerThatNeverRendersItsDelayedFormatsHoldsNothingUp) {
    PROCESS_INFORMATION holder = StartClipboardHolder("60000 delay");
    const HWND owner = GetClipboardOwner();
    MessageBoxes boxes;
    // The owner hangs until released. A call of the connection that waits on it (even through
    // the system) returns only once it is, or after the system's 5 s: released after 4 s, far
    // above the second the copy may take, it must find the connection done.
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = OpenEventA(EVENT_MODIFY_STATE, FALSE, "HuevistaClipboardRelease");
    ASSERT_TRUE(release);
    std::atomic<bool> releasedFirst{false};
    std::thread guard([&] {
        if (WaitForSingleObject(done, 4000) == WAIT_TIMEOUT) {
            releasedFirst = true;
            SetEvent(release);
        }
    });
    const bool connected = ConnectAddin(host::ext_cm_Startup);
    SetEvent(done);
    guard.join();
    CloseHandle(done);
    CloseHandle(release);
    EXPECT_FALSE(releasedFirst) << "the connection waited on the hung owner";
    ASSERT_TRUE(connected);
    EXPECT_TRUE(boxes.seen().empty());
    ASSERT_TRUE(AddinButton());
    EXPECT_EQ(AddinButton()->faceWidth, FaceWithoutClipboard());
    EXPECT_EQ(GetClipboardOwner(), owner) << "the clipboard was not touched";
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA("Huevista delayed")));
    FinishClipboardHolder(holder, true);
    EXPECT_TRUE(ClipboardFree(ide_->hwnd()));
}

TEST_F(ConnectionTest, AClipboardHeldOpenByAnotherProgramIsLeftAlone) {
    const std::string text = "keep me";
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Global(text.c_str(), text.size() + 1));
    CloseClipboard();
    PROCESS_INFORMATION holder = StartClipboardHolder("3000");
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_TRUE(AddinButton());
    EXPECT_EQ(AddinButton()->faceWidth, FaceWithoutClipboard());
    FinishClipboardHolder(holder, true);
    ASSERT_TRUE(ClipboardFree(ide_->hwnd()));
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EXPECT_EQ(Bytes(CF_TEXT).substr(0, text.size()), text);
    CloseClipboard();
}

TEST_F(ConnectionTest, AClipboardLargerThanTheBoundIsLeftAsItIs) {
    const size_t size = 200u << 20;
    HGLOBAL big = GlobalAlloc(GMEM_MOVEABLE, size);
    ASSERT_TRUE(big);
    auto* p = static_cast<char*>(GlobalLock(big));
    std::memset(p, 'x', size - 1);
    p[0] = 'A';
    p[size - 2] = 'Z';
    p[size - 1] = 0;
    GlobalUnlock(big);
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EmptyClipboard();
    ASSERT_TRUE(SetClipboardData(CF_TEXT, big));
    CloseClipboard();

    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_TRUE(AddinButton());
    EXPECT_EQ(AddinButton()->faceWidth, FaceWithoutClipboard())
        << "copied although larger than the bound";
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    HANDLE h = GetClipboardData(CF_TEXT);
    ASSERT_TRUE(h);
    ASSERT_GE(GlobalSize(h), size);
    const auto* q = static_cast<const char*>(GlobalLock(h));
    EXPECT_EQ(q[0], 'A');
    EXPECT_EQ(q[size - 2], 'Z');
    GlobalUnlock(h);
    EmptyClipboard(); // let go of the 200 MB
    CloseClipboard();
}

TEST_F(ConnectionTest, BitmapTextPaletteAndAFormatOfItsOwnComeBackWhole) {
    const std::string text = "BackColor = &H00FF&";
    const UINT own = RegisterClipboardFormatA("Huevista own format");
    const std::string ownBytes("\x01\x02\x00\x03", 4);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 3);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            SetPixel(mem, x, y, RGB(x * 60, y * 100, 200));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    const std::vector<COLORREF> pixels = Pixels(bmp, 4, 3);
    struct {
        LOGPALETTE log;
        PALETTEENTRY more[1];
    } pal{{0x300, 2, {{10, 20, 30, 0}}}, {{40, 50, 60, 0}}};
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Global(text.c_str(), text.size() + 1));
    SetClipboardData(own, Global(ownBytes.data(), ownBytes.size()));
    SetClipboardData(CF_BITMAP, bmp);
    SetClipboardData(CF_PALETTE, CreatePalette(&pal.log));
    CloseClipboard();

    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_TRUE(AddinButton());
    EXPECT_EQ(AddinButton()->faceWidth, 32);

    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EXPECT_EQ(Bytes(CF_TEXT).substr(0, text.size()), text);
    EXPECT_EQ(Bytes(own).substr(0, ownBytes.size()), ownBytes);
    auto back = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_TRUE(back);
    EXPECT_EQ(Pixels(back, 4, 3), pixels);
    auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
    ASSERT_TRUE(palette);
    PALETTEENTRY entries[2]{};
    ASSERT_EQ(GetPaletteEntries(palette, 0, 2, entries), 2u);
    EXPECT_EQ(entries[1].peRed, 40);
    EXPECT_EQ(entries[1].peBlue, 60);
    CloseClipboard();
}

TEST_F(ConnectionTest, AFormatOnlyItsOwnerUnderstandsLeavesTheClipboardUntouched) {
    const std::string text = "keep me";
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Global(text.c_str(), text.size() + 1));
    // A handle in the private range means something only to the program that put it there.
    SetClipboardData(CF_PRIVATEFIRST, Global("p", 1));
    CloseClipboard();
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_TRUE(AddinButton());
    EXPECT_EQ(AddinButton()->faceWidth, FaceWithoutClipboard());
    EXPECT_EQ(GetClipboardOwner(), ide_->hwnd());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_PRIVATEFIRST));
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EXPECT_EQ(Bytes(CF_TEXT).substr(0, text.size()), text);
    EmptyClipboard();
    CloseClipboard();
}

} // namespace hv::test

namespace hv::test {

namespace {
void PutText(HWND owner, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Global(text.c_str(), text.size() + 1));
    CloseClipboard();
}
// The clipboard's text as soon as it can be opened; "(held)" when it never could.
std::string TextWhenFree(HWND w) {
    std::string text = "(held)";
    PumpUntil([&] {
        if (!OpenClipboard(w)) return false;
        text = Bytes(CF_TEXT);
        CloseClipboard();
        return true;
    }, 10000);
    return text.c_str();
}
// Waits, handling sent messages, for a thread to end.
bool Ended(HANDLE thread) {
    const bool ended = PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 20000);
    CloseHandle(thread);
    return ended;
}
} // namespace

// The face's restore, given the clipboard back late, still puts the user's contents there,
// but never over something newer that another program put there meanwhile.
TEST_F(ConnectionTest, TheUsersClipboardGoesBackOnceFreeUnlessSomethingNewerIsThere) {
    const HWND w = ide_->hwnd();
    for (const char* mode : {"", "newer"}) {
        PutText(w, "keep me");
        auto saved = rt::ClipboardSnapshot::Take();
        ASSERT_TRUE(saved);
        PutText(w, "the face");
        const DWORD ours = GetClipboardSequenceNumber();
        PROCESS_INFORMATION holder = StartClipboardHolder(std::string("1500 ") + mode);
        EXPECT_EQ(saved->Restore(ours, 100), rt::ClipboardSnapshot::Put::Held) << mode;
        HANDLE later = rt::ClipboardSnapshot::RestoreWhenFree(std::move(*saved), ours);
        ASSERT_NE(later, nullptr);
        EXPECT_TRUE(Ended(later)) << mode;
        EXPECT_EQ(TextWhenFree(w), *mode ? "newer" : "keep me") << mode;
        FinishClipboardHolder(holder);
    }
}

// The restore on the IDE's thread waits as long as the copy may (a second) for a program
// that holds the clipboard a moment, before the retries take over.
TEST_F(ConnectionTest, TheRestoreWaitsItsSecondForAClipboardHeldAMoment) {
    const HWND w = ide_->hwnd();
    PutText(w, "keep me");
    auto saved = rt::ClipboardSnapshot::Take();
    ASSERT_TRUE(saved);
    PutText(w, "the face");
    PROCESS_INFORMATION holder = StartClipboardHolder("400");
    EXPECT_EQ(saved->Restore(GetClipboardSequenceNumber(), 1000), rt::ClipboardSnapshot::Put::Back);
    FinishClipboardHolder(holder);
    EXPECT_EQ(TextWhenFree(w), "keep me");
}

} // namespace hv::test
