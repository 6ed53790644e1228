// The About window below the main window, the support and donation windows it opens, and
// the links to the maker's page, driven by real mouse input.
#include "control_host.h"
#include "forms/frm_about.h"
#include "main_window_fixture.h"
#include "support/url_handler.h"

namespace hv::test {

namespace {

constexpr char kOpened3[] = "3 https://example.com/huevista/\n";
constexpr char kOpened1[] = "1 https://example.com/huevista/\n";

HWND Owner(HWND w) {
    return GetWindow(w, GW_OWNER);
}

void ClickAtPoint(POINT screen) {
    MoveMouseTo(screen);
    LeftDown();
    LeftUp();
}

// A picture button takes the press once its hover timer has seen the pointer.
void Click(controls::TransSkinButton& b) {
    const RECT r = ScreenRect(b.hwnd());
    MoveMouseTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return b.ShownPicture() == b.PictureOver(); }));
    LeftDown();
    LeftUp();
}

void Click(rt::Control& c) {
    ClickAtPoint(ScreenPoint(c.hwnd(), 10, 8));
}

POINT LabelPoint(rt::Form& form, const rt::Label& l) {
    return ScreenPoint(form.hwnd(), static_cast<int>(l.left / 15) + 10,
                       static_cast<int>(l.top / 15) + 6);
}

void Click(rt::Form& form, const rt::Label& l) {
    ClickAtPoint(LabelPoint(form, l));
}

class AboutWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_EQ(main().form().TwipsPerPixelX(), 15);
        main().form().MoveTo(9000, 300);
    }
    void TearDown() override {
        PlaceCursor(POINT{2, 700});
        MainWindowTest::TearDown();
    }
    forms::frmAbout& about() { return main().aboutForm(); }
    void OpenAbout() {
        Click(*main().cmdAbout);
        ASSERT_TRUE(PumpUntil([&] { return about().Loaded(); }));
        PumpMessages();
    }
};

} // namespace

TEST_F(AboutWindowTest, OpensBelowTheMainWindowAndGivesTheFocusBackToThePreview) {
    ASSERT_EQ(main().form().Height(), 2115);
    OpenAbout();
    rt::Form& f = about().form();
    EXPECT_EQ(f.Left(), 9000);
    EXPECT_EQ(f.Top(), 2415);
    EXPECT_EQ(f.Width(), 5625);
    EXPECT_EQ(f.Height(), 3000);
    EXPECT_TRUE(IsWindowVisible(f.hwnd()));
    EXPECT_EQ(Owner(f.hwnd()), main().hWnd());
    EXPECT_EQ(GetFocus(), main().picCurrentCol->hwnd());
    // "Why Support Givesome ?" shows the hand.
    ASSERT_TRUE(about().hand());
    MoveMouseTo(LabelPoint(f, *about().Label6));
    EXPECT_EQ(GetCursor(), about().hand()->get());
    // A second press shows the same window where it is.
    HWND first = f.hwnd();
    f.MoveTo(3000, 3000);
    Click(*main().cmdAbout);
    EXPECT_EQ(f.hwnd(), first);
    EXPECT_EQ(f.Left(), 3000);
}

TEST_F(AboutWindowTest, DraggingTheTitleStripMovesTheWindow) {
    OpenAbout();
    HWND w = about().form().hwnd();
    const RECT before = ScreenRect(w);
    SetCursorPos(before.left + 150, before.top + 10);
    PumpMessages();
    // The move loop is modal: the drag goes on from inside it, as input it reads itself.
    RunLater drag(100, [&] {
        SendMoveTo(before.left + 110, before.top + 80);
        SendLeftButton(false);
    });
    SendLeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return drag.ran(); }));
    PumpUntil([&] { return ScreenRect(w).left != before.left; });
    const RECT after = ScreenRect(w);
    EXPECT_EQ(after.left - before.left, -40);
    EXPECT_EQ(after.top - before.top, 70);
}

// The support and donation windows have a caption, which costs seconds per show under Wine
// without a window manager: one walk through all of it.
TEST_F(AboutWindowTest, LinksOpenTheMakersPageAndOkLeavesOnlyTheSupportWindowOpen) {
    UrlHandler handler;
    OpenAbout();
    forms::frmAbout& a = about();
    HWND aboutWindow = a.form().hwnd();
    Click(*a.TransSkinButton1);
    EXPECT_EQ(handler.WaitForLines(1), kOpened3);
    EXPECT_TRUE(a.Loaded());

    // "Why Support Givesome ?" and the badge open the two windows, owned by the About window,
    // at 50, 50 twips.
    Click(a.form(), *a.Label6);
    Click(*a.Image3);
    forms::frmSupport& support = a.support();
    forms::frmDonateInfo& info = a.donateInfo();
    ASSERT_TRUE(support.Loaded());
    ASSERT_TRUE(info.Loaded());
    for (rt::Form* f : {&support.form(), &info.form()}) {
        EXPECT_TRUE(IsWindowVisible(f->hwnd()));
        EXPECT_EQ(Owner(f->hwnd()), aboutWindow);
        const RECT r = ScreenRect(f->hwnd());
        EXPECT_EQ(r.left, 3);
        EXPECT_EQ(r.top, 3);
    }
    EXPECT_EQ(WindowText(support.form().hwnd()), "Why support ?");
    EXPECT_EQ(support.form().ScaleWidth(), 6135);
    EXPECT_EQ(support.form().ScaleHeight(), 5535);
    EXPECT_EQ(WindowText(info.form().hwnd()), "Information about...");

    // The donation window's link keeps its window.
    Click(*info.Image1);
    EXPECT_EQ(handler.WaitForLines(2), std::string(kOpened3) + kOpened3);
    EXPECT_TRUE(info.Loaded());

    // OK closes the About and donation windows; the support window stays, now the main
    // window's, so that it still goes when the main window goes.
    Click(*a.cmdOk);
    EXPECT_FALSE(a.Loaded());
    EXPECT_FALSE(IsWindow(aboutWindow));
    EXPECT_FALSE(info.Loaded());
    ASSERT_TRUE(support.Loaded());
    EXPECT_TRUE(IsWindowVisible(support.form().hwnd()));
    EXPECT_EQ(Owner(support.form().hwnd()), main().hWnd());

    // The support window's link opens the page in a normal window, then closes the window.
    Click(*support.Image4);
    EXPECT_EQ(handler.WaitForLines(3), std::string(kOpened3) + kOpened3 + kOpened1);
    EXPECT_FALSE(support.Loaded());
}

} // namespace hv::test
