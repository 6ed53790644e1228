#include "core/loupe_layout.h"
#include <gtest/gtest.h>

namespace hv {

TEST(LoupeZoom, StoredTextIsAWholeNumberKeptInRange) {
    EXPECT_EQ(ParseLoupeZoom("8"), 8);
    EXPECT_EQ(ParseLoupeZoom("16"), 16);
    EXPECT_EQ(ParseLoupeZoom("2"), kLoupeMinZoom);
    EXPECT_EQ(ParseLoupeZoom("-3"), kLoupeMinZoom);
    EXPECT_EQ(ParseLoupeZoom("40"), kLoupeMaxZoom);
    for (const char* bad : {"", "abc", "8x", " 8", "8.5", "99999999999"})
        EXPECT_EQ(ParseLoupeZoom(bad), kLoupeDefaultZoom) << bad;
}

TEST(LoupeZoom, CellsAreOddSoThePickedPixelIsTheMiddleOne) {
    EXPECT_EQ(LoupeCells(176, 16), 11);
    EXPECT_EQ(LoupeCells(176, 11), 15); // 16 would have no middle
    EXPECT_EQ(LoupeCells(176, 8), 21);
    EXPECT_EQ(LoupeCells(176, 4), 43);
    EXPECT_EQ(LoupeCells(264, 8), 33);
    EXPECT_EQ(LoupeCells(3, 16), 1);
    EXPECT_EQ(LoupeCells(176, 0), 175);
    EXPECT_EQ(LoupeCells(-5, 8), 1);
}

TEST(LoupeZoom, WheelNotchesAddUpAndTurningBackStartsAgain) {
    WheelNotches w;
    EXPECT_EQ(w.Add(120), 1);
    EXPECT_EQ(w.Add(240), 2);
    EXPECT_EQ(w.Add(-120), -1);
    EXPECT_EQ(w.Add(40), 0);
    EXPECT_EQ(w.Add(40), 0);
    EXPECT_EQ(w.Add(40), 1);
    EXPECT_EQ(w.Add(100), 0);
    EXPECT_EQ(w.Add(-100), 0); // the 100 gathered upwards is dropped
    EXPECT_EQ(w.Add(-20), -1);
}

namespace {
constexpr int kW = 178, kH = 218, kGap = 16;
const PixelRect kMonitor{0, 0, 1024, 768};
const PixelRect kNone{};
PixelRect At(LoupeSpot s) {
    return {s.x, s.y, s.x + kW, s.y + kH};
}
} // namespace

TEST(PlaceLoupe, BesideThePointerAndFlippedAtEachEdge) {
    LoupeSpot s = PlaceLoupe(500, 300, kW, kH, kGap, kMonitor, kNone);
    EXPECT_EQ(s.x, 517);
    EXPECT_EQ(s.y, 317);
    s = PlaceLoupe(1000, 300, kW, kH, kGap, kMonitor, kNone); // right edge: to the left
    EXPECT_EQ(s.x, 1000 - kGap - kW);
    EXPECT_EQ(s.y, 317);
    s = PlaceLoupe(500, 700, kW, kH, kGap, kMonitor, kNone); // bottom: above
    EXPECT_EQ(s.x, 517);
    EXPECT_EQ(s.y, 700 - kGap - kH);
    s = PlaceLoupe(1023, 767, kW, kH, kGap, kMonitor, kNone); // corner: both
    EXPECT_EQ(s.x, 1023 - kGap - kW);
    EXPECT_EQ(s.y, 767 - kGap - kH);
    // Exactly room on the right: stays there.
    s = PlaceLoupe(1024 - 1 - kGap - kW, 0, kW, kH, kGap, kMonitor, kNone);
    EXPECT_EQ(At(s).right, 1024);
}

TEST(PlaceLoupe, KeepsOffTheMainWindow) {
    const PixelRect main{600, 250, 900, 600};
    // The main window to the right: the loupe goes left.
    LoupeSpot s = PlaceLoupe(550, 300, kW, kH, kGap, kMonitor, main);
    EXPECT_EQ(s.x, 550 - kGap - kW);
    EXPECT_FALSE(main.Meets(At(s)));
    // The pointer on the main window: beside that window, on the side with room.
    s = PlaceLoupe(700, 400, kW, kH, kGap, kMonitor, main);
    EXPECT_FALSE(main.Meets(At(s)));
    EXPECT_TRUE(kMonitor.Holds(At(s)));
    // A main window that leaves no room anywhere: on the monitor, off the pointer.
    const PixelRect wide{0, 0, 1024, 768};
    s = PlaceLoupe(500, 300, kW, kH, kGap, kMonitor, wide);
    EXPECT_EQ(s.x, 517);
    EXPECT_EQ(s.y, 317);
}

TEST(PlaceLoupe, AlwaysWhollyOnThePointersMonitorAndOffItsPixel) {
    // A second monitor left of and above the first, as negative coordinates give it.
    const PixelRect monitors[] = {kMonitor, {-800, -200, 0, 400}, {1024, 0, 1824, 600}};
    const PixelRect mains[] = {
        kNone, {100, 100, 400, 500}, {-500, 0, -200, 380}, {1500, 300, 1824, 600}};
    for (const PixelRect& m : monitors)
        for (const PixelRect& main : mains)
            for (int x = m.left; x < m.right; x += 37)
                for (int y = m.top; y < m.bottom; y += 29) {
                    const PixelRect r = At(PlaceLoupe(x, y, kW, kH, kGap, m, main));
                    ASSERT_TRUE(m.Holds(r)) << x << "," << y;
                    ASSERT_FALSE(r.Contains(x, y)) << x << "," << y;
                    // Off the main window whenever some place beside the pointer is.
                    bool room = false;
                    for (const int sx : {x + 1 + kGap, x - kGap - kW})
                        for (const int sy : {y + 1 + kGap, y - kGap - kH}) {
                            const PixelRect s = At({sx, sy});
                            room = room || (m.Holds(s) && !main.Meets(s));
                        }
                    if (room) {
                        ASSERT_FALSE(main.Meets(r)) << x << "," << y;
                    }
                }
}

TEST(PlaceLoupe, AMonitorTooSmallKeepsItOnTheMonitor) {
    const PixelRect tiny{0, 0, 150, 150};
    const PixelRect r = At(PlaceLoupe(10, 10, kW, kH, kGap, tiny, kNone));
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
}

} // namespace hv
