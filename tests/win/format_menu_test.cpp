// The format menu: its tree, and commands picked inside its modal loop as a user would.
#include "main_window_fixture.h"
#include "forms/frm_menu.h"
#include <vector>

namespace hv::test {

namespace {

struct Delivered {
    std::vector<std::string> inserted, copied;
};

std::vector<std::string> Captions(HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char buf[64] = "";
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
        mi.dwTypeData = buf;
        mi.cch = sizeof buf;
        GetMenuItemInfoA(menu, i, TRUE, &mi);
        if (mi.fType & MFT_SEPARATOR) out.push_back("-");
        else out.push_back(buf + std::string(mi.fState & (MFS_DISABLED | MFS_CHECKED | MFS_DEFAULT) ? "!" : ""));
    }
    return out;
}

} // namespace

class FormatMenuTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        menu_ = std::make_unique<output::frmMenu>(
            output::ComponentSources{*main().txtR, *main().txtG, *main().txtB},
            [this](const std::string& t) { got_.inserted.push_back(t); },
            [this](const std::string& t) { got_.copied.push_back(t); });
    }
    void Pick(std::vector<WORD> keys) {
        RunLater guard(5000, [] { EndMenu(); }); // never hang the run if the keys go astray
        ModalAnswer answer(
            [&](HWND) {
                for (WORD k : keys) SendKey(k);
            },
            "#32768");
        POINT pt{300, 300};
        menu_->PopupAt(main().hWnd(), pt);
        EXPECT_TRUE(answer.answered());
    }
    std::unique_ptr<output::frmMenu> menu_;
    Delivered got_;
};

TEST_F(FormatMenuTest, HoldsInsertASeparatorAndCopyWithTheSixFormats) {
    menu_->Load();
    HMENU pop = menu_->menu()->handle();
    EXPECT_EQ(Captions(pop),
              (std::vector<std::string>{"Insert", "-", "Copy", "-", "Edit formats..."}));
    const std::vector<std::string> six{"Red", "Green", "Blue", "RedGreenBlue", "Red, Green, Blue",
                                       "RGB(Red, Green, Blue)"};
    EXPECT_EQ(Captions(GetSubMenu(pop, 0)), six);
    EXPECT_EQ(Captions(GetSubMenu(pop, 2)), six);
}

TEST_F(FormatMenuTest, EveryCommandDeliversItsFormatAndUnloads) {
    main().txtR->SetText("255");
    main().txtG->SetText("128");
    main().txtB->SetText("0");
    const char* items[] = {"mnuIr", "mnuIG", "mnuIB", "mnuIrgb", "mnuIrgbWOParentes", "mnuIRGBComma",
                           "mnuCR", "mnuCG", "mnuCB", "mnuCRGB", "mnuCrgbWOParentes", "mnuCRGBComma"};
    for (const char* item : items) {
        menu_->Load();
        menu_->Click(item);
        EXPECT_FALSE(menu_->Loaded()) << item;
    }
    const std::vector<std::string> texts{"255", "128", "0", "2551280", "255, 128, 0", "RGB(255, 128, 0)"};
    EXPECT_EQ(got_.inserted, texts);
    EXPECT_EQ(got_.copied, texts);
}

TEST_F(FormatMenuTest, PickedWithTheKeyboardInsideTheModalLoop) {
    main().txtR->SetText("007");
    // Down to "Insert", right into it, down to "Blue"... here: the last item, RGB(...).
    Pick({VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN});
    EXPECT_EQ(got_.inserted, (std::vector<std::string>{"RGB(007, 255, 255)"}));
    EXPECT_FALSE(menu_->Loaded());
    // Up wraps to "Edit formats...", once more to "Copy"; its first item is the Red format.
    Pick({VK_UP, VK_UP, VK_RIGHT, VK_RETURN});
    EXPECT_EQ(got_.copied, (std::vector<std::string>{"007"}));
}

TEST_F(FormatMenuTest, EscapeDeliversNothingAndKeepsTheFormLoaded) {
    Pick({VK_ESCAPE});
    EXPECT_TRUE(got_.inserted.empty());
    EXPECT_TRUE(got_.copied.empty());
    EXPECT_TRUE(menu_->Loaded());
}

} // namespace hv::test
