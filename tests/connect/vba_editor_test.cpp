// The add-in in the host playing the Office VBA editor: Office's button pictures with the
// user's clipboard never opened, the "Standard" bar found by name, the editor's main window,
// and two editors with a connection each in one process.
#include "connect_fixture.h"
#include "forms/frm_main.h"
#include "host/shown_line.h"

namespace hv::test {

namespace {

// Owns the clipboard with a text it renders only when asked, and counts the asks: anyone who
// opens the clipboard to copy it makes the owner render.
class DelayedClipboardOwner {
  public:
    DelayedClipboardOwner() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HvDelayedClipboardOwner";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, wc.hInstance, nullptr);
        renders_ = 0;
        if (OpenClipboard(window_)) {
            EmptyClipboard();
            SetClipboardData(CF_TEXT, nullptr);
            CloseClipboard();
        }
        sequence_ = GetClipboardSequenceNumber();
    }
    ~DelayedClipboardOwner() {
        if (OpenClipboard(window_)) {
            EmptyClipboard();
            CloseClipboard();
        }
        DestroyWindow(window_);
    }
    HWND window() const { return window_; }
    static int renders() { return renders_; }
    bool Untouched() const {
        return GetClipboardSequenceNumber() == sequence_ && renders_ == 0 &&
               GetClipboardOwner() == window_;
    }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_RENDERFORMAT && wp == CF_TEXT) {
            ++renders_;
            HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 6);
            memcpy(GlobalLock(g), "kept!", 6);
            GlobalUnlock(g);
            SetClipboardData(CF_TEXT, g);
            return 0;
        }
        return DefWindowProcA(w, msg, wp, lp);
    }
    HWND window_ = nullptr;
    DWORD sequence_ = 0;
    static inline int renders_ = 0;
};

} // namespace

class VbaEditorTest : public ConnectionTest {
  protected:
    void OpenEditor(bool vba) {
        host::IdeOptions options;
        options.vba = vba;
        Open(options);
    }
};

// Observed from the clipboard's side: its sequence number, its owner, and an owner that
// renders on demand. The VB6 IDE's PasteFace, by contrast, shows in all three.
TEST_F(VbaEditorTest, ConnectingNeverOpensTheClipboardWhereTheButtonTakesAPicture) {
    for (const bool vba : {false, true}) {
        if (!vba && VbaMode()) continue; // this run plays the VBA editor throughout
        SCOPED_TRACE(vba ? "VBA editor" : "VB6 IDE");
        OpenEditor(vba);
        DelayedClipboardOwner owner;
        ASSERT_TRUE(owner.Untouched());
        MessageBoxes boxes;
        ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
        EXPECT_TRUE(boxes.seen().empty());
        ASSERT_TRUE(AddinButton());
        EXPECT_EQ(AddinButton()->faceWidth, 32);
        EXPECT_EQ(owner.Untouched(), vba);
        Disconnect();
    }
}

TEST_F(VbaEditorTest, TheStandardBarIsFoundByNameWhereBarTwoIsAnother) {
    OpenEditor(true);
    ComPtr<IDispatch> bars = Object(vbe_.Get(), L"CommandBars");
    ComPtr<IDispatch> second = Object(bars.Get(), L"Item", {2});
    EXPECT_EQ(Text(second.Get(), L"Name"), L"Edit");
    const long editControls = Long(Object(second.Get(), L"Controls").Get(), L"Count");
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    EXPECT_EQ(Long(Object(second.Get(), L"Controls").Get(), L"Count"), editControls);
    ASSERT_EQ(Standard().controls.size(), 7u);
    EXPECT_EQ(Standard().controls[5]->caption, L"VB 6 Huevista");
    EXPECT_EQ(Standard().controls[6]->caption, L"Undo");
    // The button's own Picture and Mask are the pictures it was given.
    ComPtr<IDispatch> button = Object(StandardControls().Get(), L"Item", {6});
    ComPtr<IDispatch> picture = Object(button.Get(), L"Picture");
    ComPtr<IDispatch> mask = Object(button.Get(), L"Mask");
    ASSERT_TRUE(picture && mask);
    EXPECT_EQ(Long(picture.Get(), L"Width"), Long(mask.Get(), L"Width"));
    // The button opens the window as in the VB6 IDE.
    ClickAddinButton();
    EXPECT_TRUE(WindowShown());
}

TEST_F(VbaEditorTest, TheEditorsMainWindowAndVersionAreItsOwn) {
    for (const bool vba : {false, true}) {
        if (!vba && VbaMode()) continue;
        SCOPED_TRACE(vba ? "VBA editor" : "VB6 IDE");
        OpenEditor(vba);
        ComPtr<IDispatch> main = Object(vbe_.Get(), L"MainWindow");
        EXPECT_EQ(Long(main.Get(), L"HWnd"),
                  static_cast<long>(reinterpret_cast<INT_PTR>(ide_->hwnd())));
        wchar_t cls[64] = L"";
        GetClassNameW(ide_->hwnd(), cls, 64);
        EXPECT_STREQ(cls, vba ? L"wndclass_desked_gsk" : L"IdeHostFrame");
        EXPECT_EQ(Text(vbe_.Get(), L"Version"), vba ? L"7.01" : L"6.00");
        // Office's buttons take pictures, the VB6 IDE's do not know of them.
        ComPtr<IDispatch> first = Object(StandardControls().Get(), L"Item", {1});
        Variant picture;
        EXPECT_EQ(rt::Get(first.Get(), L"Picture", {}, &picture).failed(), !vba);
    }
}

// Several Office programs each have their own editor; in one process, each connection keeps
// its own editor and window, and a colour goes to the code of the editor it was sent from.
TEST_F(VbaEditorTest, TwoEditorsInOneProcessEachKeepTheirOwnConnection) {
    OpenEditor(true);
    host::IdeOptions options;
    options.vba = true;
    auto other = host::Ide::Create(options);
    ASSERT_TRUE(other);
    ComPtr<_Connect> second;
    ASSERT_EQ(connect::Connect::CreateInstance(nullptr, IID_PPV_ARGS(&second)), S_OK);
    auto* secondConnect = static_cast<connect::Connect*>(second.Get());
    ASSERT_EQ(other->addins().Connect(kProgId, second.Get(), host::ext_cm_Startup), S_OK);
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_TRUE(AddinButton());
    ClickAddinButton();
    ASSERT_TRUE(WindowShown());
    EXPECT_FALSE(rt::Call(second.Get(), L"Show"));
    forms::frmMain* mine = connect_->mainWindow();
    forms::frmMain* theirs = secondConnect->mainWindow();
    ASSERT_TRUE(mine && theirs);
    EXPECT_NE(mine, theirs);
    EXPECT_NE(mine->hWnd(), theirs->hWnd());

    auto myPane = ide_->ActivePane();
    auto theirPane = other->ActivePane();
    SetWindowTextW(myPane->edit(), L"a = ");
    SetWindowTextW(theirPane->edit(), L"b = ");
    const std::string code = theirs->txtColorCode->Text();
    ClickAt(theirs->cmdInsert->hwnd(), 14, 11);
    EXPECT_EQ(theirPane->Text(), host::AsTheEditorShows(L"b = " + std::wstring(code.begin(), code.end())));
    EXPECT_EQ(myPane->Text(), L"a = ");
    ClickAt(mine->cmdInsert->hwnd(), 14, 11);
    EXPECT_NE(myPane->Text(), L"a = ");

    // Disconnecting one leaves the other working.
    other->addins().Unload(kProgId, host::ext_dm_UserClosed);
    other->Close();
    other.reset();
    second.Reset();
    PumpMessages();
    SetWindowTextW(myPane->edit(), L"c = ");
    ClickAt(mine->cmdInsert->hwnd(), 14, 11);
    EXPECT_NE(myPane->Text(), L"c = ");
}

} // namespace hv::test
