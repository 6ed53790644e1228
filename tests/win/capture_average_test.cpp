// Averaging during capture, with real keys over a checkerboard window of the test's own that
// the capture grabs for real: 1, 3 and 5 pick the pixel or the mean of the square around it,
// the loupe outlines the square, pixels off every monitor are left out, and the choice is
// kept for the next capture.
#include "capture_fixture.h"

namespace hv::test {

namespace {

constexpr ColorValue kWhite = RGBColor(255, 255, 255);

ColorValue Grey(int v) {
    return RGBColor(v, v, v);
}

// A one-pixel black and white checkerboard, white where x + y is even (odd with `whiteOdd`).
Image Checkerboard(int side, bool whiteOdd = false) {
    Image img(side, side, kBlack);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (((x + y) % 2 != 0) == whiteOdd) img.at(x, y) = kWhite;
    return img;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*r);
    return TRUE;
}

class CaptureAverageTest : public LoupeFixture {
  protected:
    // Capture started over `image` shown at `at` (then taken away: it is in the screenshot
    // only), and the pointer on `pointer`, showing `shown`.
    void CaptureOver(const Image& image, POINT at, POINT pointer, ColorValue shown) {
        auto window = std::make_unique<ImageWindow>(image, at.x, at.y);
        ASSERT_TRUE(ShownOnScreen(*window)) << "the image on the screen before the grab";
        ASSERT_NO_FATAL_FAILURE(ClickCapture());
        window.reset();
        ASSERT_TRUE(MoveAndShow(pointer, ShownText(shown))) << Shown();
    }
    // A key pressed for real; true once the fields show `shown` with that square chosen.
    bool KeyShows(WORD vk, int side, ColorValue shown) {
        Key(vk);
        return PumpUntil([&] { return loupe().square() == side && Shown() == ShownText(shown); });
    }
    // The loupe as drawn now outlines the side x side square around the pointer: black on its
    // edge, white just outside, on each of its four sides.
    void ExpectOutline(POINT at, int side) {
        const int half = side / 2;
        const RECT first = CellOf(at, POINT{at.x - half, at.y - half});
        const RECT last = CellOf(at, POINT{at.x + half, at.y + half});
        const int midX = (first.left + last.right) / 2, midY = (first.top + last.bottom) / 2;
        ASSERT_TRUE(PumpUntil([&] {
            const Image screen = LiveScreen();
            return screen.at(first.left, midY) == kBlack && screen.at(last.right, midY) == kBlack;
        })) << side;
        const Image screen = LiveScreen();
        for (const POINT p : {POINT{first.left, midY}, POINT{last.right, midY},
                              POINT{midX, first.top}, POINT{midX, last.bottom}})
            EXPECT_EQ(screen.at(p.x, p.y), kBlack) << side << ": " << p.x << "," << p.y;
        for (const POINT p : {POINT{first.left - 1, midY}, POINT{last.right + 1, midY},
                              POINT{midX, first.top - 1}, POINT{midX, last.bottom + 1}})
            EXPECT_EQ(screen.at(p.x, p.y), kWhite) << side << ": " << p.x << "," << p.y;
        // A larger square leaves the picked cell's own edge as the grid draws it.
        if (side > 1) {
            const RECT c = CellOf(at, at);
            EXPECT_NE(screen.at(c.left, (c.top + c.bottom) / 2), kBlack) << side;
        }
    }
};

} // namespace

TEST_F(CaptureAverageTest, OneThreeAndFivePickThePixelOrTheMeanAndTheLoupeOutlinesTheSquare) {
    const POINT at{200, 200}, white{220, 220};
    ASSERT_NO_FATAL_FAILURE(CaptureOver(Checkerboard(40), at, white, kWhite));
    ASSERT_TRUE(Follows(white));
    EXPECT_EQ(loupe().square(), 1);
    ExpectOutline(white, 1);

    EXPECT_TRUE(KeyShows('3', 3, Grey(142))) << Shown(); // 5 white of 9
    ExpectOutline(white, 3);
    EXPECT_EQ(square_.value(), "3");
    EXPECT_TRUE(KeyShows('5', 5, Grey(133))) << Shown(); // 13 white of 25
    ExpectOutline(white, 5);
    EXPECT_EQ(square_.value(), "5");
    EXPECT_TRUE(KeyShows('1', 1, kWhite)) << Shown();
    ExpectOutline(white, 1);
    EXPECT_TRUE(KeyShows(VK_NUMPAD3, 3, Grey(142))) << Shown();

    // The mean goes along with the pointer: an arrow key onto a black pixel (4 white of 9),
    // a real move back onto a white one.
    Key(VK_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return Shown() == ShownText(Grey(113)); })) << Shown();
    ASSERT_TRUE(MoveAndShow(POINT{222, 220}, ShownText(Grey(142)))) << Shown();
    // Other keys choose nothing: after them, an arrow key still moves a 3 x 3 mean.
    for (const WORD k : {WORD('2'), WORD('7'), WORD(VK_NUMPAD4)})
        Key(k);
    Key(VK_LEFT);
    EXPECT_TRUE(PumpUntil([&] { return Shown() == ShownText(Grey(113)); })) << Shown();
    EXPECT_EQ(loupe().square(), 3);

    // A press keeps the mean, and the next capture starts with the square chosen.
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_EQ(Shown(), ShownText(Grey(113)));
    EXPECT_EQ(PreviewPixel(), RGB(113, 113, 113));
    ASSERT_NO_FATAL_FAILURE(CaptureOver(Checkerboard(40), at, white, Grey(142)));
    EXPECT_EQ(loupe().square(), 3);
    ExpectOutline(white, 3);
    Key(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
}

TEST_F(CaptureAverageTest, AtTheScreensCornerOnlyThePixelsOnTheMonitorCount) {
    // Black at (0, 0): the 3 x 3 square keeps two white of four (127.5, rounded up), the
    // 5 x 5 one four white of nine.
    const POINT corner{0, 0};
    ASSERT_NO_FATAL_FAILURE(CaptureOver(Checkerboard(40, true), corner, corner, kBlack));
    EXPECT_TRUE(KeyShows('3', 3, Grey(128))) << Shown();
    EXPECT_TRUE(KeyShows('5', 5, Grey(113))) << Shown();
    Key(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
}

TEST_F(CaptureAverageTest, TheGapBelowAShorterMonitorIsLeftOut) {
    // The screenshot covers the virtual screen; under a monitor shorter than it is a gap.
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    const int bottom = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const RECT* shorter = nullptr;
    for (const RECT& m : monitors)
        if (m.bottom < bottom && m.right - m.left >= 200) shorter = &m;
    if (!shorter) GTEST_SKIP() << "no monitor with a gap below it";
    // A red square on the monitor's bottom edge: the 5 x 5 square under the pointer on its last
    // row is three rows of red and two of gap, and the gap does not count.
    const POINT at{shorter->left + 100, shorter->bottom - 40},
        pointer{at.x + 20, shorter->bottom - 1};
    ASSERT_NO_FATAL_FAILURE(CaptureOver(Image(40, 40, kRed), at, pointer, kRed));
    EXPECT_TRUE(KeyShows('5', 5, kRed)) << Shown();
    EXPECT_TRUE(KeyShows('3', 3, kRed)) << Shown();
    Key(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
}

} // namespace hv::test
