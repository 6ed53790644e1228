// Appending a colour's text to the caret's line of the host's real code panes.
#include "forms/frm_main.h"
#include "host/code_pane.h"
#include "host/dispatch.h"
#include "host/faults.h"
#include "host_fixture.h"

namespace hv::test {

namespace {

void SetCode(host::CodePane& pane, const wchar_t* text) {
    SetWindowTextW(pane.edit(), text);
}

// Puts the caret (or a selection) at character offsets of the edit's text.
void Select(host::CodePane& pane, int start, int end) {
    SendMessageW(pane.edit(), EM_SETSEL, start, end);
}

std::wstring Code(host::CodePane& pane) {
    return pane.Text();
}

} // namespace

class CodePaneInsertTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        pane_ = ide_->ActivePane();
        ASSERT_TRUE(pane_);
        main_ = std::make_unique<forms::frmMain>();
        main_->SetVBInstance(vbe_.Get());
        main_->Load();
        PumpMessages();
        main_->txtR->SetText("255");
        main_->txtG->SetText("128");
        main_->txtB->SetText("0");
    }
    void TearDown() override {
        main_.reset();
        HostTest::TearDown();
    }
    void Menu(const char* item) {
        main_->menuForm()->Load();
        main_->menuForm()->Click(item);
    }
    // Runs a command that finds no code pane; returns the message it showed.
    std::wstring WithoutPane(const std::function<void()>& command) {
        while (auto p = ide_->ActivePane())
            SendMessageW(p->window(), WM_CLOSE, 0, 0);
        PumpMessages();
        std::wstring text, title;
        bool icon = false;
        ModalAnswer answer([&](HWND box) {
            wchar_t buf[256];
            GetWindowTextW(GetDlgItem(box, 0xFFFF), buf, 256);
            text = buf;
            GetWindowTextW(box, buf, 256);
            title = buf;
            icon = HasMessageIcon(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        command();
        EXPECT_TRUE(answer.answered());
        EXPECT_TRUE(icon) << "an information icon";
        return title + L": " + text;
    }
    std::shared_ptr<host::CodePane> pane_;
    std::unique_ptr<forms::frmMain> main_;
};

TEST_F(CodePaneInsertTest, AppendsToTheEndOfTheCaretsLineWhateverTheColumn) {
    SetCode(*pane_, L"Sub Paint()\r\nx = 5\r\nEnd Sub");
    Select(*pane_, 15, 15); // caret between "x " and "= 5"
    Menu("mnuIr");
    EXPECT_EQ(Code(*pane_), L"Sub Paint()\r\nx = 5255\r\nEnd Sub");
    EXPECT_FALSE(main_->menuForm()->Loaded());
    EXPECT_EQ(GetFocus(), main_->picCurrentCol->hwnd());
    // Twice in a row: appended twice.
    Select(*pane_, 13, 13);
    ClickAt(main_->cmdInsert->hwnd(), 14, 11);
    ClickAt(main_->cmdInsert->hwnd(), 14, 11);
    EXPECT_EQ(Code(*pane_), L"Sub Paint()\r\nx = 5255&H00FFFFFF&&H00FFFFFF&\r\nEnd Sub");
}

TEST_F(CodePaneInsertTest, EmptyLineAndMultiLineSelection) {
    SetCode(*pane_, L"a\r\n\r\nc = 1\r\nd = 2\r\ne = 3\r\nf");
    Select(*pane_, 3, 3); // the empty line 2
    Menu("mnuIRGBComma");
    EXPECT_EQ(Code(*pane_), L"a\r\nRGB(255, 128, 0)\r\nc = 1\r\nd = 2\r\ne = 3\r\nf");
    // Lines 3 to 5 selected: only line 3 changes, the selected text stays.
    const int line3 = 3 + 16 + 2;
    Select(*pane_, line3 + 2, line3 + 7 + 7 + 3);
    Menu("mnuIrgbWOParentes");
    EXPECT_EQ(Code(*pane_), L"a\r\nRGB(255, 128, 0)\r\nc = 1255, 128, 0\r\nd = 2\r\ne = 3\r\nf");
}

TEST_F(CodePaneInsertTest, FavouriteCodeGoesInAndFocusGoesToThePalette) {
    SetCode(*pane_, L"BackColor = ");
    Select(*pane_, 0, 0);
    main_->txtTempFav->SetText("&H00123456&");
    ClickAt(main_->cmdInsertFav->hwnd(), 16, 8);
    EXPECT_EQ(Code(*pane_), L"BackColor = &H00123456&");
    EXPECT_EQ(GetFocus(), main_->picBasicCol->hwnd());
}

TEST_F(CodePaneInsertTest, NoCodePaneTellsTheUserAndEachCommandClosesItsWay) {
    main_->txtG->SetFocus();
    EXPECT_EQ(WithoutPane([&] { ClickAt(main_->cmdInsert->hwnd(), 14, 11); }),
              L"Pigmora: No code pane selected");
    EXPECT_NE(GetFocus(), main_->picCurrentCol->hwnd()); // the focus is not moved
    EXPECT_EQ(WithoutPane([&] { ClickAt(main_->cmdInsertFav->hwnd(), 16, 8); }),
              L"Pigmora: No code pane selected");
    EXPECT_EQ(GetFocus(), main_->picBasicCol->hwnd());
    EXPECT_EQ(WithoutPane([&] { Menu("mnuIG"); }), L"Pigmora: No code pane selected");
    EXPECT_FALSE(main_->menuForm()->Loaded());
}

TEST_F(CodePaneInsertTest, AnUnreadableLineIsNeverReplaced) {
    SetCode(*pane_, L"Dim x\r\ny = 1");
    Select(*pane_, 8, 8);
    ide_->faults().Set(L"CodeModule.Lines", host::FaultKind::Error);
    Menu("mnuIr");
    EXPECT_EQ(Code(*pane_), L"Dim x\r\ny = 1");
    ide_->faults().Clear();
    ide_->faults().Set(L"CodeModule.Lines", host::FaultKind::Empty);
    Menu("mnuIr");
    EXPECT_EQ(Code(*pane_), L"Dim x\r\ny = 1");
    // A selection the IDE can't tell: no line is known, nothing changes, the command ends.
    ide_->faults().Clear();
    ide_->faults().Set(L"CodePane.GetSelection", host::FaultKind::Error);
    Menu("mnuIr");
    EXPECT_EQ(Code(*pane_), L"Dim x\r\ny = 1");
    EXPECT_FALSE(main_->menuForm()->Loaded());
}

TEST_F(CodePaneInsertTest, HostFailuresAreSkippedAndTheClosingStepsStillRun) {
    SetCode(*pane_, L"z = 0");
    for (const wchar_t* member :
         {L"CodeModule.ReplaceLine", L"CodePane.Show", L"CodePane.CodeModule"}) {
        ide_->faults().Clear();
        ide_->faults().Set(member, host::FaultKind::Error);
        main_->txtG->SetFocus();
        ClickAt(main_->cmdInsert->hwnd(), 14, 11);
        EXPECT_EQ(GetFocus(), main_->picCurrentCol->hwnd()) << member;
    }
    // Only a failing Show still changed the line.
    EXPECT_EQ(Code(*pane_), L"z = 0&H00FFFFFF&");
}

TEST_F(CodePaneInsertTest, AnInsertAsksTheIdeOnlyForTheStepsItNeeds) {
    SetCode(*pane_, L"x = ");
    Select(*pane_, 0, 0);
    const host::CallTally before = host::DispatchObject::Tally();
    ClickAt(main_->cmdInsert->hwnd(), 14, 11);
    const host::CallTally after = host::DispatchObject::Tally();
    EXPECT_EQ(Code(*pane_), L"x = &H00FFFFFF&");
    // The active pane, its selection, its module, the line, the line replaced, the pane shown.
    EXPECT_EQ(after.invokes - before.invokes, 6);
    EXPECT_EQ(after.lookups - before.lookups, 6);
}

} // namespace hv::test
