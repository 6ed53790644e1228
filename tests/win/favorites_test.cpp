// The ten favourites in the main window, stored in the real registry.
#include "colour/favorites.h"
#include "forms/frm_main.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <sddl.h>

namespace hv::test {

namespace {

const char* kKey = colour::kFavoritesKey;

std::string Stored(int n, HKEY hive = HKEY_LOCAL_MACHINE) {
    char buf[256] = "";
    DWORD size = sizeof buf - 1;
    HKEY k;
    if (RegOpenKeyExA(hive, kKey, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return "<no key>";
    const std::string name = "Color" + std::to_string(n);
    if (RegQueryValueExA(k, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS)
        strcpy(buf, "<none>");
    RegCloseKey(k);
    return buf;
}

void Store(int n, const char* text, HKEY hive = HKEY_LOCAL_MACHINE) {
    HKEY k;
    RegCreateKeyExA(hive, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
    const std::string name = "Color" + std::to_string(n);
    RegSetValueExA(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text)));
    RegCloseKey(k);
}

// Everyone may read the key, nobody may change its values.
void DenyWrites(bool deny, HKEY hive = HKEY_LOCAL_MACHINE) {
    HKEY k;
    ASSERT_EQ(RegOpenKeyExA(hive, kKey, 0, READ_CONTROL | WRITE_DAC, &k), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR sd = nullptr;
    const char* sddl = deny ? "D:(D;;KW;;;WD)(A;;KA;;;WD)" : "D:(A;;KA;;;WD)";
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr));
    EXPECT_EQ(RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    LocalFree(sd);
    RegCloseKey(k);
}

HWND ColourArea(controls::LumoColorContainer* swatch) { return GetWindow(swatch->hwnd(), GW_CHILD); }

} // namespace

class FavoritesTest : public ::testing::Test {
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override {
        main_.reset();
        PumpMessages();
        Clean();
    }
    static void Clean() {
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            HKEY k;
            if (RegOpenKeyExA(hive, kKey, 0, WRITE_DAC, &k) == ERROR_SUCCESS) {
                RegCloseKey(k);
                DenyWrites(false, hive);
            }
        }
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            RegDeleteTreeA(hive, "Software\\Lumo");
            RegDeleteKeyA(hive, "Software\\Lumo");
        }
    }
    forms::frmMain& Load() {
        main_ = std::make_unique<forms::frmMain>();
        main_->Load();
        PumpMessages();
        return *main_;
    }
    std::string Components() const {
        return main_->txtR->Text() + " " + main_->txtG->Text() + " " + main_->txtB->Text();
    }
    void Press(int i, UINT msg = WM_LBUTTONDOWN, WPARAM keys = MK_LBUTTON) {
        SendMessageA(ColourArea(main_->CC[i]), msg, keys, MAKELPARAM(3, 3));
        SendMessageA(ColourArea(main_->CC[i]), msg == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    std::unique_ptr<forms::frmMain> main_;
};

TEST_F(FavoritesTest, FirstLoadShowsTheDesignedColoursWithSwatchZeroSelected) {
    auto& m = Load();
    for (auto* cc : m.CC) EXPECT_EQ(cc->BackColor(), SystemColor(COLOR_WINDOW));
    EXPECT_EQ(m.CC[0]->Style(), 1);
    for (int i = 1; i < 10; ++i) EXPECT_EQ(m.CC[i]->Style(), 0);
    EXPECT_EQ(m.txtIndex->Text(), "0");
    EXPECT_EQ(m.txtTempFav->Text(), "&H0080000005&");
    EXPECT_EQ(Stored(1), "<none>"); // loading writes nothing
    Press(0);
    const COLORREF window = GetSysColor(COLOR_WINDOW); // the system colour as it is now
    EXPECT_EQ(Components(), std::to_string(GetRValue(window)) + " " +
                                std::to_string(GetGValue(window)) + " " +
                                std::to_string(GetBValue(window)));
}

TEST_F(FavoritesTest, StoredTextsLoadAndBadOnesKeepTheDesignedColour) {
    Store(1, "16777215");
    Store(2, "-2147483643");
    Store(3, "");
    Store(4, "blue");
    Store(5, "99999999999");
    Store(6, " &HFF ");
    Store(7, "255");
    auto& m = Load();
    EXPECT_EQ(m.CC[0]->BackColor(), 0xFFFFFF);
    EXPECT_EQ(m.CC[1]->BackColor(), SystemColor(5));
    EXPECT_EQ(m.CC[2]->BackColor(), SystemColor(5));
    EXPECT_EQ(m.CC[3]->BackColor(), SystemColor(5));
    EXPECT_EQ(m.CC[4]->BackColor(), SystemColor(5));
    EXPECT_EQ(m.CC[5]->BackColor(), 0xFF);
    EXPECT_EQ(m.CC[6]->BackColor(), 0xFF);
    EXPECT_EQ(m.txtTempFav->Text(), "&H00FFFFFF&");
}

TEST_F(FavoritesTest, AnyButtonSelectsAndShowsTheFavouritesComponents) {
    Store(4, "1193046"); // 0x123456
    auto& m = Load();
    Press(3, WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_EQ(m.CC[3]->Style(), 1);
    EXPECT_EQ(m.CC[0]->Style(), 0);
    EXPECT_EQ(m.txtIndex->Text(), "3");
    EXPECT_EQ(m.txtTempFav->Text(), "&H00123456&");
    EXPECT_EQ(Components(), "86 52 18");
    EXPECT_EQ(m.txtColorCode->Text(), "&H00FFFFFF&"); // the current colour stays
    SendMessageA(ColourArea(m.CC[3]), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(m.CC[3]->ColorTipText(),
              "Favorite colors, DoubleClick to modify \n"
              "Contrast with the current color: 11.07:1, AA pass, AAA pass");
}

TEST_F(FavoritesTest, StoringTheCurrentColourWritesAllTen) {
    auto& m = Load();
    Press(3);
    colour::SetCurrentColor(m.fields(), 0xFFFFFF);
    const std::string components = Components();
    ClickAt(m.cmdACFav->hwnd(), 16, 8);
    EXPECT_EQ(m.CC[3]->BackColor(), 0xFFFFFF);
    EXPECT_EQ(m.CC[3]->Style(), 1);
    EXPECT_EQ(m.txtTempFav->Text(), "&H00FFFFFF&");
    EXPECT_EQ(Components(), components);
    EXPECT_EQ(Stored(4), "16777215");
    for (int n : {1, 2, 3, 5, 10}) EXPECT_EQ(Stored(n), "-2147483643") << n;
    EXPECT_EQ(GetFocus(), m.picBasicCol->hwnd());
    // Kept across loads of the window.
    main_.reset();
    auto& again = Load();
    EXPECT_EQ(again.CC[3]->BackColor(), 0xFFFFFF);
    EXPECT_EQ(again.CC[0]->Style(), 1); // the selection starts over
}

TEST_F(FavoritesTest, DoubleClickThenCancelRewritesAllTenAndShowsTheComponents) {
    Store(2, "255");
    auto& m = Load();
    HWND area = ColourArea(m.CC[1]);
    std::string title;
    ModalAnswer answer([&](HWND dlg) {
        title = WindowText(dlg);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageA(area, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(area, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    SendMessageA(area, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(area, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(title, "Select color");
    EXPECT_EQ(m.CC[1]->BackColor(), 0xFF);
    EXPECT_EQ(Components(), "255 0 0");
    EXPECT_EQ(m.txtTempFav->Text(), "&H00FF&");
    for (int n = 1; n <= 10; ++n) EXPECT_NE(Stored(n), "<none>") << n;
    EXPECT_EQ(m.txtColorCode->Text(), "&H00FFFFFF&");
}

TEST_F(FavoritesTest, ARefusedWriteStillChangesTheSwatchAndLosesNothing) {
    Store(1, "255");
    auto& m = Load();
    DenyWrites(true);
    Press(2);
    colour::SetCurrentColor(m.fields(), 0x00FF00);
    ClickAt(m.cmdACFav->hwnd(), 16, 8);
    EXPECT_EQ(m.CC[2]->BackColor(), 0x00FF00);
    EXPECT_EQ(m.txtTempFav->Text(), "&H00FF00&");
    EXPECT_EQ(Stored(1), "255");
    EXPECT_EQ(Stored(3), "<none>");
    // The key can still be read: the next load brings back what was stored.
    main_.reset();
    EXPECT_EQ(Load().CC[0]->BackColor(), 0xFF);
    DenyWrites(false);
}

// A user who may not change the machine's key (Office declares itself Vista-aware, so
// Windows gives it no virtual copy) keeps the ten in a copy of their own; the machine's key
// stays as it was, and the user's copy is read first from then on.
TEST_F(FavoritesTest, WithTheMachineKeyRefusingWritesTheTenSurviveAReconnection) {
    Store(1, "255");
    Store(2, "65280");
    auto& m = Load();
    DenyWrites(true);
    Press(2);
    colour::SetCurrentColor(m.fields(), 0xFF0000);
    ClickAt(m.cmdACFav->hwnd(), 16, 8);
    std::vector<decltype(m.CC[0]->BackColor())> shown;
    for (auto* cc : m.CC) shown.push_back(cc->BackColor());
    EXPECT_EQ(shown[2], 0xFF0000);
    EXPECT_EQ(Stored(1), "255");
    EXPECT_EQ(Stored(3), "<none>") << "the machine's key is left as it was";
    EXPECT_EQ(Stored(3, HKEY_CURRENT_USER), "16711680");

    main_.reset();
    PumpMessages();
    auto& again = Load();
    for (int i = 0; i < 10; ++i) EXPECT_EQ(again.CC[i]->BackColor(), shown[i]) << i;

    // Once the machine's key takes writes again, both keep step: neither is left behind.
    DenyWrites(false);
    Press(0);
    colour::SetCurrentColor(again.fields(), 0x0000FF);
    ClickAt(again.cmdACFav->hwnd(), 16, 8);
    EXPECT_EQ(Stored(3), "16711680");
    EXPECT_EQ(Stored(1, HKEY_CURRENT_USER), "255");
    EXPECT_EQ(Stored(1), "255");
    main_.reset();
    PumpMessages();
    EXPECT_EQ(Load().CC[2]->BackColor(), 0xFF0000);
}

TEST_F(FavoritesTest, TheUsersCopyComesFirstAndTheMachinesFillsWhatItLacks) {
    Store(1, "255");
    Store(2, "65280");
    Store(2, "16711680", HKEY_CURRENT_USER);
    Store(3, "blue", HKEY_CURRENT_USER);
    auto& m = Load();
    EXPECT_EQ(m.CC[0]->BackColor(), 0xFF);
    EXPECT_EQ(m.CC[1]->BackColor(), 0xFF0000);
    EXPECT_EQ(m.CC[2]->BackColor(), SystemColor(5)) << "no number: the designed colour";
}

namespace {
// A key's values, names and data, to put back later as they were.
using KeyValues = std::vector<std::pair<std::string, std::string>>;
KeyValues ValuesOf(HKEY hive) {
    KeyValues out;
    HKEY k;
    if (RegOpenKeyExA(hive, kKey, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return out;
    char name[64], data[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name, d = sizeof data;
        if (RegEnumValueA(k, i, name, &n, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &d) != ERROR_SUCCESS) break;
        out.emplace_back(name, std::string(data, d));
    }
    RegCloseKey(k);
    return out;
}
void PutBack(HKEY hive, const KeyValues& values) {
    HKEY k;
    ASSERT_EQ(RegOpenKeyExA(hive, kKey, 0, KEY_SET_VALUE, &k), ERROR_SUCCESS);
    for (const auto& [name, data] : values)
        RegSetValueExA(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    RegCloseKey(k);
}
} // namespace

// Every save writes both copies with its time; the newer is read. A user's copy older than
// the machine's (another user saved since, or another version wrote the machine's key without
// a time) never hides the machine's values, and the old values stay readable as before.
TEST_F(FavoritesTest, TheCopySavedLastIsReadAndAnOlderUserCopyNeverHidesANewerMachineValue) {
    auto& m = Load();
    Press(3);
    colour::SetCurrentColor(m.fields(), 0x0000FF);
    ClickAt(m.cmdACFav->hwnd(), 16, 8);
    EXPECT_EQ(Stored(4), "255");
    EXPECT_EQ(Stored(4, HKEY_CURRENT_USER), "255");
    const KeyValues older = ValuesOf(HKEY_CURRENT_USER);
    ASSERT_EQ(older.size(), 11u) << "the ten and the time they were saved";

    colour::SetCurrentColor(m.fields(), 0x00FF00);
    ClickAt(m.cmdACFav->hwnd(), 16, 8);
    EXPECT_EQ(Stored(4), "65280");
    // This user's copy as it was before: the machine's key was saved since.
    PutBack(HKEY_CURRENT_USER, older);
    EXPECT_EQ(Stored(4, HKEY_CURRENT_USER), "255");
    main_.reset();
    EXPECT_EQ(Load().CC[3]->BackColor(), 0x00FF00);

    // The user's copy saved last wins in its turn (the machine's key refusing the save).
    main_.reset();
    auto& again = Load();
    DenyWrites(true);
    Press(3);
    colour::SetCurrentColor(again.fields(), 0xFF0000);
    ClickAt(again.cmdACFav->hwnd(), 16, 8);
    DenyWrites(false);
    EXPECT_EQ(Stored(4), "65280");
    EXPECT_EQ(Stored(4, HKEY_CURRENT_USER), "16711680");
    main_.reset();
    EXPECT_EQ(Load().CC[3]->BackColor(), 0xFF0000);

    // A writer that knows no times (an older version) changes the machine's key alone: it is
    // the newest, whatever the times say.
    main_.reset();
    Store(4, "16776960");
    EXPECT_EQ(Load().CC[3]->BackColor(), 0xFFFF00);
}

// A script or an older version writes the machine's key anew, without a stamp, after the
// user's copy was saved: the key's last write says it is newer.
TEST_F(FavoritesTest, AMachineCopyWrittenWithoutAStampAfterTheUsersSaveIsShown) {
    auto& m = Load();
    Press(3);
    colour::SetCurrentColor(m.fields(), 0x0000FF);
    ClickAt(m.cmdACFav->hwnd(), 16, 8);
    ASSERT_EQ(Stored(4, HKEY_CURRENT_USER), "255");
    main_.reset();
    // Stamps count whole seconds: the script writes in a later one.
    char stamp[64] = "";
    DWORD size = sizeof stamp;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kKey, colour::kFavoritesStamp, RRF_RT_REG_SZ,
                           nullptr, stamp, &size), ERROR_SUCCESS);
    const unsigned long long saved = std::strtoull(stamp, nullptr, 10) + 12622780800ull;
    EXPECT_TRUE(PumpUntil([&] {
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        return (ULARGE_INTEGER{{now.dwLowDateTime, now.dwHighDateTime}}.QuadPart / 10000000) > saved;
    }));
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    Store(4, "16776960");
    EXPECT_EQ(Load().CC[3]->BackColor(), 0xFFFF00);
}

// When neither copy takes the ten, the user is told, once, and the swatch keeps the colour.
TEST_F(FavoritesTest, ASaveNeitherCopyTakesIsToldOnceAndTheSwatchKeepsItsColour) {
    Store(1, "255");
    Store(1, "255", HKEY_CURRENT_USER);
    auto& m = Load();
    DenyWrites(true);
    DenyWrites(true, HKEY_CURRENT_USER);
    std::string told;
    {
        ModalAnswer answer([&](HWND box) {
            told = WindowText(box) + ": " + WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        Press(2);
        colour::SetCurrentColor(m.fields(), 0x00FF00);
        ClickAt(m.cmdACFav->hwnd(), 16, 8);
        EXPECT_TRUE(answer.answered());
    }
    EXPECT_EQ(told.rfind("Pigmora: Your favorite colors could not be saved", 0), 0u) << told;
    EXPECT_EQ(m.CC[2]->BackColor(), 0x00FF00);
    {
        ModalAnswer again([](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); });
        Press(4);
        ClickAt(m.cmdACFav->hwnd(), 16, 8);
        EXPECT_FALSE(again.answered()) << "told a second time";
    }
    EXPECT_EQ(m.CC[4]->BackColor(), 0x00FF00);
    EXPECT_EQ(Stored(3), "<none>");
    EXPECT_EQ(Stored(3, HKEY_CURRENT_USER), "<none>");
    DenyWrites(false);
    DenyWrites(false, HKEY_CURRENT_USER);
}

} // namespace hv::test
