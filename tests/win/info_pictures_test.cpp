// The words of the information windows' pictures are set at run time onto the drawn art:
// they must be in the picture's pixels, where they belong.
#include "assets/info_art.h"
#include "forms/info_pictures.h"
#include <gtest/gtest.h>

namespace hv::test {

namespace {
// Pixels of the rectangle (inclusive) whose colour is near `c`.
int Near(const rt::Picture& p, int x0, int y0, int x1, int y1, ColorValue c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const ColorValue v = p.Pixel(x, y);
            n += std::abs(RedOf(v) - RedOf(c)) + std::abs(GreenOf(v) - GreenOf(c)) +
                     std::abs(BlueOf(v) - BlueOf(c)) <
                 60;
        }
    return n;
}
constexpr ColorValue kWhite = RGBColor(255, 255, 255);
} // namespace

TEST(InfoPictures, CarryTheirWordsInTheirPixels) {
    using namespace assets;
    const rt::PicturePtr sheet = forms::ExplanationPicture();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->widthPixels(), 355);
    EXPECT_EQ(sheet->heightPixels(), 316);
    // Dark ink over the first lines of the text place and white letters in the title band.
    EXPECT_GT(
        Near(*sheet, kSheetMargin, kSheetTextTop, 340, kSheetTextTop + 60, RGBColor(45, 50, 65)),
        300);
    EXPECT_GT(Near(*sheet, kSheetTitleLeft, 4, 340, kSheetBandHeight - 4, kWhite), 150);
    // The foot of the text place stays blank: the words fit.
    EXPECT_EQ(Near(*sheet, kSheetMargin, kSheetTextBottom - 20, 340, kSheetTextBottom, kWhite),
              (340 - kSheetMargin + 1) * 21);

    for (const rt::PicturePtr& badge :
         {forms::GivesomeBadgePicture(), forms::DonateLinkPicture()}) {
        ASSERT_TRUE(badge);
        EXPECT_EQ(badge->heightPixels(), 20);
        EXPECT_GT(Near(*badge, kBadgeTextLeft, 3, badge->widthPixels() - 4, 16, kWhite), 40);
    }
    const rt::PicturePtr logo = forms::MakerLogoPicture();
    ASSERT_TRUE(logo);
    EXPECT_GT(Near(*logo, kLogoTextLeft, 0, 144, 28, RGBColor(0x2F, 0x4A, 0x8C)), 80);
}

} // namespace hv::test
