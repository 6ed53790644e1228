// The host behaves as the real IDEs do where add-ins meet their quirks: code modules that
// count no line when empty, move the caret when written and show what is written their way,
// the last active code pane behind a designer, command bars that keep what was
// added without Temporary, a localised VB6 whose bar 2 is not called "Standard".
#include "host_fixture.h"

namespace hv::test {

namespace {

// A call's error, as VB's Err.Number would show it (the low word of a FACILITY_CONTROL code).
long ErrOf(const rt::CallError& e) {
    return HRESULT_FACILITY(e.number) == FACILITY_CONTROL ? HRESULT_CODE(e.number) : e.number;
}

} // namespace

class StrictCodeModuleTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        pane_ = Object(vbe_.Get(), L"ActiveCodePane");
        ASSERT_TRUE(pane_);
        module_ = Object(pane_.Get(), L"CodeModule");
        ASSERT_TRUE(module_);
    }
    std::wstring Code() { return ide_->ActivePane()->Text(); }
    void SetCode(const wchar_t* text) { SetWindowTextW(ide_->ActivePane()->edit(), text); }
    std::vector<long> Selection() {
        long v[4] = {};
        EXPECT_FALSE(rt::Call(pane_.Get(), L"GetSelection",
                              {Variant::ByRef(&v[0]), Variant::ByRef(&v[1]), Variant::ByRef(&v[2]),
                               Variant::ByRef(&v[3])}));
        return {v[0], v[1], v[2], v[3]};
    }
    rt::CallError Select(long a, long b, long c, long d) {
        return rt::Call(pane_.Get(), L"SetSelection", {a, b, c, d});
    }
    ComPtr<IDispatch> pane_, module_;
};

// Lines gives what there is (an empty text past the end); only CountOfLines tells an empty
// module from one with an empty line.
TEST_F(StrictCodeModuleTest, AnEmptyModuleHasNoLineToReplaceButTakesNewOnes) {
    EXPECT_EQ(Long(module_.Get(), L"CountOfLines"), 0);
    Variant read;
    EXPECT_EQ(Text(module_.Get(), L"Lines", {1, 1}), L"");
    EXPECT_EQ(ErrOf(rt::Get(module_.Get(), L"Lines", {0, 1}, &read)), 9);
    EXPECT_EQ(ErrOf(rt::Call(module_.Get(), L"ReplaceLine", {1, L"x = 1"})), 9);
    EXPECT_EQ(Code(), L"");
    EXPECT_EQ(ErrOf(rt::Call(module_.Get(), L"InsertLines", {2, L"x = 1"})), 9);
    EXPECT_EQ(ErrOf(rt::Call(module_.Get(), L"InsertLines", {0, L"x = 1"})), 9);
    EXPECT_FALSE(rt::Call(module_.Get(), L"InsertLines", {1, L"a = 1\r\nb = 2"}));
    EXPECT_EQ(Long(module_.Get(), L"CountOfLines"), 2);
    EXPECT_EQ(Text(module_.Get(), L"Lines", {1, 2}), L"a = 1\r\nb = 2");
    // After the last line, and before the first.
    EXPECT_FALSE(rt::Call(module_.Get(), L"InsertLines", {3, L"c = 3"}));
    EXPECT_FALSE(rt::Call(module_.Get(), L"InsertLines", {1, L"Option Explicit"}));
    EXPECT_EQ(Code(), L"Option Explicit\r\na = 1\r\nb = 2\r\nc = 3");
    EXPECT_EQ(Text(module_.Get(), L"Lines", {3, 5}), L"b = 2\r\nc = 3");
    EXPECT_EQ(Text(module_.Get(), L"Lines", {5, 1}), L"");
    EXPECT_EQ(ErrOf(rt::Call(module_.Get(), L"ReplaceLine", {5, L"e"})), 9);
}

TEST_F(StrictCodeModuleTest, AddFromStringGoesBeforeTheFirstProcedureOrAtTheEnd) {
    EXPECT_FALSE(rt::Call(module_.Get(), L"AddFromString", {L"Dim a"}));
    EXPECT_EQ(Code(), L"Dim a");
    SetCode(L"Option Explicit\r\n\r\nPrivate Declare Function F Lib \"x\" ()\r\n"
            L"  Public Sub Paint()\r\nEnd Sub");
    EXPECT_FALSE(rt::Call(module_.Get(), L"AddFromString", {L"Dim b\r\nDim c"}));
    EXPECT_EQ(Code(), L"Option Explicit\r\n\r\nPrivate Declare Function F Lib \"x\" ()\r\n"
                      L"Dim b\r\nDim c\r\n  Public Sub Paint()\r\nEnd Sub");
    SetCode(L"Dim x");
    EXPECT_FALSE(rt::Call(module_.Get(), L"AddFromString", {L"Dim y"}));
    EXPECT_EQ(Code(), L"Dim x\r\nDim y");
}

// Public add-ins keep the selection themselves around ReplaceLine: the editor moves the caret.
// The host puts it at the start of the line written, whatever was selected.
TEST_F(StrictCodeModuleTest, WritingALineMovesTheCaretToItsStart) {
    SetCode(L"a = 1\r\nbb = 22\r\nc = 3");
    ASSERT_FALSE(Select(2, 4, 2, 4));
    ASSERT_FALSE(rt::Call(module_.Get(), L"ReplaceLine", {2, L"bb = 2222"}));
    EXPECT_EQ(Selection(), (std::vector<long>{2, 1, 2, 1}));
    ASSERT_FALSE(Select(1, 2, 3, 3));
    ASSERT_FALSE(rt::Call(module_.Get(), L"ReplaceLine", {3, L"c = 33"}));
    EXPECT_EQ(Selection(), (std::vector<long>{3, 1, 3, 1}));
    ASSERT_FALSE(Select(3, 7, 3, 7));
    ASSERT_FALSE(rt::Call(module_.Get(), L"InsertLines", {2, L"d = 4"}));
    EXPECT_EQ(Selection(), (std::vector<long>{2, 1, 2, 1}));
    EXPECT_EQ(Code(), L"a = 1\r\nd = 4\r\nbb = 2222\r\nc = 33");
}

// Lines written through the object model read back as the editor shows them.
TEST_F(StrictCodeModuleTest, LinesWrittenReadBackAsTheEditorShowsThem) {
    SetCode(L"a");
    ASSERT_FALSE(rt::Call(module_.Get(), L"ReplaceLine", {1, L"  x=&h00ff&+rgb(1,2 ,3)  'a  =b"}));
    ASSERT_FALSE(rt::Call(module_.Get(), L"InsertLines", {2, L"dim s as string:s=\"&H00FF&\"  "}));
    ASSERT_FALSE(rt::Call(module_.Get(), L"AddFromString", {L"If a<>b Then y=-a*007"}));
    EXPECT_EQ(Text(module_.Get(), L"Lines", {1, 3}),
              L"  x = &HFF& + RGB(1, 2, 3) 'a  =b\r\nDim s As String: s = \"&H00FF&\"\r\n"
              L"If a <> b Then y = -a * 7");
}

// ActiveCodePane is the active or last active pane, also behind a designer; ActiveWindow is
// the window in front.
TEST_F(StrictCodeModuleTest, ActiveCodePaneStaysTheLastActiveBehindADesigner) {
    ide_->AddForm(host::FormModel{})->Open();
    auto pane = Object(vbe_.Get(), L"ActiveCodePane");
    ASSERT_TRUE(pane);
    EXPECT_EQ(Text(Object(pane.Get(), L"CodeModule").Get(), L"Name"), ide_->panes()[0]->name());
    auto active = Object(vbe_.Get(), L"ActiveWindow"), own = Object(pane.Get(), L"Window");
    EXPECT_EQ(Long(active.Get(), L"Type"), 1);
    EXPECT_EQ(Long(own.Get(), L"Type"), 0);
    EXPECT_NE(Long(active.Get(), L"HWnd"), Long(own.Get(), L"HWnd"));
    ASSERT_FALSE(rt::Call(pane.Get(), L"Show"));
    EXPECT_EQ(Long(Object(vbe_.Get(), L"ActiveWindow").Get(), L"HWnd"), Long(own.Get(), L"HWnd"));
}

TEST_F(StrictCodeModuleTest, SetSelectionTakesOnlyPlacesInTheText) {
    SetCode(L"abc\r\nde");
    EXPECT_FALSE(Select(1, 2, 2, 3));
    EXPECT_EQ(Selection(), (std::vector<long>{1, 2, 2, 3}));
    EXPECT_FALSE(Select(1, 4, 1, 4)) << "after the line's last character";
    for (const auto& bad : std::vector<std::vector<long>>{
             {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 5, 1, 5}, {3, 1, 3, 1}, {2, 1, 1, 1}, {1, 3, 1, 2}}) {
        const rt::CallError e = Select(bad[0], bad[1], bad[2], bad[3]);
        EXPECT_EQ(ErrOf(e), 5) << bad[0] << "," << bad[1] << "," << bad[2] << "," << bad[3];
    }
    EXPECT_EQ(Selection(), (std::vector<long>{1, 4, 1, 4})) << "a refused call moves nothing";
    // Every argument is required.
    EXPECT_EQ(rt::Call(pane_.Get(), L"SetSelection", {1, 1, 1}).number, DISP_E_BADPARAMCOUNT);
    // An empty module has its caret on line 1, column 1, and nowhere else.
    SetCode(L"");
    EXPECT_FALSE(Select(1, 1, 1, 1));
    EXPECT_EQ(ErrOf(Select(1, 2, 1, 2)), 5);
}

class StrictCommandBarsTest : public HostTest {
  protected:
    ComPtr<IDispatch> Bars() { return Object(vbe_.Get(), L"CommandBars"); }
    ComPtr<IDispatch> Add(bool temporary, const wchar_t* caption, const wchar_t* tag) {
        Variant made;
        EXPECT_FALSE(rt::Call(
            StandardControls().Get(), L"Add",
            {1, Variant::Missing(), Variant::Missing(), Variant::Missing(), temporary}, &made));
        ComPtr<IDispatch> control;
        EXPECT_FALSE(rt::ObjectOf(made, control));
        EXPECT_FALSE(rt::Put(control.Get(), L"Caption", caption));
        if (tag) {
            EXPECT_FALSE(rt::Put(control.Get(), L"Tag", tag));
        }
        return control;
    }
    ComPtr<IDispatch> Find(std::initializer_list<Variant> args) {
        ComPtr<IDispatch> found;
        EXPECT_FALSE(rt::GetObject(Bars().Get(), L"FindControl", args, found));
        return found;
    }
    std::vector<std::wstring> Captions() {
        std::vector<std::wstring> all;
        for (const auto& c : Standard().controls)
            all.push_back(c->caption);
        return all;
    }
};

TEST_F(StrictCommandBarsTest, FindControlByTypeIdTagAndVisibility) {
    EXPECT_TRUE(Find({})) << "no criteria: the first control of all";
    EXPECT_FALSE(Find({Variant::Missing(), Variant::Missing(), L"Ours"}));
    auto ours = Add(false, L"Mine", L"Ours");
    EXPECT_EQ(Text(ours.Get(), L"Tag"), L"Ours");
    EXPECT_EQ(Long(ours.Get(), L"Id"), 1);
    auto found = Find({Variant::Missing(), Variant::Missing(), L"Ours"});
    ASSERT_TRUE(found);
    EXPECT_EQ(Text(found.Get(), L"Caption"), L"Mine");
    EXPECT_FALSE(Find({Variant::Missing(), Variant::Missing(), L"ours"})) << "exact tag";
    found = Find({1, 1});
    ASSERT_TRUE(found) << "button, custom";
    EXPECT_EQ(Text(found.Get(), L"Caption"), L"Mine");
    EXPECT_FALSE(Find({10, 1})) << "no custom popup";
    EXPECT_TRUE(Find({Variant::Missing(), Variant::Missing(), L"Ours", true})) << "visible";
    // A built-in control by its Id, and none on a hidden bar when only visible ones count.
    const long undo = Long(Object(StandardControls().Get(), L"Item", {6}).Get(), L"Id");
    EXPECT_NE(undo, 1);
    found = Find({Variant::Missing(), undo});
    ASSERT_TRUE(found);
    EXPECT_EQ(Text(found.Get(), L"Caption"), L"Undo");
    Standard().visible = false;
    EXPECT_FALSE(Find({Variant::Missing(), undo, Variant::Missing(), true}));
    Standard().visible = true;
    EXPECT_EQ(rt::Call(Bars().Get(), L"FindControl", {L"button"}).number, DISP_E_TYPEMISMATCH);
}

TEST_F(StrictCommandBarsTest, ControlsAddedWithoutTemporaryStayForTheNextSessionDead) {
    Add(false, L"Kept", L"K");
    Add(true, L"Gone", nullptr);
    CloseIde();
    Open(host::IdeOptions{});
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Open Module", L"Save Module", L"Cut",
                                                     L"Copy", L"Paste", L"Undo", L"Kept"}));
    auto kept = Find({Variant::Missing(), Variant::Missing(), L"K"});
    ASSERT_TRUE(kept);
    // Its add-in is not there: a click runs nothing and raises nothing.
    const auto model = Standard().controls.back();
    EXPECT_FALSE(model->action);
    SendMessageW(ide_->hwnd(), WM_COMMAND, model->id, 0);
    // Deleted, it is gone for good; a session that dies keeps what it had.
    EXPECT_FALSE(rt::Call(kept.Get(), L"Delete"));
    Add(false, L"Left", L"L");
    ide_->Crash();
    Open(host::IdeOptions{});
    EXPECT_EQ(Captions().back(), L"Left");
    EXPECT_EQ(Captions().size(), 7u);
    EXPECT_FALSE(Find({Variant::Missing(), Variant::Missing(), L"K"}));
}

TEST_F(StrictCommandBarsTest, ALocalisedVb6NamesItsBarsInItsLanguage) {
    if (VbaMode()) GTEST_SKIP() << "a localised VB6";
    host::IdeOptions options;
    options.lang = L"de";
    Open(options);
    EXPECT_EQ(Text(Object(Bars().Get(), L"Item", {1}).Get(), L"Name"), L"Men\u00FCleiste");
    auto second = Object(Bars().Get(), L"Item", {2});
    EXPECT_EQ(Text(second.Get(), L"Name"), L"Voreinstellung");
    EXPECT_EQ(Long(Object(second.Get(), L"Controls").Get(), L"Count"), 6);
    ComPtr<IDispatch> none;
    EXPECT_EQ(ErrOf(rt::GetObject(Bars().Get(), L"Item", {L"Standard"}, none)), 5);
    EXPECT_TRUE(Object(Bars().Get(), L"Item", {L"Add-Ins"}));
}

} // namespace hv::test
