// Appending a colour's text to the caret's line of the host's real code panes.
#include "code_pane_fixture.h"

namespace hv::test {

class CodePaneInsertTest : public CodePaneTest {};

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
    EXPECT_EQ(Code(*pane_), L"Sub Paint()\r\nx = 5255&HFFFFFF&&HFFFFFF&\r\nEnd Sub");
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
    EXPECT_EQ(Code(*pane_), L"BackColor = &H123456&");
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
    EXPECT_EQ(Code(*pane_), L"z = 0&HFFFFFF&");
}

TEST_F(CodePaneInsertTest, AnInsertAsksTheIdeOnlyForTheStepsItNeeds) {
    SetCode(*pane_, L"x = ");
    Select(*pane_, 0, 0);
    const host::CallTally before = host::DispatchObject::Tally();
    ClickAt(main_->cmdInsert->hwnd(), 14, 11);
    const host::CallTally after = host::DispatchObject::Tally();
    EXPECT_EQ(Code(*pane_), L"x = &HFFFFFF&");
    // The active pane, the active window and the pane's own (with their handles), its
    // selection, its module, the line, the line replaced and read back, the caret put back,
    // the pane shown.
    EXPECT_EQ(after.invokes - before.invokes, 12);
    EXPECT_EQ(after.lookups - before.lookups, 12);
}

// The editors count no line in an empty module and refuse to read or replace line 1 there.
TEST_F(CodePaneInsertTest, AnEmptyModuleGetsTheCodeOnLineOne) {
    SetCode(*pane_, L"");
    Select(*pane_, 0, 0);
    ClickAt(main_->cmdInsert->hwnd(), 14, 11);
    EXPECT_EQ(Code(*pane_), L"&HFFFFFF&");
    EXPECT_EQ(Caret(*pane_), std::make_pair(1L, 10L));
    // An empty last line is written as any other.
    SetCode(*pane_, L"x = 1\r\n");
    Select(*pane_, 7, 7);
    Menu("mnuIr");
    EXPECT_EQ(Code(*pane_), L"x = 1\r\n255");
    EXPECT_EQ(Caret(*pane_), std::make_pair(2L, 4L));
    // A caret the module does not have is still never written to.
    ide_->faults().Set(L"CodeModule.CountOfLines", host::FaultKind::Error);
    SetCode(*pane_, L"");
    Menu("mnuIr");
    EXPECT_EQ(Code(*pane_), L"");
}

// Writing moves the editor's caret (the host puts it at the line's start): the add-in puts it
// right after what it wrote, as the editor shows it (&H00FFFFFF& as &HFFFFFF&), so that the
// next command acts where the user is.
TEST_F(CodePaneInsertTest, TheCaretStandsRightAfterTheTextWritten) {
    SetCode(*pane_, L"Sub Paint()\r\nx = 5\r\nEnd Sub");
    Select(*pane_, 15, 15);
    Menu("mnuIr");
    EXPECT_EQ(Caret(*pane_), std::make_pair(2L, 9L));
    // A selection over several lines ends as a caret on the line written.
    Select(*pane_, 2, 18);
    Menu("mnuIRGBComma");
    EXPECT_EQ(Code(*pane_), L"Sub Paint()RGB(255, 128, 0)\r\nx = 5255\r\nEnd Sub");
    EXPECT_EQ(Caret(*pane_), std::make_pair(1L, 28L));
    // Twice in a row: the second lands after the first.
    ClickAt(main_->cmdInsert->hwnd(), 14, 11);
    EXPECT_EQ(Caret(*pane_), std::make_pair(1L, 37L));
    // An IDE that refuses the caret still has the text.
    ide_->faults().Set(L"CodePane.SetSelection", host::FaultKind::Error);
    Select(*pane_, 0, 0);
    Menu("mnuIr");
    EXPECT_EQ(Code(*pane_).substr(0, 39), L"Sub Paint()RGB(255, 128, 0)&HFFFFFF&255");
}

// A protected project and a running one refuse the write: the user hears the editor's reason
// once, and the line stays as it was.
TEST_F(CodePaneInsertTest, AProtectedOrRunningProjectKeepsItsCodeAndTheUserHearsWhy) {
    for (const bool running : {false, true}) {
        host::IdeOptions options;
        (running ? options.running : options.locked) = true;
        Restart(options);
        SetCode(*pane_, L"x = ");
        Select(*pane_, 0, 0);
        EXPECT_EQ(Told([&] { Menu("mnuIr"); }),
                  std::wstring(L"Pigmora: The code was not changed: ") +
                      (running ? L"Can't perform requested operation"
                               : L"Can't perform operation since the project is protected."));
        EXPECT_EQ(Code(*pane_), L"x = ");
    }
}

// ActiveCodePane is also the last active pane behind a designer: the add-in writes only into
// the one in front, and says so otherwise.
TEST_F(CodePaneInsertTest, APaneBehindADesignerIsNotWrittenTo) {
    SetCode(*pane_, L"x = ");
    Select(*pane_, 0, 0);
    ide_->AddForm(host::FormModel{})->Open();
    PumpMessages();
    EXPECT_EQ(Told([&] { Menu("mnuIr"); }),
              L"Pigmora: The code window is behind another window: click into it first");
    EXPECT_EQ(Code(*pane_), L"x = ");
    pane_->Show();
    Menu("mnuIr");
    EXPECT_EQ(Code(*pane_), L"x = 255");
}

} // namespace hv::test
