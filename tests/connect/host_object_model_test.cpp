// The IDE host's object model: as strict as the real IDE about how it is called, with the
// errors and empty results an add-in must expect, over real windows.
#include "host/command_bar_events.h"
#include "host_fixture.h"
#include <fstream>
#include <olectl.h>

namespace hv::test {

namespace {

VARIANT Missing() {
    VARIANT v;
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT RefLong(long* p) {
    VARIANT v;
    v.vt = VT_I4 | VT_BYREF;
    v.plVal = p;
    return v;
}

void SetCaret(HWND edit, int line, int column) {
    const LRESULT at = SendMessageW(edit, EM_LINEINDEX, line - 1, 0) + column - 1;
    // A press of the mouse where that character is drawn, as a user would place the caret.
    const LRESULT pos = SendMessageW(edit, EM_POSFROMCHAR, at, 0);
    const int x = LOWORD(pos) + 1, y = HIWORD(pos) + 3;
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

} // namespace

using HostObjectModelTest = HostTest;

TEST_F(HostObjectModelTest, GetsWantThePropertyGetKindAndPutsTheNamedArgument) {
    ComPtr<IDispatch> controls = StandardControls();
    VARIANT result;
    VariantInit(&result);
    // VB's way: method or property get.
    EXPECT_EQ(RawInvoke(controls.Get(), L"Count", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, {},
                        &result),
              S_OK);
    EXPECT_EQ(result.lVal, 6);
    // A property read as a method alone, or a method read as a property, is refused.
    EXPECT_EQ(RawInvoke(controls.Get(), L"Count", DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
    ComPtr<IDispatch> first = Object(controls.Get(), L"Item", {1});
    EXPECT_EQ(RawInvoke(first.Get(), L"PasteFace", DISPATCH_PROPERTYGET, {}),
              DISP_E_MEMBERNOTFOUND);
    // A put needs DISPID_PROPERTYPUT as its named argument.
    VARIANT caption;
    caption.vt = VT_BSTR;
    caption.bstrVal = SysAllocString(L"Open");
    EXPECT_EQ(RawInvoke(first.Get(), L"Caption", DISPATCH_PROPERTYPUT, {caption}),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(
        RawInvoke(first.Get(), L"Caption", DISPATCH_PROPERTYPUT, {caption}, {DISPID_PROPERTYPUT}),
        S_OK);
    SysFreeString(caption.bstrVal);
    EXPECT_EQ(Text(first.Get(), L"Caption"), L"Open");
    EXPECT_FALSE(rt::Put(first.Get(), L"Caption", L"Open Module"));
    EXPECT_EQ(Standard().controls[0]->caption, L"Open Module");
}

TEST_F(HostObjectModelTest, ControlsAddTakesBeforeFourthAndRefusesItElsewhere) {
    ComPtr<IDispatch> controls = StandardControls();
    // Before given second lands on Id, and no built-in control has that Id.
    Variant made;
    rt::CallError e = rt::Call(controls.Get(), L"Add", {1, 6}, &made);
    EXPECT_EQ(e.number, MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5));
    EXPECT_EQ(Standard().controls.size(), 6u);
    // Skipped ones as missing: the new control stands before the sixth.
    e = rt::Call(controls.Get(), L"Add", {1, Variant::Missing(), Variant::Missing(), 6}, &made);
    ASSERT_FALSE(e);
    ASSERT_EQ(Standard().controls.size(), 7u);
    EXPECT_EQ(Standard().controls[6]->caption, L"Undo");
    EXPECT_FALSE(Standard().controls[5]->builtIn);
    // Named arguments work as well.
    VARIANT args[2] = {I4(1), I4(1)}; // Before:=1, Type:=1
    EXPECT_EQ(RawInvoke(controls.Get(), L"Add", DISPATCH_METHOD, {args[0], args[1]}, {3, 0}), S_OK);
    EXPECT_FALSE(Standard().controls[0]->builtIn);
    // Before past the end is an error.
    EXPECT_TRUE(rt::Call(controls.Get(), L"Add", {1, Variant::Missing(), Variant::Missing(), 99}));
}

TEST_F(HostObjectModelTest, CommandBarsByIndexAndByNameAsTheDefaultMember) {
    ComPtr<IDispatch> bars = Object(vbe_.Get(), L"CommandBars");
    EXPECT_EQ(Long(bars.Get(), L"Count"), 2);
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(RawInvoke(bars.Get(), L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {I4(2)}, {},
                        &result),
              S_OK);
    ComPtr<IDispatch> standard = rt::Adopt(result.pdispVal);
    EXPECT_EQ(Text(standard.Get(), L"Name"), L"Standard");
    // The default member, as VB calls CommandBars("Add-Ins").
    VARIANT name;
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(L"add-ins");
    DISPPARAMS p{&name, nullptr, 1, 0};
    VariantInit(&result);
    EXPECT_EQ(bars->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &p,
                           &result, nullptr, nullptr),
              S_OK);
    SysFreeString(name.bstrVal);
    ComPtr<IDispatch> addins = rt::Adopt(result.pdispVal);
    EXPECT_EQ(Text(addins.Get(), L"Name"), L"Add-Ins");
    ComPtr<IDispatch> none;
    const rt::CallError e = rt::GetObject(bars.Get(), L"Item", {3}, none);
    EXPECT_TRUE(e);
    EXPECT_EQ(e.description, L"Invalid procedure call or argument");
}

TEST_F(HostObjectModelTest, WithoutTheStandardToolbarThereIsNoBarTwo) {
    host::IdeOptions options;
    options.standardBar = false;
    Open(options);
    ComPtr<IDispatch> bars = Object(vbe_.Get(), L"CommandBars");
    EXPECT_EQ(Long(bars.Get(), L"Count"), 1);
    ComPtr<IDispatch> bar;
    EXPECT_TRUE(rt::GetObject(bars.Get(), L"Item", {2}, bar));
    EXPECT_FALSE(rt::GetObject(bars.Get(), L"Item", {L"Add-Ins"}, bar));
    EXPECT_EQ(ide_->toolbar(), nullptr);
}

TEST_F(HostObjectModelTest, GetSelectionFillsFourLongsByReferenceWhereTheUserPutTheCaret) {
    auto pane = ide_->ActivePane();
    ASSERT_TRUE(pane);
    SetWindowTextW(pane->edit(), L"Option Explicit\r\n\r\nSub Paint()\r\n    x = 1\r\nEnd Sub\r\n");
    SetCaret(pane->edit(), 4, 5);
    ComPtr<IDispatch> codePane = Object(vbe_.Get(), L"ActiveCodePane");
    long place[4] = {-1, -1, -1, -1};
    EXPECT_FALSE(rt::Call(codePane.Get(), L"GetSelection",
                          {Variant::ByRef(&place[0]), Variant::ByRef(&place[1]),
                           Variant::ByRef(&place[2]), Variant::ByRef(&place[3])}));
    EXPECT_EQ(place[0], 4);
    EXPECT_EQ(place[1], 5);
    EXPECT_EQ(place[2], 4);
    EXPECT_EQ(place[3], 5);
    // By value, too few, or one left out: refused, and nothing is written.
    EXPECT_EQ(
        RawInvoke(codePane.Get(), L"GetSelection", DISPATCH_METHOD, {I4(0), I4(0), I4(0), I4(0)}),
        DISP_E_TYPEMISMATCH);
    long a = 0, b = 0, c = 0, d = 0;
    EXPECT_EQ(RawInvoke(codePane.Get(), L"GetSelection", DISPATCH_METHOD,
                        {RefLong(&c), RefLong(&b), RefLong(&a)}),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(RawInvoke(codePane.Get(), L"GetSelection", DISPATCH_METHOD,
                        {RefLong(&d), Missing(), RefLong(&b), RefLong(&a)}),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(a + b + c + d, 0);
}

TEST_F(HostObjectModelTest, LinesAndReplaceLineWorkOnTheModuleAndLinesGivesWhatThereIs) {
    auto pane = ide_->ActivePane();
    SetWindowTextW(pane->edit(), L"Sub Paint()\r\n    BackColor = \r\nEnd Sub");
    ComPtr<IDispatch> module = Object(Object(vbe_.Get(), L"ActiveCodePane").Get(), L"CodeModule");
    EXPECT_EQ(Long(module.Get(), L"CountOfLines"), 3);
    EXPECT_EQ(Text(module.Get(), L"Lines", {2, 1}), L"    BackColor = ");
    EXPECT_EQ(Text(module.Get(), L"Lines", {1, 3}), L"Sub Paint()\r\n    BackColor = \r\nEnd Sub");
    EXPECT_FALSE(rt::Call(module.Get(), L"ReplaceLine", {2, L"    BackColor = &H00FF&"}));
    EXPECT_EQ(pane->Text(), L"Sub Paint()\r\n    BackColor = &HFF&\r\nEnd Sub");
    // Lines is a property: read as a method alone it is refused.
    EXPECT_EQ(RawInvoke(module.Get(), L"Lines", DISPATCH_METHOD, {I4(1), I4(1)}),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Text(module.Get(), L"Lines", {4, 1}), L"");
    EXPECT_EQ(Text(module.Get(), L"Lines", {3, 2}), L"End Sub");
    for (auto args : {std::pair<long, long>{0, 1}, {1, -1}}) {
        Variant v;
        const rt::CallError e = rt::Get(module.Get(), L"Lines", {args.first, args.second}, &v);
        EXPECT_EQ(e.description, L"Subscript out of range") << args.first << "," << args.second;
    }
    EXPECT_TRUE(rt::Call(module.Get(), L"ReplaceLine", {4, L"x"}));
    EXPECT_EQ(pane->Text(), L"Sub Paint()\r\n    BackColor = &HFF&\r\nEnd Sub");
}

TEST_F(HostObjectModelTest, MainWindowGivesTheFramesHandle) {
    ComPtr<IDispatch> window = Object(vbe_.Get(), L"MainWindow");
    ASSERT_TRUE(window);
    Variant handle;
    ASSERT_FALSE(rt::Get(window.Get(), L"HWnd", {}, &handle));
    ASSERT_EQ(handle.vt(), VT_I4);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle.raw().lVal)), ide_->hwnd());
}

TEST_F(HostObjectModelTest, NoOpenPaneIsNothingAndAClosedPaneIsAnError) {
    ComPtr<IDispatch> codePane = Object(vbe_.Get(), L"ActiveCodePane");
    ASSERT_TRUE(codePane);
    // The user closes the pane.
    SendMessageW(ide_->ActivePane()->window(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_TRUE(ide_->panes().empty());
    ComPtr<IDispatch> none;
    EXPECT_FALSE(rt::GetObject(vbe_.Get(), L"ActiveCodePane", {}, none));
    EXPECT_FALSE(none);
    EXPECT_TRUE(rt::Call(codePane.Get(), L"Show"));
    // Calls on Nothing are VB's error 91, not a crash.
    EXPECT_EQ(rt::Call(none.Get(), L"Show").number, rt::kErrObjectNotSet);
}

TEST_F(HostObjectModelTest, ASinkMustAnswerForTheEventInterface) {
    ComPtr<IDispatch> button = Object(StandardControls().Get(), L"Item", {1});
    Variant events;
    ASSERT_FALSE(rt::Get(Object(vbe_.Get(), L"Events").Get(), L"CommandBarEvents",
                         {Variant(button.Get())}, &events));
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(events.raw().pdispVal->QueryInterface(IID_PPV_ARGS(&container)), S_OK);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(host::DIID_dispCommandBarControlEvents, &point), S_OK);
    DWORD cookie = 0;
    // The VBE object is an IDispatch but no event sink.
    EXPECT_EQ(point->Advise(vbe_.Get(), &cookie), CONNECT_E_CANNOTCONNECT);
    // Something else than a control is refused.
    Variant v;
    EXPECT_TRUE(rt::Get(Object(vbe_.Get(), L"Events").Get(), L"CommandBarEvents",
                        {Variant(vbe_.Get())}, &v));
}

TEST_F(HostObjectModelTest, ModulesOpenFromBasFilesAndSaveBack) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"hv_host_test.bas";
    {
        std::ofstream f(std::string(path.begin(), path.end()), std::ios::binary);
        f << "Attribute VB_Name = \"Colours\"\nOption Explicit\nSub Paint()\nEnd Sub\n";
    }
    host::IdeOptions options;
    options.files = {path};
    Open(options);
    auto pane = ide_->ActivePane();
    ASSERT_TRUE(pane);
    EXPECT_EQ(pane->name(), L"Colours");
    ComPtr<IDispatch> module = Object(Object(vbe_.Get(), L"ActiveCodePane").Get(), L"CodeModule");
    EXPECT_EQ(Text(module.Get(), L"Name"), L"Colours");
    EXPECT_EQ(Text(module.Get(), L"Lines", {1, 1}), L"Option Explicit");
    EXPECT_FALSE(rt::Call(module.Get(), L"ReplaceLine", {3, L"End Sub ' done"}));
    ASSERT_TRUE(pane->Save());
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(
        saved,
        "Attribute VB_Name = \"Colours\"\r\nOption Explicit\r\nSub Paint()\r\nEnd Sub ' done\r\n");
    in.close();
    DeleteFileW(path.c_str());
}

} // namespace hv::test
