// The add-in let go of by the IDE while one of its handlers waits in a modal loop (a colour
// dialog, a message box, the format menu, the preview's code menu): the user can unload it
// from the Add-In Manager or close the IDE meanwhile, since the main window has no owner.
// When the loop returns, the handler must still find its objects, write nothing made of
// destroyed state, and the DLL must not be unloadable while that handler is on the stack.
#include "connect/class_factory.h"
#include "connect_fixture.h"
#include "forms/frm_main.h"
#include "support/clipboard_holder_process.h"
#include <map>

namespace hv::test {

namespace {

using Values = std::map<std::string, std::string>;
constexpr char kFavourites[] = "Software\\Lumo\\ColorValues";

// Every value of the favourites' key, as text.
Values Favourites() {
    Values v;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFavourites, 0, KEY_READ, &key)) return v;
    char name[64], data[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name, size = sizeof data - 1, type = 0;
        if (RegEnumValueA(key, i, name, &n, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS)
            break;
        data[size] = 0;
        v[name] = data;
    }
    RegCloseKey(key);
    return v;
}

} // namespace

class TeardownInModalTest : public ConnectionTest {
  protected:
    void SetUp() override {
        ConnectionTest::SetUp();
        // Ten favourites of the user's own, as stored numbers of colours.
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFavourites, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        for (int n = 1; n <= 10; ++n) {
            const std::string name = "Color" + std::to_string(n), value = std::to_string(n * 4099);
            RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
        }
        RegCloseKey(key);
        ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
        ClickAddinButton();
        ASSERT_TRUE(WindowShown());
        main_ = connect_->mainWindow();
        mainWindow_ = main_->hWnd();
        favourites_ = Favourites();
    }
    void TearDown() override {
        ConnectionTest::TearDown();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFavourites);
        RegDeleteKeyA(HKEY_CURRENT_USER, kFavourites); // the user's copy a save makes
    }

    // From inside the loop: `letGo` (the IDE disconnecting and releasing the add-in), then
    // the IDE freeing the libraries nobody uses; then `close` ends the loop.
    void FromInside(const std::function<void()>& letGo, HWND loop,
                    const std::function<void(HWND)>& close) {
        letGo();
        connect_ = nullptr;
        dispatch_.Reset();
        CoFreeUnusedLibrariesEx(0, 0);
        unloadableInside_ = connect::CanUnloadNow();
        unloaded_ = true;
        close(loop);
    }
    // The user unloading the add-in in the Add-In Manager.
    void UnloadFromInside(HWND loop, const std::function<void(HWND)>& close) {
        FromInside([&] { ide_->addins().Unload(kProgId, host::ext_dm_UserClosed); }, loop, close);
    }

    // The add-in is gone without a trace, the favourites are as they were, and a second
    // connection works.
    void ExpectCleanlyGone() {
        // What the teardown posted has run.
        ASSERT_TRUE(PumpPostedMessages());
        EXPECT_TRUE(unloaded_) << "the loop was not reached";
        EXPECT_FALSE(unloadableInside_) << "unloadable with a handler of the DLL on the stack";
        EXPECT_TRUE(connect::CanUnloadNow()) << "still held once the loop returned";
        EXPECT_FALSE(IsWindow(mainWindow_));
        EXPECT_EQ(Favourites(), favourites_);
        ASSERT_TRUE(ConnectAddin(ext_cm_AfterStartup));
        ClickAddinButton();
        EXPECT_TRUE(WindowShown());
    }

    static void Cancel(HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); }
    static void Ok(HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDOK, 0); }

    forms::frmMain* main_ = nullptr;
    HWND mainWindow_ = nullptr;
    Values favourites_;
    bool unloaded_ = false, unloadableInside_ = true;
};

TEST_F(TeardownInModalTest, ThePreviewsColourDialog) {
    ModalAnswer answer([&](HWND dlg) { UnloadFromInside(dlg, Cancel); });
    ClickAt(main_->picCurrentCol->hwnd(), 5, 5);
    PumpUntil([&] { return answer.answered(); });
    ExpectCleanlyGone();
}

TEST_F(TeardownInModalTest, AFavouritesColourDialogConfirmed) {
    ModalAnswer answer([&](HWND dlg) { UnloadFromInside(dlg, Ok); });
    HWND area = main_->CC[2]->hwnd();
    // The swatch's colour area is its child, where the double click lands.
    if (HWND child = GetWindow(area, GW_CHILD)) area = child;
    SendMessageA(area, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(area, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    SendMessageA(area, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(area, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpUntil([&] { return answer.answered(); });
    // OK kept the swatch's own colour: the ten stored values are what they were.
    ExpectCleanlyGone();
}

TEST_F(TeardownInModalTest, TheNoCodePaneMessage) {
    while (auto p = ide_->ActivePane())
        SendMessageW(p->window(), WM_CLOSE, 0, 0);
    ModalAnswer answer([&](HWND box) { UnloadFromInside(box, Ok); });
    ClickAt(main_->cmdInsert->hwnd(), 14, 11);
    PumpUntil([&] { return answer.answered(); });
    ExpectCleanlyGone();
}

TEST_F(TeardownInModalTest, TheLockedClipboardMessage) {
    PROCESS_INFORMATION holder = StartClipboardHolder("3000");
    ModalAnswer answer([&](HWND box) { UnloadFromInside(box, Ok); });
    ClickAt(main_->cmdCopy->hwnd(), 14, 11);
    PumpUntil([&] { return answer.answered(); });
    FinishClipboardHolder(holder);
    ExpectCleanlyGone();
}

TEST_F(TeardownInModalTest, TheFormatMenu) {
    ModalAnswer answer([&](HWND) { UnloadFromInside(nullptr, [](HWND) { SendKey(VK_ESCAPE); }); },
                       "#32768");
    ClickAt(main_->cmdRGBMenu->hwnd(), 10, 10);
    PumpUntil([&] { return answer.answered(); });
    ExpectCleanlyGone();
}

TEST_F(TeardownInModalTest, ThePreviewsCodeMenu) {
    ModalAnswer answer([&](HWND) { UnloadFromInside(nullptr, [](HWND) { SendKey(VK_ESCAPE); }); },
                       "#32768");
    const HWND preview = main_->picCurrentCol->hwnd();
    SendMessageA(preview, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(preview, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpUntil([&] { return answer.answered(); });
    ExpectCleanlyGone();
}

TEST_F(TeardownInModalTest, TheIdeClosingWhileTheColourDialogIsOpen) {
    ModalAnswer answer([&](HWND dlg) {
        FromInside([&] { SendMessageW(ide_->hwnd(), WM_CLOSE, 0, 0); }, dlg, Cancel);
    });
    ClickAt(main_->picCurrentCol->hwnd(), 5, 5);
    PumpUntil([&] { return answer.answered(); });
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_FALSE(ide_->addins().IsLoaded(kProgId));
    EXPECT_FALSE(unloadableInside_);
    EXPECT_TRUE(connect::CanUnloadNow());
    EXPECT_FALSE(IsWindow(mainWindow_));
    EXPECT_EQ(Favourites(), favourites_);
}

} // namespace hv::test
