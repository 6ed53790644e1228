// The user's own formats: kept in the settings, listed in the format menu after the six, and
// edited in their window, with bad stored values and bad entries given a defined answer.
#include "core/addin_settings.h"
#include "core/format_template.h"
#include "forms/frm_formats.h"
#include "main_window_fixture.h"
#include "forms/frm_menu.h"
#include "store/own_formats.h"
#include "store/settings.h"
#include <vector>

namespace hv::test {

namespace {

using Texts = std::vector<std::string>;
const std::string kKey = rt::SettingsKey(settings::kApp, settings::kFormatsSection);

void Put(const std::string& name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kKey.c_str(), name.c_str(), type, data, size),
              ERROR_SUCCESS);
}
void Put(const std::string& name, const std::string& text) {
    Put(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
// The value's text, "(none)" when there is no such value, "(other)" when it is no text.
std::string Get(const std::string& name) {
    DWORD type = 0, size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, kKey.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                     &type, nullptr, &size) != ERROR_SUCCESS)
        return "(none)";
    if (type != REG_SZ) return "(other)";
    std::string text(size, '\0');
    RegGetValueA(HKEY_CURRENT_USER, kKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(),
                 &size);
    return text.c_str();
}

Texts Captions(HMENU menu) {
    Texts out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(menu, i, TRUE, &mi);
        out.push_back(mi.fType & MFT_SEPARATOR ? "-" : text);
    }
    return out;
}

} // namespace

class OwnFormatsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey.c_str());
        MainWindowTest::SetUp();
        menu_ = std::make_unique<output::frmMenu>(
            output::ComponentSources{*main().txtR, *main().txtG, *main().txtB},
            [this](const std::string& t) { inserted_.push_back(t); },
            [this](const std::string& t) { copied_.push_back(t); });
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey.c_str());
    }
    void Pick(std::vector<WORD> keys) {
        RunLater guard(5000, [] { EndMenu(); }); // never hang the run if the keys go astray
        ModalAnswer answer(
            [&](HWND) {
                for (WORD k : keys)
                    SendKey(k);
            },
            "#32768");
        menu_->PopupAt(main().hWnd(), POINT{300, 300});
        EXPECT_TRUE(answer.answered());
        EXPECT_FALSE(guard.ran());
    }
    void Components(const char* r, const char* g, const char* b) {
        main().txtR->SetText(r);
        main().txtG->SetText(g);
        main().txtB->SetText(b);
    }
    std::unique_ptr<output::frmMenu> menu_;
    Texts inserted_, copied_;
};

TEST_F(OwnFormatsTest, BadStoredValuesAreLeftOutAndNeverWrittenOver) {
    const DWORD number = 7;
    Put("Format1", "#{RR}{GG}{BB}");
    Put("Format2", REG_DWORD, &number, sizeof number);        // no text
    Put("Format4", "Color.{X}");                              // after a gap; bad
    Put("Format5", std::string(kTemplateMaxLength + 1, 'x')); // too long
    Put("Format6", "RGB({R}, {G}, {B})");
    Put("Format7", "two\r\nlines");
    Put("Format9", REG_EXPAND_SZ, "{LONG}", 7);
    Put("Format65", "{R}"); // beyond the numbers looked at
    EXPECT_EQ(output::LoadFormats(), (Texts{"#{RR}{GG}{BB}", "RGB({R}, {G}, {B})", "{LONG}"}));
    EXPECT_EQ(output::LoadFormatTexts(),
              (Texts{"#{RR}{GG}{BB}", "Color.{X}", "RGB({R}, {G}, {B})", "{LONG}"}));

    // Stored in order round the unreadable values, which stay as they were.
    ASSERT_TRUE(output::SaveFormats({"a {R}", "b {G}", "c {B}", "d"}));
    EXPECT_EQ(Get("Format1"), "a {R}");
    EXPECT_EQ(Get("Format2"), "(other)");
    EXPECT_EQ(Get("Format3"), "b {G}");
    EXPECT_EQ(Get("Format4"), "c {B}");
    EXPECT_EQ(Get("Format5"), std::string(kTemplateMaxLength + 1, 'x'));
    EXPECT_EQ(Get("Format6"), "d");
    EXPECT_EQ(Get("Format7"), "two\r\nlines");
    EXPECT_EQ(Get("Format8"), "(none)");
    EXPECT_EQ(Get("Format9"), "(none)") << "the readable one left over is gone";
    EXPECT_EQ(Get("Format65"), "{R}");
    EXPECT_EQ(output::LoadFormats(), (Texts{"a {R}", "b {G}", "c {B}", "d"}));
    ASSERT_TRUE(output::SaveFormats({}));
    EXPECT_TRUE(output::LoadFormatTexts().empty());
    EXPECT_EQ(Get("Format2"), "(other)");

    // No more than sixteen reach the menu.
    Texts many;
    for (int i = 1; i <= 20; ++i)
        many.push_back("F" + std::to_string(i) + " {R}");
    ASSERT_TRUE(output::SaveFormats(many));
    EXPECT_EQ(output::LoadFormatTexts().size(), 20u);
    EXPECT_EQ(output::LoadFormats().size(), static_cast<std::size_t>(kMaxFormats));
}

// Texts that the ANSI calls would change, a character the code page lacks (read as '?') or a
// zero inside (cut there), are unreadable: not offered, and never saved back changed.
TEST_F(OwnFormatsTest, TextsTheCodePageWouldChangeAreLeftWhereTheyAre) {
    const std::wstring lacking = L"\x4E00 {R}", zero(L"a {R}\0b {G}", 12);
    for (const auto& [name, text] : {std::pair{L"Format1", lacking}, std::pair{L"Format2", zero}})
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, std::wstring(kKey.begin(), kKey.end()).c_str(),
                                  name, REG_SZ, text.c_str(),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    Put("Format3", "{G}");
    EXPECT_EQ(output::LoadFormatTexts(), Texts{"{G}"});
    ASSERT_TRUE(output::SaveFormats({"{G}", "{B}"}));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    for (const auto& [name, text] : {std::pair{L"Format1", lacking}, std::pair{L"Format2", zero}}) {
        std::wstring stored(32, L'\0');
        DWORD size = static_cast<DWORD>(stored.size() * sizeof(wchar_t));
        EXPECT_EQ(RegQueryValueExW(key, name, nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(stored.data()), &size), ERROR_SUCCESS);
        stored.resize(size / sizeof(wchar_t) - 1);
        EXPECT_EQ(stored, text);
    }
    RegCloseKey(key);
    EXPECT_EQ(Get("Format3"), "{G}");
    EXPECT_EQ(Get("Format4"), "{B}");
}

TEST_F(OwnFormatsTest, TheMenuListsThemAfterTheSixAndTheyInsertAndCopyLikeThem) {
    Put("Format1", "Color.FromArgb({R}, {G}, {B})");
    Put("Format2", "&H{BB}{GG}{RR}& = {LONG}");
    Put("Format3", "{bad}");
    menu_->Load();
    HMENU pop = menu_->menu()->handle();
    EXPECT_EQ(Captions(pop), (Texts{"Insert", "-", "Copy", "-", "Edit formats..."}));
    const Texts expected{"Red",
                         "Green",
                         "Blue",
                         "RedGreenBlue",
                         "Red, Green, Blue",
                         "RGB(Red, Green, Blue)",
                         "-",
                         "Color.FromArgb({R}, {G}, {B})",
                         "&&H{BB}{GG}{RR}&& = {LONG}"};
    EXPECT_EQ(Captions(GetSubMenu(pop, 0)), expected);
    EXPECT_EQ(Captions(GetSubMenu(pop, 2)), expected);

    Components("255", "128", "10");
    // Insert, then up from the first item wraps to the last format.
    Pick({VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN});
    EXPECT_EQ(inserted_, Texts{"&H0A80FF& = 688383"});
    EXPECT_FALSE(menu_->Loaded());
    Pick({VK_DOWN, VK_DOWN, VK_RIGHT, VK_UP, VK_UP, VK_RETURN});
    EXPECT_EQ(copied_, Texts{"Color.FromArgb(255, 128, 10)"});
    // Fields as a user may leave them: leading zeros and blanks are numbers, others are not.
    Components(" 007", "0", "255");
    menu_->Load();
    menu_->ClickFormat(0, false);
    EXPECT_EQ(inserted_.back(), "Color.FromArgb(7, 0, 255)");
    for (const char* bad : {"", "256", "-1", "red"}) {
        Components("1", bad, "2");
        menu_->Load();
        menu_->ClickFormat(0, true);
        EXPECT_EQ(copied_.size(), 1u) << "'" << bad << "' delivers nothing";
    }
    menu_->ClickFormat(9, true);
    EXPECT_EQ(copied_.size(), 1u);
}

TEST_F(OwnFormatsTest, TheEditorRefusesABadLineKeepsEverythingAndStoresGoodOnes) {
    Put("Format1", "#{RR}{GG}{BB}");
    Put("Format3", "Color.{X}");
    output::frmMenu& menu = *main().menuForm();
    menu.Load();
    RunLater guard(5000, [] { EndMenu(); });
    ModalAnswer open(
        [&](HWND) {
            SendKey(VK_UP);
            SendKey(VK_RETURN);
        },
        "#32768");
    menu.PopupAt(main().hWnd(), POINT{300, 300});
    ASSERT_TRUE(open.answered());
    ASSERT_TRUE(PumpUntil([&] { return main().formatsForm() && main().formatsForm()->Loaded(); }));
    forms::frmFormats& editor = *main().formatsForm();
    EXPECT_TRUE(IsWindowVisible(editor.form().hwnd()));
    EXPECT_EQ(editor.txtFormats->Text(), "#{RR}{GG}{BB}\r\nColor.{X}\r\n");
    EXPECT_EQ(GetFocus(), editor.txtFormats->hwnd());
    EXPECT_EQ(editor.txtFormats->SelLength(), 0) << "a key typed must not replace them all";

    // OK on the stored bad line: told which line and why; nothing changes.
    std::string said;
    auto ok = [&] {
        said.clear();
        ModalAnswer box([&](HWND b) {
            said = WindowText(GetDlgItem(b, 0xFFFF));
            PostMessageA(b, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(editor.cmdOk->hwnd(), BM_CLICK, 0, 0);
        PumpMessages();
        return box.answered();
    };
    EXPECT_TRUE(ok());
    EXPECT_EQ(said,
              "Line 2: {X} is no placeholder. Use {R} {G} {B}, {RR} {GG} {BB}, {CODE} or {LONG}.");
    EXPECT_TRUE(editor.Loaded());
    EXPECT_EQ(editor.txtFormats->SelStart(), 15);
    EXPECT_EQ(editor.txtFormats->SelLength(), 9);
    EXPECT_EQ(Get("Format3"), "Color.{X}");

    // Typed with the keyboard: reordered, changed, one added, the bad one removed.
    editor.txtFormats->SetText("");
    editor.txtFormats->SetFocus();
    for (char c : std::string("RGB({R}, {G}, {B})\r{{{LONG}}}\r\r#{RR}{GG}{BB}"))
        SendMessageA(editor.txtFormats->hwnd(), WM_CHAR, static_cast<WPARAM>(c), 0);
    const std::string typed = editor.txtFormats->Text();
    EXPECT_EQ(typed, "RGB({R}, {G}, {B})\r\n{{{LONG}}}\r\n\r\n#{RR}{GG}{BB}");
    // A line too long, unbalanced, or one format too many: refused, the text kept as typed.
    std::string seventeen = typed;
    for (int i = 3; i <= kMaxFormats; ++i)
        seventeen += "\r\nx";
    for (const std::string& bad : {typed + "\r\n" + std::string(kTemplateMaxLength + 1, 'x'),
                                   typed + "\r\n{R", typed + "\r\n\tx", seventeen}) {
        editor.txtFormats->SetText(bad);
        EXPECT_TRUE(ok());
        EXPECT_FALSE(said.empty());
        EXPECT_EQ(editor.txtFormats->Text(), bad);
        EXPECT_EQ(Get("Format1"), "#{RR}{GG}{BB}");
    }
    EXPECT_EQ(said, "At most 16 formats, one a line.");

    editor.txtFormats->SetText(typed);
    EXPECT_FALSE(ok()) << "no message for good formats";
    EXPECT_FALSE(editor.Loaded());
    EXPECT_EQ(output::LoadFormatTexts(),
              (Texts{"RGB({R}, {G}, {B})", "{{{LONG}}}", "#{RR}{GG}{BB}"}));
    EXPECT_EQ(Get("Format4"), "(none)");
    // The menu reads them afresh.
    menu.Load();
    EXPECT_EQ(menu.formats(), output::LoadFormats());
    EXPECT_EQ(ExpandTemplate(menu.formats()[1], RGBColor(1, 2, 3)), "{197121}");
}

TEST_F(OwnFormatsTest, CancelStoresNothing) {
    Put("Format1", "{R}");
    main().menuForm()->Click("mnuEditFormats");
    forms::frmFormats& editor = *main().formatsForm();
    editor.txtFormats->SetText("{G}");
    SendMessageA(editor.cmdCancel->hwnd(), BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_FALSE(editor.Loaded());
    EXPECT_EQ(Get("Format1"), "{R}");
    // Opened again, it shows what is stored.
    main().menuForm()->Click("mnuEditFormats");
    EXPECT_EQ(editor.txtFormats->Text(), "{R}\r\n");
}

} // namespace hv::test
