// Connecting puts the button's picture on the clipboard for a moment; what the user had
// there comes back.
#include "connect_fixture.h"
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
    EXPECT_EQ(AddinButton()->faceWidth, 0);
    EXPECT_TRUE(AddinButton()->beginGroup) << "the steps after the picture still ran";
    ASSERT_TRUE(OpenClipboard(ide_->hwnd()));
    EXPECT_EQ(Bytes(CF_TEXT).substr(0, text.size()), text);
    CloseClipboard();
}

} // namespace hv::test
