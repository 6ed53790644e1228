// The project's colours read from the host (a module and two forms, one with its designer
// closed), replaced in every use and undone, in the VB6 IDE and (IDEHOST_MODE=vba) the VBA
// editor; and the window opened from the preview's menu.
#include "code_pane_fixture.h"
#include "colour/colour_state.h"
#include "form_fixture.h"
#include "forms/frm_project_colours.h"
#include "ide/project_edit.h"
#include "ide/project_read.h"

namespace hv::test {

namespace {
const wchar_t kCode[] = L"Sub Paint()\r\n"
                        L"    Label1.ForeColor = &HFF&: s = \"vbRed\" ' vbBlue\r\n"
                        L"    Label1.BackColor = RGB(255, 0, 0) + vbButtonFace\r\n"
                        L"End Sub";
constexpr ColorValue kRed = RGBColor(255, 0, 0), kBlue = RGBColor(0, 0, 255);
} // namespace

class ProjectColoursTest : public CodePaneTest, public FormFixture {
  protected:
    void SetUp() override {
        CodePaneTest::SetUp();
        SetCode(*pane_, kCode);
        AddTestForm(*ide_); // open in its designer
        C(0).Colour(L"ForeColor")->value = kRed;
        C(0).Colour(L"BackColor")->value = RGBColor(255, 255, 255);
        host::FormModel closed;
        closed.name = L"Form2";
        closed.controls.push_back(host::NewControl(host::ControlKind::Label, L"Label9", VbaMode()));
        closed.controls[0].Colour(L"BackColor")->value = kRed;
        form2_ = ide_->AddForm(closed); // never opened
    }
    std::vector<std::wstring> Uses(ColorValue c, const output::ProjectRead& r) {
        std::vector<std::wstring> out;
        for (const ColourUse& u : r.uses)
            if (u.value == c) out.push_back(UseText(u));
        return out;
    }
    std::shared_ptr<host::FormDesigner> form2_;
};

TEST_F(ProjectColoursTest, ReadReplaceAndUndoEveryUseThroughTheObjectModel) {
    output::ProjectRead read(vbe_.Get());
    while (read.Next()) {
    }
    EXPECT_EQ(read.failures, L"");
    // Modules first, then the forms: the literals, then the controls' properties; the string
    // and the comment are no uses, the system colour is its own.
    const std::wstring module = pane_->name();
    EXPECT_EQ(Uses(kRed, read),
              (std::vector<std::wstring>{
                  module + L" (2): Label1.ForeColor = &HFF&: s = \"vbRed\" ' vbBlue",
                  module + L" (3): Label1.BackColor = RGB(255, 0, 0) + vbButtonFace",
                  L"Form1.Label1.ForeColor", L"Form2.Label9.BackColor"}));
    EXPECT_EQ(Uses(SystemColor(15), read).front(),
              module + L" (3): Label1.BackColor = RGB(255, 0, 0) + vbButtonFace");
    ASSERT_FALSE(read.texts.empty());
    EXPECT_EQ(read.texts[0].fore, kRed);
    // The closed designer was read and closed again, nothing marked changed.
    EXPECT_EQ(form2_->window(), nullptr);
    EXPECT_FALSE(form2_->model().changed);
    EXPECT_FALSE(form_->model().changed);

    // Red becomes blue in every use, each in its own form.
    const auto rows = GroupByColour(read.uses);
    ASSERT_EQ(rows[0].value, kRed);
    output::ProjectEdit edit(vbe_.Get());
    EXPECT_EQ(edit.Replace(read.uses, PlanReplace(read.uses, rows[0].uses, kBlue)), L"");
    // As the editor shows a line written: the hex literal without its leading zeros.
    EXPECT_EQ(Code(*pane_), L"Sub Paint()\r\n"
                            L"    Label1.ForeColor = &HFF0000&: s = \"vbRed\" ' vbBlue\r\n"
                            L"    Label1.BackColor = RGB(0, 0, 255) + vbButtonFace\r\n"
                            L"End Sub");
    EXPECT_EQ(C(0).Colour(L"ForeColor")->value, kBlue);
    EXPECT_EQ(form2_->model().controls[0].Colour(L"BackColor")->value, kBlue);
    EXPECT_EQ(form2_->window(), nullptr);
    EXPECT_TRUE(form2_->model().changed); // VB6 is told; MSForms controls mark themselves

    // Undo puts every use back byte for byte.
    ASSERT_TRUE(edit.CanUndo());
    EXPECT_EQ(edit.Undo(), L"");
    EXPECT_EQ(Code(*pane_), kCode);
    EXPECT_EQ(C(0).Colour(L"ForeColor")->value, kRed);
    EXPECT_EQ(form2_->model().controls[0].Colour(L"BackColor")->value, kRed);

    // A use changed between replace and undo is left as it is, and told.
    edit.Replace(read.uses, PlanReplace(read.uses, rows[0].uses, kBlue));
    C(0).Colour(L"ForeColor")->value = RGBColor(1, 2, 3);
    const std::wstring told = edit.Undo();
    EXPECT_EQ(told, L"\r\nForm1.Label1.ForeColor: changed since it was read, left as it is");
    EXPECT_EQ(C(0).Colour(L"ForeColor")->value, RGBColor(1, 2, 3));
    EXPECT_EQ(Code(*pane_), kCode);
}

// The window from the preview's menu: the rows, the current colour from a row, a use shown
// in its code pane.
TEST_F(ProjectColoursTest, TheWindowListsTheColoursAndGoesToAUse) {
    main_->codeMenu()->Click("mnuProjectColours");
    forms::frmProjectColours* w = main_->projectColoursForm();
    ASSERT_TRUE(w && IsWindowVisible(w->form().hwnd()));
    PumpMessages();
    rt::ListBox& list = *w->lstColours;
    ASSERT_EQ(static_cast<size_t>(list.ListCount()), w->rows().size());
    EXPECT_EQ(w->rows()[0].value, kRed);
    EXPECT_NE(w->lblStatus->Caption.find(" colors, "), std::string::npos);
    // The row is painted with its swatch.
    RECT row{};
    SendMessageW(list.hwnd(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    UpdateWindow(list.hwnd());
    HDC dc = GetDC(list.hwnd());
    EXPECT_EQ(GetPixel(dc, row.left + 30, (row.top + row.bottom) / 2), RGB(255, 0, 0));
    ReleaseDC(list.hwnd(), dc);
    std::string contrast(256, '\0');
    contrast.resize(GetWindowTextA(w->txtContrast->hwnd(), contrast.data(), 256));
    EXPECT_NE(contrast.find("Form1.Label1  3.99:1  (&H00FF& on &H00FFFFFF&)"), std::string::npos)
        << contrast;

    // A click on the first row makes red current; a double-click opens it.
    const auto clickItem = [&](int item, UINT message) {
        RECT r{};
        SendMessageW(list.hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 80, (r.top + r.bottom) / 2);
        SendMessageW(list.hwnd(), message, MK_LBUTTON, at);
        SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, at);
        PumpMessages();
    };
    colour::SetCurrentColor(main_->fields(), kBlue);
    clickItem(0, WM_LBUTTONDOWN);
    EXPECT_EQ(main_->picCurrentCol->BackColor(), kRed);
    clickItem(0, WM_LBUTTONDBLCLK);
    ASSERT_EQ(static_cast<size_t>(list.ListCount()), w->rows().size() + 4);
    // The use on line 3, double-clicked: its pane in front with the RGB call selected.
    clickItem(2, WM_LBUTTONDOWN);
    clickItem(2, WM_LBUTTONDBLCLK);
    long line = 0, column = 0, endLine = 0, endColumn = 0;
    pane_->GetSelection(&line, &column, &endLine, &endColumn);
    EXPECT_EQ(std::vector<long>({line, column, endLine, endColumn}),
              std::vector<long>({3, 24, 3, 38}));
    EXPECT_EQ(ide_->ActivePane(), pane_);
}

} // namespace hv::test
