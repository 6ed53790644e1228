// The grab on a real 256-colour palette display (an 8-bit X screen, where Wine reports a
// palette device): run by run_on_palette_display.sh, skipped on any other display.
#include "capture/screen_capture.h"
#include "support/image_window.h"
#include "support/picture_object_image.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <vector>

namespace hv::test {

namespace {

// The twenty colours every palette display keeps, so windows show them exactly.
constexpr ColorValue kStaticColours[] = {
    RGBColor(0, 0, 0),       RGBColor(128, 0, 0),     RGBColor(0, 128, 0),
    RGBColor(128, 128, 0),   RGBColor(0, 0, 128),     RGBColor(128, 0, 128),
    RGBColor(0, 128, 128),   RGBColor(192, 192, 192), RGBColor(192, 220, 192),
    RGBColor(166, 202, 240), RGBColor(255, 251, 240), RGBColor(160, 160, 164),
    RGBColor(128, 128, 128), RGBColor(255, 0, 0),     RGBColor(0, 255, 0),
    RGBColor(255, 255, 0),   RGBColor(0, 0, 255),     RGBColor(255, 0, 255),
    RGBColor(0, 255, 255),   RGBColor(255, 255, 255)};

// Cells of static colours, narrow enough that a shift of one pixel shows at every edge.
Image StaticColourImage(int width, int height, int seed) {
    Image img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.at(x, y) = kStaticColours[(x / 3 + (y / 2) * 7 + seed) % 20];
    return img;
}

class PaletteDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        HDC screen = GetDC(nullptr);
        const bool palette = capture::TakesPalettePath(capture::ReadDeviceCaps(screen));
        ReleaseDC(nullptr, screen);
        if (!palette) {
            if (std::getenv("HV_PALETTE_DISPLAY"))
                FAIL() << "the display was meant to be a 256-colour palette display";
            GTEST_SKIP() << "not a 256-colour palette display";
        }
        OleInitialize(nullptr);
        ole_ = true;
    }
    void TearDown() override {
        PumpMessages();
        if (ole_) OleUninitialize();
    }
    bool ole_ = false;
};

std::vector<PALETTEENTRY> SystemPalette() {
    std::vector<PALETTEENTRY> entries(256);
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, 256, entries.data());
    ReleaseDC(nullptr, screen);
    return entries;
}

} // namespace

TEST_F(PaletteDisplay, DesktopGrabCarriesTheSystemPaletteAndShowsTheScreen) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const int w = 45, h = 30;
    const POINT places[] = {{0, 0}, {cx - w, 0}, {0, cy - h}, {cx - w, cy - h}, {cx / 2, cy / 2}};
    std::vector<std::unique_ptr<ImageWindow>> windows;
    for (int i = 0; i < 5; ++i)
        windows.push_back(
            std::make_unique<ImageWindow>(StaticColourImage(w, h, i), places[i].x, places[i].y));
    for (const auto& window : windows) ASSERT_TRUE(ShownOnScreen(*window));

    auto grab = capture::GrabDesktop();
    ASSERT_TRUE(grab);
    HPALETTE palette = PicturePalette(grab.Get());
    ASSERT_NE(palette, nullptr);
    std::vector<PALETTEENTRY> copied(256);
    ASSERT_EQ(GetPaletteEntries(palette, 0, 256, copied.data()), 256u);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 256u);
    EXPECT_EQ(memcmp(copied.data(), SystemPalette().data(), 256 * sizeof(PALETTEENTRY)), 0);

    BITMAP bm{};
    ASSERT_TRUE(GetObjectA(PictureBitmap(grab.Get()), sizeof bm, &bm));
    EXPECT_EQ(bm.bmBitsPixel, 8);
    EXPECT_EQ(bm.bmWidth, cx);
    EXPECT_EQ(bm.bmHeight, cy);

    // Read through the picture's palette, both by the platform and by the picture that the
    // capture window will show, every window pixel is the colour the window drew.
    const Image img = PictureObjectImage(grab.Get());
    const auto shown = rt::Picture::FromPictureObject(grab);
    ASSERT_TRUE(shown);
    for (const auto& win : windows) {
        const POINT o = win->origin();
        EXPECT_EQ(CompareArea(img, o.x, o.y, win->image()), "") << o.x << "," << o.y;
        EXPECT_EQ(CompareArea(PictureImage(*shown, o.x, o.y, w, h), 0, 0, win->image()), "")
            << o.x << "," << o.y;
    }
}

} // namespace hv::test
