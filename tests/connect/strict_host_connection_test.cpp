// The add-in against what the real IDEs do to it: a button left by an earlier session, a
// localised VB6, a PasteFace that fails or does nothing, the window reopened at start-up.
#include "connect_fixture.h"
#include <cstring>

namespace hv::test {

namespace {

std::wstring ClipboardText(HWND owner) {
    std::wstring text = L"(none)";
    if (!OpenClipboard(owner)) return L"(held)";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

void PutClipboardText(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(g), text.c_str(), bytes);
    GlobalUnlock(g);
    SetClipboardData(CF_UNICODETEXT, g);
    CloseClipboard();
}

BOOL CALLBACK CountMain(HWND w, LPARAM p) {
    if (WindowText(w) == "VB 6 Huevista" && IsWindowVisible(w)) ++*reinterpret_cast<int*>(p);
    return TRUE;
}

} // namespace

class StrictHostConnectionTest : public ConnectionTest {
  protected:
    // The add-in's buttons on every bar, kept or live.
    std::vector<std::shared_ptr<host::BarControl>> Buttons() {
        std::vector<std::shared_ptr<host::BarControl>> all;
        for (long i = 1; auto* bar = ide_->BarAt(i); ++i)
            for (const auto& c : bar->controls)
                if (c->caption == L"VB 6 Huevista") all.push_back(c);
        return all;
    }
    int MainWindows() {
        int n = 0;
        EnumThreadWindows(GetCurrentThreadId(), &CountMain, reinterpret_cast<LPARAM>(&n));
        return n;
    }
};

// An IDE that died before OnDisconnection, or a Delete that failed, keeps the button for the
// next session, where nothing answers it: the add-in deletes it before it adds its own.
TEST_F(StrictHostConnectionTest, AButtonLeftByAnEarlierSessionIsDeletedNeverDoubled) {
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_EQ(Buttons().size(), 1u);
    EXPECT_EQ(Buttons()[0]->tag, L"Pigmora.Connect");
    ide_->Crash();
    connect_ = nullptr;
    dispatch_.Reset();
    Open(host::IdeOptions{});
    ASSERT_EQ(Buttons().size(), 1u) << "the dead button of the session that died";
    EXPECT_FALSE(Buttons()[0]->action);
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_EQ(Buttons().size(), 1u);
    EXPECT_EQ(Standard().controls.size(), 7u);
    ClickAddinButton();
    EXPECT_TRUE(WindowShown()) << "the one button left is the live one";
    // A Delete the IDE refuses at disconnection leaves it too.
    ide_->faults().Set(L"CommandBarControl.Delete", host::FaultKind::Error);
    Disconnect();
    ide_->faults().Clear();
    CloseIde();
    Open(host::IdeOptions{});
    ASSERT_EQ(Buttons().size(), 1u);
    ASSERT_TRUE(ConnectAddin(host::ext_cm_AfterStartup));
    EXPECT_EQ(Buttons().size(), 1u);
    Disconnect();
    EXPECT_EQ(Buttons().size(), 0u);
    CloseIde();
    Open(host::IdeOptions{});
    EXPECT_EQ(Buttons().size(), 0u) << "a clean disconnection keeps nothing";
}

// An earlier version left its button, kept by the IDE, without a tag: its caption on the
// Standard bar tells it, and it goes before the live one comes.
TEST_F(StrictHostConnectionTest, AnUntaggedButtonOfAnEarlierVersionIsDeleted) {
    ide_->AddControl(Standard(), 1, 0)->caption = L"VB 6 Huevista";
    ide_->Refresh(Standard());
    CloseIde();
    Open(host::IdeOptions{});
    ASSERT_EQ(Buttons().size(), 1u);
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ASSERT_EQ(Buttons().size(), 1u);
    EXPECT_EQ(Buttons()[0]->tag, L"Pigmora.Connect");
}

TEST_F(StrictHostConnectionTest, ALocalisedVb6GetsTheButtonOnItsStandardBar) {
    if (VbaMode()) GTEST_SKIP() << "a localised VB6";
    host::IdeOptions options;
    options.lang = L"de";
    Open(options);
    MessageBoxes boxes;
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    EXPECT_TRUE(boxes.seen().empty());
    host::CommandBar* bar = ide_->BarAt(2);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->name, L"Voreinstellung");
    ASSERT_EQ(bar->controls.size(), 7u);
    EXPECT_EQ(bar->controls[5]->caption, L"VB 6 Huevista");
    RECT r{};
    EXPECT_TRUE(ide_->ButtonRect(*bar->controls[5], &r));
}

// Public add-ins see PasteFace fail at random; an IDE may also take it and show nothing.
TEST_F(StrictHostConnectionTest, APasteFaceThatFailsOrDoesNothingLeavesAWorkingButton) {
    for (const host::FaultKind kind :
         {host::FaultKind::Error, host::FaultKind::Bare, host::FaultKind::Empty}) {
        SCOPED_TRACE(static_cast<int>(kind));
        Open(host::IdeOptions{});
        ide_->faults().Set(L"CommandBarControl.PasteFace", kind);
        PutClipboardText(ide_->hwnd(), L"the user's own text");
        MessageBoxes boxes;
        ASSERT_TRUE(ConnectAddin(host::ext_cm_AfterStartup));
        EXPECT_TRUE(boxes.seen().empty());
        auto button = AddinButton();
        ASSERT_TRUE(button);
        EXPECT_EQ(button->caption, L"VB 6 Huevista");
        EXPECT_EQ(ClipboardText(ide_->hwnd()), L"the user's own text");
        ClickAddinButton();
        EXPECT_TRUE(WindowShown());
        Disconnect();
    }
}

// DisplayOnConnect "1": the window opens once the IDE is up, and only once.
TEST_F(StrictHostConnectionTest, TheWindowOpenAtTheLastCloseOpensAtStartUpOnce) {
    StoreSetting("1");
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    EXPECT_FALSE(WindowShown()) << "not before start-up is complete";
    ide_->addins().StartupComplete();
    EXPECT_TRUE(WindowShown());
    EXPECT_TRUE(FormDisplayed());
    EXPECT_EQ(MainWindows(), 1);
    ide_->addins().StartupComplete();
    EXPECT_EQ(MainWindows(), 1);
    Disconnect();
    EXPECT_EQ(StoredSetting(), "1");

    // Closed last time: it stays closed.
    StoreSetting("0");
    ASSERT_TRUE(ConnectAddin(host::ext_cm_Startup));
    ide_->addins().StartupComplete();
    EXPECT_FALSE(WindowShown());
    Disconnect();

    // Loaded after start-up, the connection opened it already.
    StoreSetting("1");
    ASSERT_TRUE(ConnectAddin(host::ext_cm_AfterStartup));
    EXPECT_TRUE(WindowShown());
    ide_->addins().StartupComplete();
    EXPECT_EQ(MainWindows(), 1);
}

} // namespace hv::test
