// Connecting the add-in to the IDE: connect modes and the stored setting, the button,
// the main window from the button, and disconnection.
#include "assets/asset_ids.h"
#include "connect_fixture.h"
#include "runtime/picture.h"
#include "runtime/vb_instance.h"
#include <commctrl.h>
#include <ocidl.h>

namespace hv::test {

namespace {
BOOL CALLBACK CountTitled(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<std::pair<std::string, int>*>(p);
    if (WindowText(w) == s->first) ++s->second;
    return TRUE;
}
int CountWindows(const std::string& title) {
    std::pair<std::string, int> s{title, 0};
    EnumThreadWindows(GetCurrentThreadId(), &CountTitled, reinterpret_cast<LPARAM>(&s));
    return s.second;
}
// The thread's DPI awareness where the system knows it (Windows 10 and Wine), else -1.
int ThreadDpiAwareness() {
    using GetContext = HANDLE(WINAPI*)();
    using GetAwareness = int(WINAPI*)(HANDLE);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto context = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
    auto awareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
    return context && awareness ? awareness(context()) : -1;
}
} // namespace

using host::ext_cm_AfterStartup;
using host::ext_cm_CommandLine;
using host::ext_cm_External;
using host::ext_cm_Startup;

TEST_F(ConnectionTest, EachConnectModeWithEachStoredSetting) {
    struct Case {
        long mode;
        std::optional<std::string> stored;
        bool button, window;
    };
    const Case cases[] = {
        {ext_cm_AfterStartup, "1", true, true},
        {ext_cm_AfterStartup, "0", true, false},
        {ext_cm_AfterStartup, std::nullopt, true, false},
        {ext_cm_AfterStartup, " 1", true, false},
        {ext_cm_AfterStartup, "yes", true, false},
        {ext_cm_AfterStartup, "", true, false},
        {ext_cm_Startup, "1", true, false},
        {ext_cm_CommandLine, "1", true, false},
        {ext_cm_External, "0", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", stored " + c.stored.value_or("(none)"));
        Open(host::IdeOptions{});
        ForgetSetting();
        if (c.stored) StoreSetting(*c.stored);
        MessageBoxes boxes;
        ASSERT_TRUE(ConnectAddin(c.mode));
        EXPECT_TRUE(boxes.seen().empty());
        EXPECT_EQ(AddinButton() != nullptr, c.button);
        EXPECT_EQ(Standard().controls.size(), c.button ? 7u : 6u);
        EXPECT_EQ(WindowShown(), c.window);
        EXPECT_EQ(FormDisplayed(), c.window);
        if (c.window) {
            HWND w = connect_->mainWindow()->hWnd();
            EXPECT_NE(GetForegroundWindow(), w) << "shown without taking the focus";
        }
        Disconnect();
        EXPECT_EQ(StoredSetting(), c.window ? "1" : "0");
        EXPECT_FALSE(AddinButton());
    }
}

TEST_F(ConnectionTest, TheButtonStandsBeforeTheLastControlWithItsCaptionFaceAndSeparator) {
    ASSERT_TRUE(ConnectAddin(ext_cm_Startup));
    ASSERT_EQ(Standard().controls.size(), 7u);
    const auto& button = Standard().controls[5];
    EXPECT_EQ(button->caption, L"VB 6 Huevista");
    EXPECT_TRUE(button->beginGroup);
    EXPECT_EQ(Standard().controls[6]->caption, L"Undo");
    // The face is the add-in's picture, pixel for pixel.
    auto picture = rt::Picture::FromResource(IDB_ADDIN_BUTTON);
    ASSERT_TRUE(picture);
    ASSERT_EQ(button->faceWidth, 32);
    ASSERT_EQ(button->faceHeight, 32);
    int differ = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const ColorValue c = picture->Pixel(x, y);
            const std::uint32_t expected = RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c);
            differ += button->face[y * 32 + x] != expected;
        }
    EXPECT_EQ(differ, 0);
    // On the toolbar: a separator, then the button with a picture and its caption as tooltip.
    const LRESULT index = SendMessageW(ide_->toolbar(), TB_COMMANDTOINDEX, button->id, 0);
    TBBUTTON before{}, self{};
    SendMessageW(ide_->toolbar(), TB_GETBUTTON, index - 1, reinterpret_cast<LPARAM>(&before));
    SendMessageW(ide_->toolbar(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&self));
    EXPECT_TRUE(before.fsStyle & BTNS_SEP);
    EXPECT_GE(self.iBitmap, 0);
    EXPECT_FALSE(self.fsStyle & BTNS_SHOWTEXT);
}

TEST_F(ConnectionTest, TheButtonOpensTheWindowAndASecondClickShowsTheSameOne) {
    ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
    EXPECT_FALSE(WindowShown());
    ClickAddinButton();
    ASSERT_TRUE(WindowShown());
    EXPECT_TRUE(FormDisplayed());
    HWND first = connect_->mainWindow()->hWnd();
    ShowWindow(first, SW_HIDE);
    ClickAddinButton();
    EXPECT_TRUE(WindowShown());
    EXPECT_EQ(connect_->mainWindow()->hWnd(), first);
    EXPECT_EQ(CountWindows("VB 6 Huevista"), 1);
}

// Some add-ins make the IDE's process DPI-aware, and the whole IDE shrinks: this one follows
// the DPI the process has.
TEST_F(ConnectionTest, ConnectingAndOpeningTheWindowLeaveTheProcessDpiAwarenessAlone) {
    const BOOL process = IsProcessDPIAware();
    const int thread = ThreadDpiAwareness();
    ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
    ClickAddinButton();
    ASSERT_TRUE(WindowShown());
    EXPECT_EQ(IsProcessDPIAware(), process);
    EXPECT_EQ(ThreadDpiAwareness(), thread);
    Disconnect();
    EXPECT_EQ(IsProcessDPIAware(), process);
}

TEST_F(ConnectionTest, ClosingTheWindowItselfStillCountsAsDisplayedAtDisconnection) {
    ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
    ClickAddinButton();
    ASSERT_TRUE(WindowShown());
    // What the window's own close picture does: it unloads the window, nothing more.
    connect_->mainWindow()->Unload();
    PumpMessages();
    EXPECT_FALSE(WindowShown());
    EXPECT_TRUE(FormDisplayed());
    Disconnect();
    EXPECT_EQ(StoredSetting(), "1");
}

TEST_F(ConnectionTest, MainHideAndShowThroughTheClassInterface) {
    ASSERT_TRUE(ConnectAddin(ext_cm_Startup));
    EXPECT_FALSE(rt::Call(dispatch_.Get(), L"Main"));
    EXPECT_TRUE(WindowShown());
    EXPECT_FALSE(rt::Call(dispatch_.Get(), L"Hide"));
    EXPECT_FALSE(WindowShown());
    EXPECT_FALSE(FormDisplayed());
    EXPECT_TRUE(connect_->mainWindow()->Loaded());
    EXPECT_FALSE(rt::Call(dispatch_.Get(), L"Show"));
    EXPECT_TRUE(WindowShown());
    EXPECT_FALSE(rt::Call(dispatch_.Get(), L"Hide"));
    Disconnect();
    EXPECT_EQ(StoredSetting(), "0");
}

TEST_F(ConnectionTest, AddToAddInCommandBarPutsAnItemOnTheAddInsMenu) {
    ASSERT_TRUE(ConnectAddin(ext_cm_Startup));
    // Called by name, as another program would call the class.
    ComPtr<IDispatch> item;
    ASSERT_FALSE(
        rt::GetObject(dispatch_.Get(), L"AddToAddInCommandBar", {L"Colour workshop"}, item));
    ASSERT_TRUE(item);
    EXPECT_EQ(Text(item.Get(), L"Caption"), L"Colour workshop");
    host::CommandBar* addins = ide_->BarNamed(L"Add-Ins");
    ASSERT_EQ(addins->controls.size(), 2u);
    EXPECT_EQ(addins->controls[1]->caption, L"Colour workshop");
    EXPECT_EQ(GetMenuItemCount(addins->menu), 2);
    // Without the menu it gives Nothing, and no message.
    ide_->faults().Set(L"CommandBars.Item", host::FaultKind::Error);
    MessageBoxes boxes;
    ComPtr<IDispatch> none;
    EXPECT_FALSE(rt::GetObject(dispatch_.Get(), L"AddToAddInCommandBar", {L"Again"}, none));
    EXPECT_FALSE(none);
    EXPECT_EQ(addins->controls.size(), 2u);
    ASSERT_TRUE(PumpPostedMessages());
    ASSERT_TRUE(PumpPastTimer(60)); // the answering timer's ticks, too
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(ConnectionTest, MenuHandlerIsTheEventObjectAndSettingNothingEndsTheClicks) {
    ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
    ComPtr<IDispatch> handler = Object(dispatch_.Get(), L"MenuHandler");
    ASSERT_TRUE(handler);
    ComPtr<IConnectionPointContainer> events;
    EXPECT_EQ(handler.As(&events), S_OK);
    // Set MenuHandler = Nothing, as VB assigns an object: by reference.
    VARIANT nothing;
    nothing.vt = VT_DISPATCH;
    nothing.pdispVal = nullptr;
    EXPECT_EQ(RawInvoke(dispatch_.Get(), L"MenuHandler", DISPATCH_PROPERTYPUTREF, {nothing},
                        {DISPID_PROPERTYPUT}),
              S_OK);
    ClickAddinButton();
    EXPECT_FALSE(WindowShown());
    // And back: the clicks come again.
    VARIANT again;
    again.vt = VT_DISPATCH;
    again.pdispVal = handler.Get();
    EXPECT_EQ(RawInvoke(dispatch_.Get(), L"MenuHandler", DISPATCH_PROPERTYPUTREF, {again},
                        {DISPID_PROPERTYPUT}),
              S_OK);
    ClickAddinButton();
    EXPECT_TRUE(WindowShown());
}

TEST_F(ConnectionTest, AnEventObjectThatComesAsIUnknownWorksToo) {
    host::IdeOptions options;
    options.eventsAsUnknown = true;
    Open(options);
    ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
    ClickAddinButton();
    EXPECT_TRUE(WindowShown());
}

TEST_F(ConnectionTest, WithoutCommandBarTwoOneMessageAndStillConnectedWithoutAButton) {
    host::IdeOptions options;
    options.standardBar = false;
    Open(options);
    StoreSetting("1");
    MessageBoxes boxes;
    ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
    ASSERT_EQ(boxes.seen().size(), 1u);
    const auto& box = boxes.seen()[0];
    EXPECT_EQ(box.title, L"Pigmora");
    EXPECT_EQ(box.text, L"Invalid procedure call or argument");
    EXPECT_EQ(box.buttons, 1);
    EXPECT_FALSE(box.icon);
    EXPECT_TRUE(ide_->addins().IsLoaded(kProgId));
    // The steps after the failing one did not run: no window although "1" was stored.
    EXPECT_FALSE(WindowShown());
    // Still connected: its class interface works and disconnection is clean.
    EXPECT_FALSE(rt::Call(dispatch_.Get(), L"Show"));
    EXPECT_TRUE(WindowShown());
    Disconnect();
    EXPECT_EQ(StoredSetting(), "1");
}

TEST_F(ConnectionTest, AnErrorWithoutDescriptionShowsATextMadeFromItsCode) {
    host::IdeOptions options;
    options.faults = L"CommandBars.Item=bare";
    Open(options);
    MessageBoxes boxes;
    ASSERT_TRUE(ConnectAddin(ext_cm_Startup));
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text.rfind(L"Automation error &H80004005", 0), 0u)
        << std::string(boxes.seen()[0].text.begin(), boxes.seen()[0].text.end());
}

TEST_F(ConnectionTest, ACosmeticStepThatFailsLeavesAWorkingButtonWithoutAMessage) {
    for (const wchar_t* fault : {L"CommandBarControl.PasteFace", L"CommandBarControl.Caption",
                                 L"CommandBarControl.BeginGroup"}) {
        SCOPED_TRACE(std::string(fault, fault + wcslen(fault)));
        host::IdeOptions options;
        options.faults = fault;
        Open(options);
        MessageBoxes boxes;
        ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
        EXPECT_TRUE(boxes.seen().empty());
        ASSERT_EQ(Standard().controls.size(), 7u);
        // The new button is the one before the last of the bar, and its click opens the window.
        auto button = Standard().controls[5];
        RECT r{};
        ASSERT_TRUE(ide_->ButtonRect(*button, &r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(ide_->toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(ide_->toolbar(), WM_LBUTTONUP, 0, at);
        PumpMessages();
        EXPECT_TRUE(WindowShown());
        Disconnect();
        EXPECT_EQ(Standard().controls.size(), 6u);
    }
}

TEST_F(ConnectionTest, DisconnectionLetsGoOfEverythingOfTheIde) {
    const long before = host::DispatchObject::LiveObjects();
    ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
    ClickAddinButton();
    EXPECT_GT(host::DispatchObject::LiveObjects(), before);
    Disconnect();
    // Neither the VBE nor the button nor the event object is held any more.
    EXPECT_EQ(host::DispatchObject::LiveObjects(), before);
    EXPECT_EQ(rt::VBInstance(), nullptr);
}

} // namespace hv::test
