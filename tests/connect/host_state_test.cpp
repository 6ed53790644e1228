// Loading the add-in, using it and letting it go leaves the IDE's process as it was: its DPI
// awareness, error mode, COM apartment and clipboard viewer chain belong to the IDE.
#include "connect_fixture.h"

namespace hv::test {

namespace {

struct ProcessState {
    int dpiAwareness = -2; // -2: the system has no per-thread awareness
    UINT errorMode = 0;
    APTTYPE apartment = APTTYPE_CURRENT;
    HWND clipboardViewer = nullptr;

    static ProcessState Now() {
        using GetContext = HANDLE(WINAPI*)();
        using GetAwareness = int(WINAPI*)(HANDLE);
        HMODULE user = GetModuleHandleA("user32.dll");
        auto context = reinterpret_cast<GetContext>(
            reinterpret_cast<void (*)()>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
        auto awareness = reinterpret_cast<GetAwareness>(reinterpret_cast<void (*)()>(
            GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
        ProcessState s;
        if (context && awareness) s.dpiAwareness = awareness(context());
        s.errorMode = GetErrorMode();
        APTTYPEQUALIFIER q{};
        CoGetApartmentType(&s.apartment, &q);
        s.clipboardViewer = GetClipboardViewer();
        return s;
    }
};

} // namespace

TEST_F(ConnectionTest, TheIdesProcessIsAsItWasAfterALoadUseAndUnload) {
    const ProcessState before = ProcessState::Now();
    ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
    ClickAddinButton();
    ASSERT_TRUE(WindowShown());
    connect_->mainWindow()->Unload();
    Disconnect();
    const ProcessState after = ProcessState::Now();
    EXPECT_EQ(after.dpiAwareness, before.dpiAwareness);
    EXPECT_EQ(after.errorMode, before.errorMode);
    EXPECT_EQ(after.apartment, before.apartment);
    EXPECT_EQ(after.clipboardViewer, before.clipboardViewer);
}

} // namespace hv::test
