// The main window's pictures at the DPI the process sees (scripts/test.sh runs these at 96, 120
// and 144 DPI): each fills its box at the box's pixel size, and a press on a palette picks the
// colour drawn under it. What is on the screen is read back and held against the 96-DPI art.
#include "assets/asset_ids.h"
#include "assets/palettes.h"
#include "capture/screen_capture.h"
#include "core/units.h"
#include "main_window_fixture.h"
#include "runtime/dpi_pictures.h"
#include "runtime/screen.h"
#include "support/picture_object_image.h"
#include <set>

namespace hv::test {

namespace {

using DpiPicturesTest = MainWindowTest;

// What the window shows in its client area, as the screen has it.
Image OnScreen(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return PictureObjectImage(capture::GrabWindowArea(w, true, 0, 0, r.right, r.bottom).Get());
}

Image Art96(int resourceId) {
    return rt::PictureImage(*rt::Picture::FromResource(resourceId));
}

// Pixel art keeps every pixel whose neighbours share its colour: the middle of its block in
// the larger picture has that colour exactly, at any factor.
std::string CompareInterior(const Image& art96, const Image& shown) {
    int checked = 0;
    for (int y = 1; y + 1 < art96.height; ++y)
        for (int x = 1; x + 1 < art96.width; ++x) {
            bool uniform = true;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    uniform &= art96.at(x + dx, y + dy) == art96.at(x, y);
            if (!uniform) continue;
            const int sx = int((x + 0.5) * shown.width / art96.width);
            const int sy = int((y + 0.5) * shown.height / art96.height);
            if (shown.at(sx, sy) != art96.at(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " of the art";
            ++checked;
        }
    return checked ? "" : "no pixel checked";
}

} // namespace

TEST_F(DpiPicturesTest, StandardCellsPickTheirColourAtTheirPlaceInTwips) {
    const int tx = main().form().TwipsPerPixelX(), ty = main().form().TwipsPerPixelY();
    const HWND basic = main().picBasicCol->hwnd();
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 8; ++col) {
            // The cell's middle, placed in twips as at 96 DPI (15 twips a pixel there).
            const double midX =
                (assets::kBasicColumns[col][0] + assets::kBasicColumns[col][1] + 1) * 7.5;
            const double midY = (assets::kBasicRows[row][0] + assets::kBasicRows[row][1] + 1) * 7.5;
            const int x = int(midX / tx), y = int(midY / ty);
            const unsigned rgb = assets::kBasicCellsRRGGBB[row][col];
            const ColorValue cell = RGBColor(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
            Send(basic, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
            Send(basic, WM_LBUTTONUP, 0, x, y);
            EXPECT_EQ(main().picCurrentCol->BackColor(), cell)
                << "row " << row << " column " << col;
            EXPECT_EQ(PixelAt(basic, x, y), static_cast<COLORREF>(cell));
        }
}

TEST_F(DpiPicturesTest, PalettesFillTheirBoxesWithTheirOwnColoursAndPickWhatIsDrawn) {
    const int tx = main().form().TwipsPerPixelX(), ty = main().form().TwipsPerPixelY();
    const std::pair<rt::PictureBox*, int> boxes[] = {{main().picColorBW, IDB_PALETTE_GREY},
                                                     {main().picColors, IDB_PALETTE_QUICK},
                                                     {main().picBasicCol, IDB_PALETTE_BASIC}};
    for (auto [box, id] : boxes) {
        SCOPED_TRACE(box->name());
        const Image art = Art96(id);
        const std::set<ColorValue> colours(art.pixels.begin(), art.pixels.end());
        const Image shown = OnScreen(box->hwnd());
        RECT client{};
        GetClientRect(box->hwnd(), &client);
        ASSERT_EQ(shown.width, client.right);
        int foreign = 0, unlike = 0;
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x) {
                foreign += !colours.count(shown.at(x, y));
                unlike +=
                    box->Point(float(x * tx + tx / 2), float(y * ty + ty / 2)) != shown.at(x, y);
            }
        EXPECT_EQ(foreign, 0) << "pixels of a colour the palette does not have";
        EXPECT_EQ(unlike, 0) << "pixels whose pick differs from what is drawn";

        // The last row and column are the palette's own, as at 96 DPI.
        const int frame = 2; // the box's one-pixel line on each side
        const int lastX96 = TwipsToPixels(box->Width(), 15) - frame - 1;
        const int lastY96 = TwipsToPixels(box->Height(), 15) - frame - 1;
        const int x = client.right - 1, y = client.bottom - 1;
        Send(box->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(box->hwnd(), WM_LBUTTONUP, 0, x, y);
        EXPECT_EQ(main().picCurrentCol->BackColor(), art.at(lastX96, lastY96));
        EXPECT_EQ(shown.at(x, y), art.at(lastX96, lastY96));
    }
}

TEST_F(DpiPicturesTest, FacesAndFramePicturesAreDrawnAtTheirBoxesSize) {
    const int tx = main().form().TwipsPerPixelX(), ty = main().form().TwipsPerPixelY();
    for (controls::TransSkinButton* b : {main().cmdInsert, main().cmdCopy, main().cmdCapture,
                                         main().cmdAbout, main().cmdRGBMenu, main().cmdACFav}) {
        SCOPED_TRACE(b->name());
        const rt::PicturePtr& up = b->PictureUp();
        ASSERT_TRUE(up);
        EXPECT_NEAR(up->widthPixels(), b->Width() / tx, 1);
        EXPECT_NEAR(up->heightPixels(), b->Height() / ty, 1);
        RECT r{};
        GetClientRect(b->hwnd(), &r);
        EXPECT_EQ(r.right, up->widthPixels());
        EXPECT_EQ(r.bottom, up->heightPixels());
    }
    // The close box as the screen shows it, against its 96-DPI art.
    const Image close = OnScreen(main().picClose->hwnd());
    EXPECT_NEAR(close.width, main().picClose->Width() / tx, 1);
    EXPECT_EQ(CompareInterior(Art96(IDB_CLOSE_NORMAL), close), "");
    const rt::PicturePtr up = main().cmdCapture->PictureUp();
    EXPECT_EQ(CompareInterior(Art96(IDB_CAPTURE_UP), rt::PictureImage(*up)), "");
    RECT client{};
    // The frame picture covers the window.
    GetClientRect(main().hWnd(), &client);
    ASSERT_TRUE(main().form().Picture());
    const Image frame = rt::PictureImage(*main().form().Picture());
    EXPECT_NEAR(frame.width, client.right, 1);
    EXPECT_NEAR(frame.height, client.bottom, 1);
    EXPECT_EQ(CompareInterior(Art96(IDB_MAIN_BACKGROUND), frame), "");
}

} // namespace hv::test
