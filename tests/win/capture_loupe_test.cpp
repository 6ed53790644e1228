// The capture's loupe, keys and way back, driven by real mouse, wheel and key input: what the
// loupe shows against the frozen screenshot, where it stands, the pointer nudged pixel by pixel,
// and Escape putting back exactly what the fields showed before.
#include "capture_fixture.h"
#include "colour/colour_state.h"
#include "core/addin_settings.h"
#include "runtime/screen.h"

namespace hv::test {

namespace {

POINT Cursor() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

void Wheel(int delta) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(delta);
    SendInput(1, &in, sizeof in);
}

class LoupeTest : public LoupeFixture {
  protected:
    // Capture started, and the pointer on a square of `colour` that is in the screenshot only.
    void CaptureOver(ColorValue colour) {
        auto square = Square(colour, POINT{100, 300});
        ASSERT_TRUE(ShownOnScreen(*square));
        ASSERT_NO_FATAL_FAILURE(ClickCapture());
        square.reset();
        ASSERT_TRUE(MoveAndShow(Centre(POINT{100, 300}), ShownText(colour)));
    }
    StoredSetting zoom_{settings::kLoupeZoom};
};

} // namespace

TEST_F(LoupeTest, ShowsTheFrozenPixelsAroundThePointerWithThePickedOneOutlined) {
    const Image pattern = PatternImage(60, 60, 7);
    auto shown = std::make_unique<ImageWindow>(pattern, 200, 200);
    ASSERT_TRUE(ShownOnScreen(*shown));
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    shown.reset(); // in the screenshot only
    ASSERT_NO_FATAL_FAILURE(RepaintedWhereTheyWere());
    const POINT at{231, 229};
    ASSERT_TRUE(MoveAndShow(at, ShownText(pattern.at(31, 29)))) << Shown();
    ASSERT_TRUE(Follows(at));
    EXPECT_EQ(loupe().zoom(), kLoupeDefaultZoom);

    // Beside the pointer, above the capture window, yet neither active nor in the mouse's way.
    const RECT lr = LoupeRect();
    const int gap = MulDiv(16, rt::ScreenDpiX(), 96);
    EXPECT_EQ(lr.left, at.x + 1 + gap);
    EXPECT_EQ(lr.top, at.y + 1 + gap);
    const POINT inside{lr.left + 40, lr.top + 40};
    EXPECT_EQ(WindowFromPoint(inside), capture()->picScreen->hwnd());
    EXPECT_EQ(GetForegroundWindow(), CaptureWindow());
    EXPECT_EQ(GetFocus(), CaptureWindow());
    // A real move onto it reaches the capture window, which picks there and moves it away.
    {
        const POINT onLoupe{lr.left + 30, lr.top + 30};
        MoveMouseTo(onLoupe);
        EXPECT_TRUE(Follows(onLoupe));
        ASSERT_TRUE(MoveAndShow(at, ShownText(pattern.at(31, 29))));
        ASSERT_TRUE(Follows(at));
    }

    // Every cell shows its screenshot pixel, enlarged.
    const Image screen = LiveScreen();
    const int n = loupe().cells(), half = n / 2;
    // The outline's two rings lie over the edges of the picked cell and of its neighbours.
    const RECT picked = CellOf(at, at);
    const RECT rings{picked.left - 1, picked.top - 1, picked.right + 2, picked.bottom + 2};
    const RECT interior{picked.left + 1, picked.top + 1, picked.right, picked.bottom};
    int wrong = 0;
    for (int j = -half; j <= half; ++j)
        for (int i = -half; i <= half; ++i) {
            const POINT p{at.x + i, at.y + j};
            const RECT cell = CellOf(at, p);
            const ColorValue want = Frozen(p);
            // Its inner pixels: off the grid line on the cell's first column and row.
            for (int y = cell.top + 1; y < cell.bottom; ++y)
                for (int x = cell.left + 1; x < cell.right; ++x) {
                    const POINT q{x, y};
                    if (PtInRect(&rings, q) && !PtInRect(&interior, q)) continue;
                    if (screen.at(x, y) != want) ++wrong;
                }
        }
    EXPECT_EQ(wrong, 0) << "of " << n * n << " cells";
    // The outlined cell is the picked pixel: black around it, white around that.
    const RECT& c = picked;
    EXPECT_EQ(Mid(screen, c), pattern.at(31, 29));
    const int midY = (c.top + c.bottom) / 2, midX = (c.left + c.right) / 2;
    for (const POINT p :
         {POINT{c.left, midY}, POINT{c.right, midY}, POINT{midX, c.top}, POINT{midX, c.bottom}})
        EXPECT_EQ(screen.at(p.x, p.y), kBlack) << p.x << "," << p.y;
    for (const POINT p : {POINT{c.left - 1, midY}, POINT{c.right + 1, midY}, POINT{midX, c.top - 1},
                          POINT{midX, c.bottom + 1}})
        EXPECT_EQ(screen.at(p.x, p.y), RGBColor(255, 255, 255)) << p.x << "," << p.y;

    // At the screen's corner, the pixels beyond it are hatched: only two greys, none the
    // screenshot's.
    const POINT corner{1, 1};
    MoveMouseTo(corner);
    ASSERT_TRUE(Follows(corner));
    const Image edge = LiveScreen();
    for (const POINT p : {POINT{-1, 5}, POINT{5, -1}, POINT{-3, -3}}) {
        const RECT cell = CellOf(corner, p);
        for (int y = cell.top + 1; y < cell.bottom; ++y)
            for (int x = cell.left + 1; x < cell.right; ++x) {
                const ColorValue v = edge.at(x, y);
                ASSERT_TRUE(v == RGBColor(150, 150, 150) || v == RGBColor(215, 215, 215))
                    << p.x << "," << p.y << ": " << std::hex << v;
            }
    }
    EXPECT_EQ(Mid(edge, CellOf(corner, POINT{0, 0})), Frozen(POINT{0, 0}));
}

TEST_F(LoupeTest, FlipsAtEachEdgeAndBesideTheMainWindowNeverCoveringThePointer) {
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const RECT mainRect = ScreenRect(main().hWnd());
    struct Spot {
        POINT at;
        bool left, above;
    };
    const Spot spots[] = {{{100, 100}, false, false},
                          {{100, cy - 20}, false, true},
                          {{cx - 20, cy - 20}, true, true},
                          {{cx - 20, mainRect.bottom + 5}, true, false},
                          // Right of the pointer is the main window: kept off it.
                          {{mainRect.left - 30, mainRect.top + 40}, true, false}};
    for (const Spot& s : spots) {
        MoveMouseTo(s.at);
        ASSERT_TRUE(Follows(s.at)) << s.at.x << "," << s.at.y;
        const RECT r = LoupeRect();
        EXPECT_EQ(r.right <= s.at.x, s.left) << s.at.x << "," << s.at.y;
        EXPECT_EQ(r.bottom <= s.at.y, s.above) << s.at.x << "," << s.at.y;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= cx && r.bottom <= cy);
        RECT overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &r, &mainRect)) << s.at.x << "," << s.at.y;
    }
}

TEST_F(LoupeTest, ArrowKeysNudgeOntoAOnePixelLineAndEnterKeepsIt) {
    const ColorValue line = RGBColor(10, 200, 30), paper = RGBColor(255, 255, 255);
    Image img(41, 41, paper);
    for (int y = 0; y < 41; ++y)
        img.at(20, y) = line;
    auto shown = std::make_unique<ImageWindow>(img, 300, 300);
    ASSERT_TRUE(ShownOnScreen(*shown));
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    shown.reset();
    ASSERT_TRUE(MoveAndShow(POINT{317, 320}, ShownText(paper)));

    struct Step {
        WORD key;
        bool shift;
        POINT to;
        ColorValue colour;
    };
    const Step steps[] = {
        {VK_RIGHT, false, {318, 320}, paper}, {VK_RIGHT, false, {319, 320}, paper},
        {VK_RIGHT, false, {320, 320}, line},  {VK_RIGHT, true, {330, 320}, paper},
        {VK_LEFT, true, {320, 320}, line},    {VK_DOWN, true, {320, 330}, line},
        {VK_UP, false, {320, 329}, line},     {VK_LEFT, false, {319, 329}, paper},
        {VK_RIGHT, false, {320, 329}, line}};
    for (const Step& s : steps) {
        Key(s.key, s.shift);
        EXPECT_TRUE(PumpUntil([&] {
            const POINT p = Cursor();
            return p.x == s.to.x && p.y == s.to.y && Shown() == ShownText(s.colour);
        })) << s.to.x
            << "," << s.to.y << ": " << Shown();
        EXPECT_TRUE(Follows(s.to));
    }
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_EQ(Shown(), ShownText(line));
    EXPECT_EQ(PreviewPixel(), static_cast<COLORREF>(line));
    EXPECT_TRUE(main().cmdCapture->Enabled());
    EXPECT_FALSE(IsWindow(loupe().hwnd()));
}

TEST_F(LoupeTest, EscapePutsBackExactlyWhatTheFieldsShowedAndSpaceKeeps) {
    // Components of a selected favourite, not of the preview: both come back as they were.
    colour::SetCurrentColor(main().fields(), RGBColor(12, 34, 56));
    main().txtR->SetText("7");
    const std::string before = Shown();
    ASSERT_NO_FATAL_FAILURE(CaptureOver(kRed));
    Key(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(main().picCurrentCol->BackColor(), RGBColor(12, 34, 56));
    EXPECT_TRUE(PumpUntil([&] { return PreviewPixel() == RGB(12, 34, 56); }));
    EXPECT_TRUE(main().cmdCapture->Enabled());

    ASSERT_NO_FATAL_FAILURE(CaptureOver(kGreen));
    Key(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_EQ(Shown(), ShownText(kGreen));
    EXPECT_TRUE(main().cmdCapture->Enabled());
}

TEST_F(LoupeTest, TheWheelZoomsAndTheNextCaptureStartsWithThatZoom) {
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    const POINT at{300, 300};
    MoveMouseTo(at);
    ASSERT_TRUE(Follows(at));
    EXPECT_EQ(loupe().zoom(), kLoupeDefaultZoom);
    Wheel(WHEEL_DELTA);
    EXPECT_TRUE(PumpUntil([&] { return loupe().zoom() == kLoupeDefaultZoom + 1; }));
    Wheel(-3 * WHEEL_DELTA);
    EXPECT_TRUE(PumpUntil([&] { return loupe().zoom() == kLoupeDefaultZoom - 2; }));
    EXPECT_EQ(zoom_.value(), std::to_string(kLoupeDefaultZoom - 2));
    Wheel(-20 * WHEEL_DELTA);
    EXPECT_TRUE(PumpUntil([&] { return loupe().zoom() == kLoupeMinZoom; }));
    Wheel(30 * WHEEL_DELTA);
    EXPECT_TRUE(PumpUntil([&] { return loupe().zoom() == kLoupeMaxZoom; }));
    EXPECT_EQ(zoom_.value(), "16");
    // What shows is redrawn at the new zoom: the picked cell is 16 pixels wide.
    const Image screen = LiveScreen();
    const RECT c = CellOf(at, at);
    EXPECT_EQ(c.right - c.left, 16);
    EXPECT_EQ(screen.at(c.left, (c.top + c.bottom) / 2), kBlack);
    EXPECT_EQ(Mid(screen, c), Frozen(at));

    Key(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    EXPECT_EQ(loupe().zoom(), kLoupeMaxZoom);
    EXPECT_EQ(loupe().cells(),
              LoupeCells(loupe().CellsRect().right - loupe().CellsRect().left, 16));
}

} // namespace hv::test
