// The add-in's Connect object connected to an IDE host, as the IDE connects it, and the
// message boxes it shows answered from inside their modal loops.
#pragma once
#include "connect/connect.h"
#include "host/dispatch.h"
#include "host_fixture.h"
#include "store/settings.h"
#include <optional>
#include <vector>

namespace hv::test {

// Answers every message box of this thread with OK while it lives, and notes what each said.
class MessageBoxes {
  public:
    struct Seen {
        std::wstring title, text;
        int buttons = 0;
        bool icon = false;
    };
    MessageBoxes();
    ~MessageBoxes();
    const std::vector<Seen>& seen() const { return seen_; }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Answer(HWND w, LPARAM);
    UINT_PTR timer_;
    std::vector<Seen> seen_;
};

class ConnectionTest : public HostTest {
  protected:
    static constexpr wchar_t kProgId[] = L"Pigmora.Connect";

    void SetUp() override {
        ForgetSetting();
        HostTest::SetUp();
    }
    void TearDown() override {
        Disconnect();
        HostTest::TearDown();
        ForgetSetting();
        EXPECT_EQ(rt::ModuleLocks(), 0) << "an object of the add-in is still alive";
    }

    // Connects a new Connect object with the mode; true when it stayed connected.
    bool ConnectAddin(long mode) {
        ComPtr<_Connect> made;
        if (FAILED(connect::Connect::CreateInstance(nullptr, IID_PPV_ARGS(&made)))) return false;
        connect_ = static_cast<connect::Connect*>(made.Get());
        dispatch_ = made;
        const HRESULT hr = ide_->addins().Connect(kProgId, made.Get(), mode);
        PumpMessages();
        return hr == S_OK;
    }
    void Disconnect() {
        if (ide_) ide_->addins().Unload(kProgId, host::ext_dm_UserClosed);
        connect_ = nullptr;
        dispatch_.Reset();
        PumpMessages();
    }

    static void ForgetSetting() {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Pigmora");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Pigmora");
    }
    static void StoreSetting(const std::string& value) {
        rt::SaveSetting("Pigmora", "Settings", "DisplayOnConnect", value);
    }
    static std::string StoredSetting() {
        return rt::GetSetting("Pigmora", "Settings", "DisplayOnConnect", "(none)");
    }

    // The add-in's button on the Standard toolbar, if there is one.
    std::shared_ptr<host::BarControl> AddinButton() {
        host::CommandBar* bar = ide_->BarNamed(L"Standard");
        if (!bar) return nullptr;
        for (const auto& c : bar->controls)
            if (c->caption == L"VB 6 Huevista") return c;
        return nullptr;
    }
    // A press and release of the left button over the add-in's toolbar button.
    void ClickAddinButton() {
        auto button = AddinButton();
        ASSERT_TRUE(button);
        RECT r{};
        ASSERT_TRUE(ide_->ButtonRect(*button, &r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(ide_->toolbar(), WM_MOUSEMOVE, 0, at);
        SendMessageW(ide_->toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(ide_->toolbar(), WM_LBUTTONUP, 0, at);
        PumpMessages();
    }
    // The face's width when the clipboard can't be used: none where the face goes through it
    // (the VB6 IDE), the picture's where the button takes it directly (the VBA editor).
    static int FaceWithoutClipboard() { return VbaMode() ? 32 : 0; }
    bool WindowShown() {
        forms::frmMain* main = connect_ ? connect_->mainWindow() : nullptr;
        return main && main->Loaded() && IsWindowVisible(main->hWnd());
    }
    bool FormDisplayed() {
        Variant v;
        EXPECT_FALSE(rt::Get(dispatch_.Get(), L"FormDisplayed", {}, &v));
        return v.vt() == VT_BOOL && v.raw().boolVal == VARIANT_TRUE;
    }

    connect::Connect* connect_ = nullptr;
    ComPtr<IDispatch> dispatch_; // the object as the IDE's late binding sees it
};

} // namespace hv::test
