// The host's form designer: what it draws and selects, the object models it answers as the
// VB6 IDE (VBForm, VBControl, Properties) and the VBA editor (UserForm, MSForms controls) do,
// and the .frm it saves.
#include "form_fixture.h"
#include "host_fixture.h"

namespace hv::test {

namespace {
std::string FileText(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    std::string s;
    char buf[4096];
    DWORD got = 0;
    while (f != INVALID_HANDLE_VALUE && ReadFile(f, buf, sizeof buf, &got, nullptr) && got)
        s.append(buf, got);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    return s;
}
} // namespace

class FormDesignerTest : public HostTest, public FormFixture {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        AddTestForm(*ide_);
    }
};

TEST_F(FormDesignerTest, DrawsEachControlInItsColours) {
    C(0).Colour(L"BackColor")->value = 0x0000FF;
    C(1).Colour(L"BackColor")->value = 0x00FF00;
    C(3).Colour(L"BackColor")->value = static_cast<long>(0x80000005);
    form_->model().backColor = 0xFF0000;
    form_->Redraw();
    EXPECT_EQ(PixelIn(0), RGB(255, 0, 0));
    EXPECT_EQ(PixelIn(1), RGB(0, 255, 0));
    EXPECT_EQ(PixelIn(3), GetSysColor(COLOR_WINDOW)); // a system colour, as it looks now
    const RECT r = form_->ControlRect(0);
    EXPECT_EQ(Pixel(r.right + 4, r.bottom + 4), RGB(0, 0, 255)) << "the form around it";

    C(0).Colour(L"BackColor")->value = 0x00FFFF;
    form_->Redraw();
    EXPECT_EQ(PixelIn(0), RGB(255, 255, 0));
}

TEST_F(FormDesignerTest, ClickSelectsOneShiftClickAddsAndRemoves) {
    ClickOn(1);
    EXPECT_EQ(form_->selection(), (std::vector<size_t>{1}));
    ClickOn(3, MK_SHIFT);
    ClickOn(0, MK_CONTROL);
    EXPECT_EQ(form_->selection(), (std::vector<size_t>{1, 3, 0}));
    ClickOn(3, MK_SHIFT);
    EXPECT_EQ(form_->selection(), (std::vector<size_t>{1, 0}));
    ClickOn(2);
    EXPECT_EQ(form_->selection(), (std::vector<size_t>{2}));
    // A click on the form itself: nothing selected.
    const RECT r = form_->ControlRect(3);
    SendMessageW(form_->window(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(r.left + 4, r.bottom + 30));
    EXPECT_TRUE(form_->selection().empty());
}

TEST_F(FormDesignerTest, SelectedVBComponentIsTheActiveDesignersForm) {
    auto component = SelectedComponent();
    ASSERT_TRUE(component);
    EXPECT_EQ(Text(component.Get(), L"Name"), L"Form1");
    EXPECT_EQ(Long(component.Get(), L"Type"), ide_->options().vba ? 3 : 5);
    Variant isOpen;
    ASSERT_FALSE(rt::Get(component.Get(), L"HasOpenDesigner", {}, &isOpen));
    EXPECT_EQ(isOpen.raw().boolVal, VARIANT_TRUE);

    // A code pane made active: its module, which has no designer.
    auto pane = ide_->NewModule();
    pane->Show();
    auto module = SelectedComponent();
    EXPECT_EQ(Long(module.Get(), L"Type"), 1);
    ComPtr<IDispatch> designer;
    EXPECT_FALSE(rt::GetObject(module.Get(), L"Designer", {}, designer));
    EXPECT_FALSE(designer);
    // The Project Explorer keeps the form once no window is left.
    SendMessageW(pane->window(), WM_CLOSE, 0, 0);
    for (auto p : ide_->panes())
        SendMessageW(p->window(), WM_CLOSE, 0, 0);
    SendMessageW(form_->window(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_FALSE(form_->window());
    component = SelectedComponent();
    EXPECT_EQ(Text(component.Get(), L"Name"), L"Form1");
    ASSERT_FALSE(rt::Get(component.Get(), L"HasOpenDesigner", {}, &isOpen));
    EXPECT_EQ(isOpen.raw().boolVal, VARIANT_FALSE);
    EXPECT_FALSE(form_->window()) << "asking HasOpenDesigner opens nothing";

    // Designer makes a hidden one, as the editors do; that one is not open.
    EXPECT_TRUE(Object(component.Get(), L"Designer"));
    ASSERT_TRUE(form_->window());
    EXPECT_FALSE(IsWindowVisible(form_->window()));
    ASSERT_FALSE(rt::Get(component.Get(), L"HasOpenDesigner", {}, &isOpen));
    EXPECT_EQ(isOpen.raw().boolVal, VARIANT_FALSE);

    // The project selected in the Project window: no component.
    ide_->SelectProject();
    EXPECT_FALSE(SelectedComponent());
    form_->Open();
    EXPECT_TRUE(SelectedComponent());
}

// Controls inside containers, read from a saved form: the VBA editor's UserForm.Selected
// holds the container, whose own Selected and ActiveControl hold the control; VB6 lists the
// control itself. The objects of a deleted control or a closed designer are dead; VB6's
// Properties lists every property.
TEST_F(FormDesignerTest, ContainersDeletedControlsAndClosedDesignersAnswerAsTheEditors) {
    OpenNestedForm(*ide_);
    const bool vba = ide_->options().vba;
    ClickOn(Named(L"Label2"));
    auto designer = Object(SelectedComponent().Get(), L"Designer");
    auto selected = Object(designer.Get(), vba ? L"Selected" : L"SelectedVBControls");
    ASSERT_EQ(Long(selected.Get(), L"Count"), 1);
    auto item = Object(selected.Get(), L"Item", {0});
    Variant v;
    if (vba) {
        EXPECT_EQ(Text(item.Get(), L"Name"), L"Frame1");
        auto inner = Object(item.Get(), L"Selected");
        ASSERT_EQ(Long(inner.Get(), L"Count"), 1);
        EXPECT_EQ(Text(Object(inner.Get(), L"Item", {0}).Get(), L"Name"), L"Label2");
        EXPECT_EQ(Text(Object(item.Get(), L"ActiveControl").Get(), L"Name"), L"Label2");
        // On a MultiPage's page: the MultiPage, its selected page, the control.
        ClickOn(Named(L"Label3"));
        item = Object(selected.Get(), L"Item", {0});
        EXPECT_EQ(Text(item.Get(), L"Name"), L"MultiPage1");
        auto page = Object(item.Get(), L"SelectedItem");
        EXPECT_EQ(Text(page.Get(), L"Name"), L"Page1");
        EXPECT_EQ(Text(Object(Object(page.Get(), L"Selected").Get(), L"Item", {0}).Get(),
                       L"Name"),
                  L"Label3");
        EXPECT_EQ(Long(Object(designer.Get(), L"Controls").Get(), L"Count"), 4);
        // The second tab clicked: its page is shown, Label3 with the first one is not.
        const RECT tabs = form_->ControlRect(Named(L"MultiPage1"));
        const RECT label3 = form_->ControlRect(Named(L"Label3"));
        SendMessageW(form_->window(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(tabs.left + 90, tabs.top + 8));
        EXPECT_EQ(Text(Object(item.Get(), L"SelectedItem").Get(), L"Name"), L"Page2");
        SendMessageW(form_->window(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(label3.left + 4, label3.top + 4));
        EXPECT_EQ(form_->selection(), std::vector<size_t>{Named(L"MultiPage1")});
        SendMessageW(form_->window(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(tabs.left + 20, tabs.top + 8));
        ClickOn(Named(L"Label2"));
        item = Object(Object(Object(selected.Get(), L"Item", {0}).Get(), L"Selected").Get(),
                      L"Item", {0});
    } else {
        auto properties = Object(item.Get(), L"Properties");
        EXPECT_EQ(Long(properties.Get(), L"Count"), 8); // Name, Caption, 4 places, 2 colours
        EXPECT_EQ(Text(Object(properties.Get(), L"Item", {L"Name"}).Get(), L"Value"), L"Label2");
        ASSERT_FALSE(
            rt::Get(Object(properties.Get(), L"Item", {L"Left"}).Get(), L"Value", {}, &v));
        EXPECT_EQ(v.vt(), VT_R4);
        EXPECT_EQ(v.raw().fltVal, 240.0f);
    }
    // Deleted: its object answers DISP_E_BADCALLEE, without a description.
    SendMessageW(form_->window(), WM_KEYDOWN, VK_DELETE, 0);
    rt::CallError e = rt::Get(item.Get(), vba ? L"BackColor" : L"ClassName", {}, &v);
    EXPECT_EQ(e.number, DISP_E_BADCALLEE);
    EXPECT_TRUE(e.description.empty());
    if (vba) { // a container goes with what it holds
        ClickOn(Named(L"MultiPage1"));
        SendMessageW(form_->window(), WM_KEYDOWN, VK_DELETE, 0);
        ASSERT_EQ(form_->model().controls.size(), 1u);
        EXPECT_EQ(C(0).name, L"Frame1");
    }
    // The designer closed and opened again: the objects of the first are dead.
    SendMessageW(form_->window(), WM_CLOSE, 0, 0);
    PumpMessages();
    form_->Open();
    EXPECT_EQ(rt::Get(selected.Get(), L"Count", {}, &v).number, DISP_E_BADCALLEE);
}

// Property pages, user controls and user documents have designers, as forms do.
TEST_F(FormDesignerTest, PagesUserControlsAndDocumentsOpenWithTheirTypes) {
    if (ide_->options().vba) GTEST_SKIP() << "VB6's own components";
    const std::pair<const wchar_t*, long> kinds[] = {
        {L".pag", 7}, {L".ctl", 8}, {L".dob", 9}};
    const char* classes[] = {"PropertyPage", "UserControl", "UserDocument"};
    for (int i = 0; i < 3; ++i) {
        OpenSaved(*ide_, std::string("VERSION 5.00\r\nBegin VB.") + classes[i] + " X\r\nEnd\r\n",
                  kinds[i].first);
        auto component = SelectedComponent();
        EXPECT_EQ(Long(component.Get(), L"Type"), kinds[i].second);
        EXPECT_TRUE(Object(component.Get(), L"Designer"));
    }
}

TEST_F(FormDesignerTest, SelectedControlsCountFromZeroAndRefuseWhatTheyLack) {
    ClickOn(2);
    ClickOn(0, MK_SHIFT);
    auto designer = Object(SelectedComponent().Get(), L"Designer");
    const bool vba = ide_->options().vba;
    ComPtr<IDispatch> selected;
    ASSERT_FALSE(
        rt::GetObject(designer.Get(), vba ? L"Selected" : L"SelectedVBControls", {}, selected));
    // Each editor's designer has its own member only.
    ComPtr<IDispatch> other;
    EXPECT_EQ(
        rt::GetObject(designer.Get(), vba ? L"SelectedVBControls" : L"Selected", {}, other).number,
        DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Long(selected.Get(), L"Count"), 2);
    ComPtr<IDispatch> control;
    EXPECT_EQ(rt::GetObject(selected.Get(), L"Item", {2}, control).number, host::kErrSubscript);
    control = Object(selected.Get(), L"Item", {1}); // the second selected: Label1
    Variant v;
    if (vba) {
        EXPECT_EQ(Text(control.Get(), L"Name"), L"Label1");
        EXPECT_EQ(Long(control.Get(), L"ForeColor"), static_cast<long>(0x80000012));
        ASSERT_FALSE(rt::Put(control.Get(), L"BackColor", 255L));
        EXPECT_EQ(C(0).Colour(L"BackColor")->value, 255);
        EXPECT_TRUE(form_->model().changed);
        // No Properties collection, and no member for what the class lacks.
        EXPECT_EQ(rt::Get(control.Get(), L"Properties", {}, &v).number, DISP_E_UNKNOWNNAME);
        EXPECT_EQ(rt::Get(control.Get(), L"MaskColor", {}, &v).number, DISP_E_UNKNOWNNAME);
    } else {
        auto properties = Object(control.Get(), L"Properties");
        auto fore = Object(properties.Get(), L"Item", {L"forecolor"});
        EXPECT_EQ(Text(fore.Get(), L"Name"), L"ForeColor");
        ASSERT_FALSE(rt::Get(fore.Get(), L"Value", {}, &v));
        EXPECT_EQ(v.vt(), VT_I4);
        EXPECT_EQ(v.raw().lVal, static_cast<long>(0x80000012));
        auto back = Object(properties.Get(), L"Item", {L"BackColor"});
        ASSERT_FALSE(rt::Put(back.Get(), L"Value", 255L));
        EXPECT_EQ(C(0).Colour(L"BackColor")->value, 255);
        EXPECT_FALSE(form_->model().changed) << "Properties leaves the marking to the caller";
        ComPtr<IDispatch> missing;
        EXPECT_TRUE(rt::GetObject(properties.Get(), L"Item", {L"MaskColor"}, missing));
        EXPECT_TRUE(rt::GetObject(properties.Get(), L"Item", {L"X"}, missing));
        // Not a colour: refused, the value kept.
        EXPECT_EQ(rt::Put(back.Get(), L"Value", static_cast<long>(0x81000000)).number,
                  host::VbError(380));
        EXPECT_EQ(rt::Put(back.Get(), L"Value", L"red").number, host::VbError(380));
        EXPECT_EQ(C(0).Colour(L"BackColor")->value, 255);
        auto component = SelectedComponent();
        ASSERT_FALSE(rt::Put(component.Get(), L"IsDirty", true));
        EXPECT_TRUE(form_->model().changed);
    }
    // Closed, the form's objects answer that they are gone.
    ide_->Close();
    EXPECT_EQ(rt::Get(selected.Get(), L"Count", {}, &v).number, RPC_E_DISCONNECTED);
}

// A protected project and a running one refuse a designer's property puts as they refuse
// code writes, with the editors' errors.
TEST_F(FormDesignerTest, AProtectedOrRunningProjectRefusesPropertyPuts) {
    for (const bool running : {false, true}) {
        host::IdeOptions options;
        (running ? options.running : options.locked) = true;
        Open(options);
        AddTestForm(*ide_);
        ClickOn(0);
        auto designer = Object(SelectedComponent().Get(), L"Designer");
        const bool vba = ide_->options().vba;
        auto control = Object(Object(designer.Get(), vba ? L"Selected" : L"SelectedVBControls").Get(),
                              L"Item", {0});
        const rt::CallError e =
            vba ? rt::Put(control.Get(), L"BackColor", 255L)
                : rt::Put(Object(Object(control.Get(), L"Properties").Get(), L"Item",
                                 {L"BackColor"}).Get(),
                          L"Value", 255L);
        EXPECT_EQ(e.number, host::VbError(running ? 17 : 50289));
        EXPECT_NE(C(0).Colour(L"BackColor")->value, 255);
    }
}

TEST_F(FormDesignerTest, SavesAndReadsTheFormAsVb6WritesIt) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"hv_designer_test.frm";
    C(1).Colour(L"BackColor")->value = 0x0000FF;
    C(0).Colour(L"ForeColor")->value = static_cast<long>(0x80000008);
    C(0).others.emplace_back(L"TabIndex", L"3");
    form_->model().changed = true;
    ASSERT_TRUE(form_->Save(path));
    EXPECT_FALSE(form_->model().changed);
    const std::string text = FileText(path);
    // Inside the button's block, sorted by name, at the class's defaults left out.
    const auto begin = text.find("   Begin " + std::string(ide_->options().vba ? "MSForms" : "VB") +
                                 ".CommandButton Command1\r\n");
    ASSERT_NE(begin, std::string::npos) << text;
    const auto end = text.find("   End\r\n", begin);
    const std::string block = text.substr(begin, end - begin);
    EXPECT_NE(block.find("\r\n      BackColor       =   &H000000FF&\r\n"), std::string::npos)
        << block;
    EXPECT_LT(block.find("BackColor"), block.find("Caption"));
    EXPECT_EQ(block.find("MaskColor"), std::string::npos) << "a default is not written";
    EXPECT_NE(text.find("      ForeColor       =   &H80000008&\r\n"), std::string::npos);
    EXPECT_NE(text.find("      TabIndex        =   3\r\n"), std::string::npos);
    EXPECT_NE(text.find("Attribute VB_Name = \"Form1\""), std::string::npos);

    // Read back: the same form, written the same way.
    auto again = ide_->OpenForm(path);
    ASSERT_TRUE(again);
    ASSERT_EQ(again->model().controls.size(), form_->model().controls.size());
    EXPECT_EQ(again->model().controls[1].Colour(L"BackColor")->value, 0xFF);
    EXPECT_EQ(host::FormText(again->model()), host::FormText(form_->model()));
    DeleteFileW(path.c_str());
    EXPECT_FALSE(ide_->OpenForm(path)) << "a missing file";
}

} // namespace hv::test
