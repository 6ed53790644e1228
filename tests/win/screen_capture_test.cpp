// The screen grab against known content on the real screen, its picture object, the palette
// decision, and what a grab leaves behind.
#include "capture/screen_capture.h"
#include "runtime/form.h"
#include "runtime/picture.h"
#include <climits>
#include "runtime/picture_box.h"
#include "runtime/screen.h"
#include "support/image_window.h"
#include "support/picture_object_image.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace hv::test {

using capture::DeviceCaps;
using capture::GrabDesktop;
using capture::GrabWindowArea;

namespace {

SIZE ScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

class ScreenGrab : public ::testing::Test {
  protected:
    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override {
        PumpMessages();
        OleUninitialize();
    }
};

} // namespace

TEST_F(ScreenGrab, DesktopShowsWindowsAtTheCornersAndEdgesPixelForPixel) {
    const SIZE s = ScreenSize();
    const int w = 64, h = 48;
    const POINT places[] = {{0, 0},
                            {s.cx - w, 0},
                            {0, s.cy - h},
                            {s.cx - w, s.cy - h},
                            {s.cx / 2 - w / 2, 0},
                            {s.cx / 2 - w / 2, s.cy - h},
                            {0, s.cy / 2 - h / 2},
                            {s.cx - w, s.cy / 2 - h / 2}};
    std::vector<std::unique_ptr<ImageWindow>> windows;
    for (int i = 0; i < 8; ++i)
        windows.push_back(
            std::make_unique<ImageWindow>(PatternImage(w, h, i), places[i].x, places[i].y));
    for (const auto& window : windows) ASSERT_TRUE(ShownOnScreen(*window));

    const auto grab = GrabDesktop();
    ASSERT_TRUE(grab);
    const Image img = PictureObjectImage(grab.Get());
    EXPECT_EQ(img.width, s.cx);
    EXPECT_EQ(img.height, s.cy);
    for (int i = 0; i < 8; ++i) {
        const POINT o = windows[i]->origin();
        ASSERT_EQ(o.x, places[i].x);
        ASSERT_EQ(o.y, places[i].y);
        EXPECT_EQ(CompareArea(img, o.x, o.y, windows[i]->image()), "")
            << "window at " << o.x << "," << o.y;
    }
}

TEST_F(ScreenGrab, PictureObjectIsABitmapSizedInHimetricAndOwnsIt) {
    const SIZE s = ScreenSize();
    auto grab = GrabDesktop();
    auto pic = rt::QueryAs<IPicture>(grab);
    ASSERT_TRUE(pic);
    SHORT type = 0;
    OLE_XSIZE_HIMETRIC hw = 0;
    OLE_YSIZE_HIMETRIC hh = 0;
    pic->get_Type(&type);
    pic->get_Width(&hw);
    pic->get_Height(&hh);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(hw, MulDiv(s.cx, 2540, GetDeviceCaps(screen, LOGPIXELSX)));
    EXPECT_EQ(hh, MulDiv(s.cy, 2540, GetDeviceCaps(screen, LOGPIXELSY)));
    // This display has no palette, so neither has the picture.
    ASSERT_FALSE(capture::TakesPalettePath(capture::ReadDeviceCaps(screen)));
    EXPECT_EQ(PicturePalette(grab.Get()), nullptr);

    // The bitmap is the display's kind and lives exactly as long as the object.
    HBITMAP bitmap = PictureBitmap(grab.Get());
    BITMAP bm{};
    ASSERT_TRUE(GetObjectA(bitmap, sizeof bm, &bm));
    EXPECT_EQ(bm.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    grab.Reset();
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP)); // pic still holds it
    pic.Reset();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST_F(ScreenGrab, WindowAreaFromTheClientAreaOrTheWholeWindow) {
    ImageWindow win(PatternImage(40, 30, 3), 200, 150, WS_BORDER);
    ASSERT_TRUE(ShownOnScreen(win));
    RECT wr{};
    GetWindowRect(win.hwnd(), &wr);
    const POINT o = win.origin();
    const int frameX = o.x - wr.left, frameY = o.y - wr.top;
    ASSERT_GT(frameX, 0) << "the window needs a frame for this test";

    Image want(20, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            want.at(x, y) = win.image().at(3 + x, 2 + y);

    const auto client = GrabWindowArea(win.hwnd(), true, 3, 2, 20, 10);
    EXPECT_EQ(CompareArea(PictureObjectImage(client.Get()), 0, 0, want), "");
    const auto whole = GrabWindowArea(win.hwnd(), false, 3 + frameX, 2 + frameY, 20, 10);
    EXPECT_EQ(CompareArea(PictureObjectImage(whole.Get()), 0, 0, want), "");
    EXPECT_EQ(PictureObjectImage(whole.Get()).width, 20);
    EXPECT_EQ(PictureObjectImage(whole.Get()).height, 10);
}

TEST_F(ScreenGrab, OnlyA256EntryPaletteDeviceGetsThePaletteCopied) {
    ImageWindow win(PatternImage(16, 16, 5), 300, 300);
    ASSERT_TRUE(ShownOnScreen(win));
    static HWND askedFor;
    static DeviceCaps answer;
    const auto grabWith = [&](DeviceCaps caps) {
        answer = caps;
        askedFor = nullptr;
        return GrabWindowArea(win.hwnd(), true, 0, 0, 16, 16, [](HDC dc) {
            askedFor = WindowFromDC(dc);
            return answer;
        });
    };

    PALETTEENTRY system[256] = {};
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, 256, system);
    ReleaseDC(nullptr, screen);
    for (int caps : {RC_PALETTE, RC_PALETTE | RC_BITBLT | RC_STRETCHBLT}) {
        const auto grab = grabWith({caps, 256});
        // The capabilities are those of the screen context, not of the memory context.
        EXPECT_EQ(askedFor, win.hwnd());
        HPALETTE pal = PicturePalette(grab.Get());
        ASSERT_NE(pal, nullptr) << caps;
        PALETTEENTRY got[256] = {};
        ASSERT_EQ(GetPaletteEntries(pal, 0, 256, got), 256u);
        EXPECT_EQ(GetPaletteEntries(pal, 0, 0, nullptr), 256u);
        EXPECT_EQ(memcmp(got, system, sizeof got), 0);
        EXPECT_EQ(CompareArea(PictureObjectImage(grab.Get()), 0, 0, win.image()), "");
    }
    // Not checked: that releasing the object deletes the palette. Windows documents that an
    // owning picture object owns its palette too (IPicture::get_hPal); Wine 8 deletes only
    // the bitmap.

    for (DeviceCaps caps : {DeviceCaps{RC_PALETTE, 16}, DeviceCaps{RC_PALETTE, 255},
                            DeviceCaps{RC_PALETTE, 0}, DeviceCaps{RC_BITBLT, 256}}) {
        const auto grab = grabWith(caps);
        EXPECT_EQ(PicturePalette(grab.Get()), nullptr)
            << caps.rasterCaps << " " << caps.paletteSize;
        EXPECT_EQ(CompareArea(PictureObjectImage(grab.Get()), 0, 0, win.image()), "");
    }
}

TEST_F(ScreenGrab, BadRequestsGiveNoPictureAndHoldNothing) {
    const long before = rt::LiveHandleCount();
    ImageWindow win(PatternImage(8, 8, 1), 10, 400);
    EXPECT_FALSE(GrabWindowArea(win.hwnd(), true, 0, 0, 0, 8));
    EXPECT_FALSE(GrabWindowArea(win.hwnd(), true, 0, 0, 8, -1));
    HWND gone = win.hwnd();
    DestroyWindow(gone);
    EXPECT_FALSE(GrabWindowArea(gone, false, 0, 0, 8, 8));
    // A palette without a bitmap makes no picture and is not left behind.
    HPALETTE pal = CreateHalftonePalette(nullptr);
    EXPECT_FALSE(rt::BitmapToPicture(rt::UniqueBitmap(), rt::UniquePalette(pal)));
    EXPECT_EQ(GetObjectType(pal), 0u);
    EXPECT_EQ(rt::LiveHandleCount(), before);
}

// Sizes whose bytes would not fit a 32-bit process (a huge virtual screen) are refused before
// GDI sees them, and nothing is left behind.
TEST_F(ScreenGrab, SizesTooLargeForTheProcessGiveNoPictureAndHoldNothing) {
    const long before = rt::LiveHandleCount();
    for (auto [w, h] : {std::pair{65536, 65536}, {32768, 32768}, {INT_MAX, 1}, {1, INT_MAX}, {8193, 8192}}) {
        EXPECT_FALSE(GrabWindowArea(nullptr, true, 0, 0, w, h)) << w << " x " << h;
        void* bits = nullptr;
        EXPECT_EQ(rt::CreateTopDownDib(w, h, &bits), nullptr) << w << " x " << h;
        EXPECT_EQ(rt::Picture::FromImage(Image(w, h)), nullptr) << w << " x " << h;
    }
    EXPECT_EQ(rt::LiveHandleCount(), before);
    // Two 4K monitors side by side are still made.
    void* bits = nullptr;
    rt::UniqueBitmap large(rt::CreateTopDownDib(7680, 2160, &bits));
    EXPECT_TRUE(large && bits);
}

TEST_F(ScreenGrab, PictureBoxShowsAndReadsTheGrabInPlace) {
    ImageWindow win(PatternImage(50, 40, 7), 500, 100);
    ASSERT_TRUE(ShownOnScreen(win));
    auto grab = GrabWindowArea(win.hwnd(), true, 0, 0, 50, 40);
    HBITMAP bitmap = PictureBitmap(grab.Get());
    auto picture = rt::Picture::FromPictureObject(std::move(grab));
    ASSERT_TRUE(picture);
    EXPECT_FALSE(grab);
    EXPECT_EQ(picture->bitmap(), bitmap) << "shown where it is, not copied";
    EXPECT_EQ(picture->widthPixels(), 50);
    EXPECT_EQ(picture->heightPixels(), 40);
    int differ = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            differ += picture->Pixel(x, y) != win.image().at(x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(picture->Pixel(50, 0), -1);
    EXPECT_EQ(picture->Pixel(0, -1), -1);

    {
        const int tpp = rt::TwipsPerPixelX();
        rt::Form form("frmGrabShow");
        form.Create("", 60 * tpp, 50 * tpp);
        auto& box = form.Add<rt::PictureBox>("picScreen", 0, 0, 60 * tpp, 50 * tpp, false);
        box.SetPicture(picture);
        SetWindowPos(form.hwnd(), HWND_TOPMOST, 600, 300, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ASSERT_TRUE(WaitFor("the form showing the grab painted", [&] { return Painted(form.hwnd()); }));
        for (auto [x, y] : {std::pair{0, 0}, {13, 7}, {49, 39}, {25, 0}}) {
            EXPECT_EQ(box.Point(x * tpp + 1.0f, y * tpp + 1.0f), win.image().at(x, y));
            EXPECT_EQ(PixelAt(box.hwnd(), x, y), static_cast<COLORREF>(win.image().at(x, y)));
        }
        box.SetPicture(nullptr);
    }
    PumpMessages();
    // The picture held the only reference: dropping it frees the bitmap.
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    picture.reset();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

} // namespace hv::test
