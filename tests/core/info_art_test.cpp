// The information windows' pictures: the places left for their words are plain, the badge's
// corners are the panel's white, and the hand points with its hot spot.
#include "assets/info_art.h"
#include <gtest/gtest.h>

using namespace hv;
using namespace hv::assets;

namespace {
constexpr ColorValue kWhite = RGBColor(255, 255, 255);

// Pixels in the rectangle (inclusive) that differ from `c`.
int Differing(const Image& img, int x0, int y0, int x1, int y1, ColorValue c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += img.at(x, y) != c;
    return n;
}
} // namespace

TEST(InfoArt, TheSheetLeavesItsTextPlaceBlankAndItsTitleBandPlain) {
    const Image sheet = ExplanationSheet();
    ASSERT_EQ(sheet.width, 355);
    ASSERT_EQ(sheet.height, 316);
    EXPECT_EQ(
        Differing(sheet, kSheetMargin, kSheetTextTop, 354 - kSheetMargin, kSheetTextBottom, kWhite),
        0);
    // No drawing where the title goes: each row of the band is one colour there.
    for (int y = 1; y < kSheetBandHeight; ++y)
        EXPECT_EQ(Differing(sheet, kSheetTitleLeft, y, 354 - kSheetMargin, y,
                            sheet.at(kSheetTitleLeft, y)),
                  0)
            << y;
    EXPECT_NE(sheet.at(kSheetTitleLeft, 20), kWhite); // the band is not white: white words show
}

TEST(InfoArt, BadgesLeaveTheirWordsPlaceToThePlateAndTheLogoItsNamesPlaceWhite) {
    const Image badge = GivesomeBadge(), link = DonateLink(), logo = MakerLogo();
    ASSERT_EQ(badge.width, 116);
    ASSERT_EQ(badge.height, 20);
    ASSERT_EQ(link.width, 76);
    ASSERT_EQ(link.height, 20);
    ASSERT_EQ(logo.width, 145);
    ASSERT_EQ(logo.height, 29);
    // The rounded corners are the About window's white; the link on the grey support window
    // has square ones.
    EXPECT_EQ(badge.at(0, 0), kWhite);
    EXPECT_EQ(badge.at(115, 19), kWhite);
    EXPECT_NE(link.at(0, 0), kWhite);
    for (const Image* img : {&badge, &link}) {
        const int right = img->width - 3;
        for (int y = 2; y < 18; ++y)
            EXPECT_EQ(Differing(*img, kBadgeTextLeft, y, right, y, img->at(kBadgeTextLeft, y)), 0)
                << y;
        EXPECT_NE(img->at(kBadgeTextLeft, 10), kWhite);
    }
    EXPECT_EQ(Differing(logo, kLogoTextLeft, 0, 144, 28, kWhite), 0);
    EXPECT_GT(Differing(logo, 0, 0, kLogoTextLeft - 1, 28, kWhite), 300);
}

TEST(InfoArt, TheHandPointsWithItsHotSpotAndIsClearAround) {
    const Image hand = LinkHandCursor();
    ASSERT_EQ(hand.width, 32);
    ASSERT_EQ(hand.height, 32);
    EXPECT_NE(hand.at(kHandHotX, kHandHotY), kCursorClear);
    // Nothing above or left of the fingertip's row, and most of the square is clear.
    EXPECT_EQ(hand.at(0, 0), kCursorClear);
    EXPECT_EQ(hand.at(kHandHotX - 1, kHandHotY), kCursorClear);
    EXPECT_GT(Differing(hand, 0, 0, 31, 31, kCursorClear), 150);
    EXPECT_LT(Differing(hand, 0, 0, 31, 31, kCursorClear), 512);
}
