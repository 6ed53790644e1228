// The preview's menu on the controls selected in the host's form designer: colours read from
// the first one, applied to all that have the property, the last apply undone; in the VB6 IDE
// and (IDEHOST_MODE=vba) the VBA editor. What each control has is the host's model.
#include "code_pane_fixture.h"
#include "colour/colour_state.h"
#include "connect_fixture.h"
#include "form_fixture.h"
#include "host/dispatch.h"
#include "ide/form_colours.h"
#include <algorithm>
#include <map>
#include <set>

namespace hv::test {

using output::FormColours;

class FormColoursTest : public CodePaneTest, public FormFixture {
  protected:
    void SetUp() override {
        CodePaneTest::SetUp();
        AddTestForm(*ide_);
    }
    struct Shown {
        std::vector<std::wstring> from, apply; // item captions
        bool fromOn = false, applyOn = false, undoOn = false;
    };
    // The menu's form items as the preview's menu would show them now.
    Shown Menu() {
        HMENU m = CreatePopupMenu();
        main_->formColours()->AppendTo(m);
        Shown s;
        EXPECT_EQ(GetMenuItemCount(m), 4);
        EXPECT_TRUE(GetMenuState(m, 0, MF_BYPOSITION) & MF_SEPARATOR);
        auto items = [&](int pos, std::vector<std::wstring>& out, bool& on) {
            wchar_t text[128];
            GetMenuStringW(m, pos, text, 128, MF_BYPOSITION);
            EXPECT_STREQ(text,
                         pos == 1 ? L"Color from selected control" : L"Apply to selected controls");
            on = !(GetMenuState(m, pos, MF_BYPOSITION) & MF_GRAYED);
            HMENU sub = GetSubMenu(m, pos);
            for (int i = 0; sub && i < GetMenuItemCount(sub); ++i) {
                GetMenuStringW(sub, i, text, 128, MF_BYPOSITION);
                out.push_back(text);
                ids_[(pos == 1 ? L"from " : L"apply ") +
                     out.back().substr(0, out.back().find(L' '))] = GetMenuItemID(sub, i);
            }
        };
        items(1, s.from, s.fromOn);
        items(2, s.apply, s.applyOn);
        wchar_t text[64];
        GetMenuStringW(m, 3, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, L"Undo apply");
        s.undoOn = !(GetMenuState(m, 3, MF_BYPOSITION) & MF_GRAYED);
        DestroyMenu(m);
        return s;
    }
    // Opens the menu and chooses "from BackColor", "apply ForeColor", or "undo".
    void Choose(const std::wstring& item) {
        ids_.clear();
        const bool undo = item == L"undo";
        Menu();
        const UINT id = undo ? FormColours::kUndoId : ids_[item];
        ASSERT_TRUE(undo || id) << "no item " << item.c_str();
        EXPECT_TRUE(main_->formColours()->Choose(id));
    }
    void Current(ColorValue c) { colour::SetCurrentColor(main_->fields(), c); }
    void SelectOnly(std::initializer_list<size_t> controls) {
        bool first = true;
        for (size_t i : controls) {
            ClickOn(i, first ? 0 : MK_SHIFT);
            first = false;
        }
    }
    long Value(size_t i, const wchar_t* p) { return C(i).Colour(p)->value; }
    bool Has(size_t i, const wchar_t* p) { return C(i).Colour(p) != nullptr; }
    // Every colour of every control, to see that nothing else changed.
    std::vector<long> All() {
        std::vector<long> v;
        for (auto& c : form_->model().controls)
            for (auto& p : c.colours)
                v.push_back(p.value);
        return v;
    }
    std::map<std::wstring, UINT> ids_;
};

TEST_F(FormColoursTest, ReadsTheFirstSelectedAndOffersWhatAnySelectedHas) {
    C(1).Colour(L"BackColor")->value = 0xC0FFC0;
    SelectOnly({1, 2, 0});
    const Shown s = Menu();
    ASSERT_TRUE(s.fromOn);
    ASSERT_TRUE(s.applyOn);
    EXPECT_FALSE(s.undoOn);
    // The button's own colours, each with its code; a system colour as VB writes it.
    std::vector<std::wstring> from;
    for (auto& p : C(1).colours) {
        wchar_t code[16];
        wsprintfW(code, L"&H%08X&", static_cast<unsigned>(p.value));
        from.push_back(std::wstring(p.name) + L"  " + code);
    }
    std::sort(from.begin(), from.end());
    std::vector<std::wstring> shown = s.from;
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, from);
    EXPECT_NE(std::find(s.from.begin(), s.from.end(), L"BackColor  &H00C0FFC0&"), s.from.end());
    // Apply: every property one of the three has, once.
    std::set<std::wstring> any;
    for (size_t i : {0, 1, 2})
        for (auto& p : C(i).colours)
            any.insert(p.name);
    EXPECT_EQ(std::set<std::wstring>(s.apply.begin(), s.apply.end()), any);
    EXPECT_EQ(s.apply.size(), any.size());
}

TEST_F(FormColoursTest, AppliesToThoseThatHaveItAndTellsOnceHowManyWereSkipped) {
    SelectOnly({0, 1, 2, 3});
    // ForeColor: the label and the text box have it in both editors, the image in neither.
    std::vector<long> before = All();
    Current(RGBColor(255, 0, 0));
    MessageBoxes boxes;
    Choose(L"apply ForeColor");
    size_t skipped = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (Has(i, L"ForeColor"))
            EXPECT_EQ(Value(i, L"ForeColor"), 0xFF) << i;
        else
            ++skipped;
    }
    ASSERT_GE(skipped, 1u);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"Selected controls without ForeColor, left as they were: " +
                                        std::to_wstring(skipped) + L".");
    // Nothing else changed: no other property, no other control.
    std::vector<long> after = All(), expected = before;
    size_t at = 0;
    for (auto& c : form_->model().controls)
        for (auto& p : c.colours) {
            if (std::wstring(p.name) == L"ForeColor") expected[at] = 0xFF;
            ++at;
        }
    EXPECT_EQ(after, expected);

    // BackColor on the label and the text box alone: all have it, nothing is said.
    SelectOnly({0, 3});
    Choose(L"apply BackColor");
    EXPECT_EQ(Value(0, L"BackColor"), 0xFF);
    EXPECT_EQ(Value(3, L"BackColor"), 0xFF);
    EXPECT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(form_->model().changed, true) << "the form is marked changed";
}

TEST_F(FormColoursTest, SystemColoursStaySystemColours) {
    C(0).Colour(L"BackColor")->value = static_cast<long>(0x8000000F);
    C(3).Colour(L"BackColor")->value = 0x123456;
    SelectOnly({0, 3});
    const Shown s = Menu();
    EXPECT_EQ(s.from.front(), L"BackColor  &H8000000F&");
    Choose(L"from BackColor");
    // Shown as it looks now, kept as the system colour.
    EXPECT_EQ(main_->picCurrentCol->BackColor(), SystemColor(COLOR_BTNFACE));
    EXPECT_EQ(main_->txtColorCode->Text(), ColorCodeText(SystemColor(COLOR_BTNFACE)));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(main_->txtR->Text(), std::to_string(GetRValue(face)));
    EXPECT_EQ(main_->txtB->Text(), std::to_string(GetBValue(face)));
    Choose(L"apply BackColor");
    EXPECT_EQ(Value(3, L"BackColor"), static_cast<long>(0x8000000F));

    // And the label's system fore colour, read and applied as it is.
    Choose(L"from ForeColor");
    EXPECT_EQ(main_->picCurrentCol->BackColor(), SystemColor(0x12));
    Choose(L"apply ForeColor");
    EXPECT_EQ(Value(3, L"ForeColor"), static_cast<long>(0x80000012));
}

TEST_F(FormColoursTest, UndoPutsBackExactlyWhatTheLastApplyReplaced) {
    C(0).Colour(L"BackColor")->value = static_cast<long>(0x80000005);
    C(1).Colour(L"BackColor")->value = 0x00ABCDEF;
    C(3).Colour(L"BackColor")->value = 0;
    SelectOnly({0, 1, 2, 3});
    Current(RGBColor(0, 0, 255));
    MessageBoxes boxes; // the image may lack BackColor
    Choose(L"apply BackColor");
    EXPECT_EQ(Value(1, L"BackColor"), 0xFF0000);
    Current(RGBColor(0, 255, 0));
    Choose(L"apply BackColor"); // the last apply is what undo puts back
    EXPECT_EQ(Value(0, L"BackColor"), 0x00FF00);
    EXPECT_TRUE(Menu().undoOn);

    // The selection changed since: undo still puts back the controls the apply changed.
    SelectOnly({2});
    Choose(L"undo");
    EXPECT_EQ(Value(0, L"BackColor"), 0xFF0000);
    EXPECT_EQ(Value(1, L"BackColor"), 0xFF0000);
    EXPECT_EQ(Value(3, L"BackColor"), 0xFF0000);
    EXPECT_FALSE(Menu().undoOn);

    // One apply undone: the values from before it, system colours included.
    C(0).Colour(L"BackColor")->value = static_cast<long>(0x80000005);
    C(1).Colour(L"BackColor")->value = 0x00ABCDEF;
    C(3).Colour(L"BackColor")->value = 0;
    SelectOnly({0, 1, 3});
    Choose(L"apply BackColor");
    Choose(L"undo");
    EXPECT_EQ(Value(0, L"BackColor"), static_cast<long>(0x80000005));
    EXPECT_EQ(Value(1, L"BackColor"), 0x00ABCDEF);
    EXPECT_EQ(Value(3, L"BackColor"), 0);
}

TEST_F(FormColoursTest, DisabledWithoutSelectionDesignerOrForm) {
    // Nothing selected.
    Shown s = Menu();
    EXPECT_FALSE(s.fromOn);
    EXPECT_FALSE(s.applyOn);
    EXPECT_FALSE(s.undoOn);
    EXPECT_TRUE(s.from.empty() && s.apply.empty());

    // A code module selected.
    SelectOnly({0});
    pane_->Show();
    s = Menu();
    EXPECT_FALSE(s.fromOn || s.applyOn);

    // The designer closed, the form still selected: Designer is not even asked, so the
    // editors make no hidden designer.
    for (auto p : ide_->panes())
        SendMessageW(p->window(), WM_CLOSE, 0, 0);
    SendMessageW(form_->window(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_FALSE(form_->window());
    ASSERT_TRUE(SelectedComponent());
    s = Menu();
    EXPECT_FALSE(s.fromOn || s.applyOn);
    EXPECT_FALSE(form_->window()) << "a hidden designer was made";

    // No IDE at all.
    main_->SetVBInstance(nullptr);
    s = Menu();
    EXPECT_FALSE(s.fromOn || s.applyOn);
}

TEST_F(FormColoursTest, OneControlRefusingLeavesTheOthersSetAndTellsTheUser) {
    C(1).refusesWrites = true;
    const long kept = Value(1, L"BackColor");
    SelectOnly({0, 1, 3});
    Current(RGBColor(255, 0, 0));
    MessageBoxes boxes;
    Choose(L"apply BackColor");
    EXPECT_EQ(Value(0, L"BackColor"), 0xFF);
    EXPECT_EQ(Value(1, L"BackColor"), kept);
    EXPECT_EQ(Value(3, L"BackColor"), 0xFF);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_NE(boxes.seen()[0].text.find(L"failed"), std::wstring::npos) << boxes.seen()[0].text;
    // Undo puts back the two it changed.
    C(1).refusesWrites = false;
    Choose(L"undo");
    EXPECT_EQ(Value(0, L"BackColor"), static_cast<long>(0x8000000F));
    EXPECT_EQ(Value(3, L"BackColor"), static_cast<long>(0x80000005));
    EXPECT_EQ(Value(1, L"BackColor"), kept);
}

// Controls inside a Frame or a MultiPage's page: the VBA editor's selection holds the
// container, the add-in looks inside; the VB6 designer lists them as they are.
TEST_F(FormColoursTest, ActsOnTheControlsInsideASelectedContainer) {
    OpenNestedForm(*ide_);
    const size_t frame = Named(L"Frame1"), label = Named(L"Label2");
    const long frameBack = Value(frame, L"BackColor");
    C(label).Colour(L"BackColor")->value = 0x0000C0;
    ClickOn(label);
    ASSERT_EQ(form_->selection(), std::vector<size_t>{label});
    Shown s = Menu();
    EXPECT_NE(std::find(s.from.begin(), s.from.end(), L"BackColor  &H000000C0&"), s.from.end());
    Current(RGBColor(0, 255, 0));
    Choose(L"apply BackColor");
    EXPECT_EQ(Value(label, L"BackColor"), 0x00FF00);
    EXPECT_EQ(Value(frame, L"BackColor"), frameBack) << "the container was set";
    if (ide_->options().vba) {
        const size_t inner = Named(L"Label3"), pages = Named(L"MultiPage1");
        const long pagesBack = Value(pages, L"BackColor");
        ClickOn(inner);
        Choose(L"apply BackColor");
        EXPECT_EQ(Value(inner, L"BackColor"), 0x00FF00);
        EXPECT_EQ(Value(pages, L"BackColor"), pagesBack);
    }
    // The Frame itself selected: it is the control.
    ClickOn(frame);
    Current(RGBColor(0, 0, 255));
    Choose(L"apply BackColor");
    EXPECT_EQ(Value(frame, L"BackColor"), 0xFF0000);
    EXPECT_EQ(Value(label, L"BackColor"), 0x00FF00);
}

// The VBA editor's components have no IsDirty, and a read-only Saved its designer's writes
// clear; VB6's form is marked through IsDirty.
TEST_F(FormColoursTest, TheFormCountsAsChangedAndTheVbaEditorIsNotAskedForIsDirty) {
    auto component = SelectedComponent();
    const bool vba = ide_->options().vba;
    Variant saved;
    if (vba) {
        ASSERT_FALSE(rt::Get(component.Get(), L"Saved", {}, &saved));
        EXPECT_EQ(saved.raw().boolVal, VARIANT_TRUE);
        EXPECT_EQ(rt::Put(component.Get(), L"Saved", true).number, DISP_E_MEMBERNOTFOUND);
    }
    host::DispatchObject::UnknownNames().clear();
    SelectOnly({0, 3});
    Choose(L"apply BackColor");
    Choose(L"undo");
    EXPECT_TRUE(form_->model().changed);
    const auto& asked = host::DispatchObject::UnknownNames();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), L"VBComponent.IsDirty"), 0);
    if (vba) {
        ASSERT_FALSE(rt::Get(component.Get(), L"Saved", {}, &saved));
        EXPECT_EQ(saved.raw().boolVal, VARIANT_FALSE);
    }
}

// A property page (as a user control and a user document) has a designer with controls.
TEST_F(FormColoursTest, APropertyPageIsAForm) {
    if (ide_->options().vba) GTEST_SKIP() << "VB6's own component";
    OpenSaved(*ide_,
              "VERSION 5.00\r\nBegin VB.PropertyPage Page1\r\nBegin VB.Label Label1\r\n"
              "Left = 120\r\nTop = 120\r\nWidth = 900\r\nHeight = 600\r\nEnd\r\nEnd\r\n",
              L".pag");
    EXPECT_EQ(Long(SelectedComponent().Get(), L"Type"), 7);
    ClickOn(0);
    Current(RGBColor(255, 0, 0));
    Choose(L"apply BackColor");
    EXPECT_EQ(Value(0, L"BackColor"), 0xFF);
}

// Refused everywhere (a locked project, run mode): the IDE's reason once, and no control
// claimed as set.
TEST_F(FormColoursTest, ARefusalIsToldOnceWithWhatWasSet) {
    for (size_t i : {0, 1, 3})
        C(i).refusesWrites = true;
    SelectOnly({0, 1, 3});
    MessageBoxes boxes;
    Choose(L"apply BackColor");
    ASSERT_EQ(boxes.seen().size(), 1u);
    const std::wstring& text = boxes.seen()[0].text;
    EXPECT_EQ(text.find(L"failed"), text.rfind(L"failed")) << text;
    EXPECT_NE(text.find(L"Label1, Command1 and Text1"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"No control was changed."), std::wstring::npos) << text;
    EXPECT_FALSE(Menu().undoOn);
}

// A running project refuses every put: the IDE's reason once, the undo left empty; the
// same project stopped takes the colour.
TEST_F(FormColoursTest, ARunningProjectsRefusalIsToldOnce) {
    host::IdeOptions options;
    options.running = true;
    Restart(options);
    AddTestForm(*ide_);
    SelectOnly({0, 3});
    MessageBoxes boxes;
    Choose(L"apply BackColor");
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"BackColor could not be set on Label1 and Text1: Can't "
                                    L"perform requested operation\r\nNo control was changed.");
    EXPECT_FALSE(Menu().undoOn);
}

// Undo puts back only what still has the applied colour, and tells what it left: a control
// deleted since (Del in the designer), a value changed since.
TEST_F(FormColoursTest, UndoLeavesWhatWasDeletedOrChangedSinceAndSaysSo) {
    const long label = Value(0, L"BackColor");
    SelectOnly({0, 1, 3});
    Current(RGBColor(255, 0, 0));
    Choose(L"apply BackColor");
    C(3).Colour(L"BackColor")->value = 0x00FF00; // the Properties window, say
    SelectOnly({1});
    SendMessageW(form_->window(), WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_EQ(form_->model().controls.size(), 3u);
    MessageBoxes boxes;
    Choose(L"undo");
    EXPECT_EQ(Value(0, L"BackColor"), label);
    EXPECT_EQ(Value(2, L"BackColor"), 0x00FF00) << "Text1 was changed since";
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"Deleted since the apply: Command1.\r\n"
                                    L"Changed since the apply, left as they are: Text1.\r\n"
                                    L"Put back on Label1.");

    // The designer closed: the undo is gone with it, even once it is open again.
    SelectOnly({0});
    Choose(L"apply BackColor");
    EXPECT_TRUE(Menu().undoOn);
    SendMessageW(form_->window(), WM_CLOSE, 0, 0);
    PumpMessages();
    form_->Open();
    PumpMessages();
    EXPECT_FALSE(Menu().undoOn);
    EXPECT_EQ(Value(0, L"BackColor"), 0xFF);
}

// The preview's real right-click menu, driven with the keyboard inside its modal loop.
TEST_F(FormColoursTest, ARightClickOnThePreviewAppliesTheCurrentColour) {
    SelectOnly({0, 3});
    Current(RGBColor(255, 0, 0));
    const int own = GetMenuItemCount(main_->codeMenu()->menu().handle());
    RunLater guard(5000, [] { EndMenu(); }); // never hang the run if the keys go astray
    // Color from code, Replace color in code, (separator), Color from selected control,
    // Apply to selected controls: its first item, BackColor.
    ModalAnswer answer(
        [&](HWND) {
            for (WORD k : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN})
                SendKey(k);
        },
        "#32768");
    const HWND preview = main_->picCurrentCol->hwnd();
    SendMessageA(preview, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(preview, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(answer.answered());
    PumpMessages();
    EXPECT_EQ(Value(0, L"BackColor"), 0xFF);
    EXPECT_EQ(Value(3, L"BackColor"), 0xFF);
    EXPECT_EQ(GetMenuItemCount(main_->codeMenu()->menu().handle()), own) << "the form items went";
    EXPECT_EQ(PixelIn(3), RGB(255, 0, 0));
}

} // namespace hv::test
