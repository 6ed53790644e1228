// The main window as a screen reader meets it: a second process reads every control through
// Microsoft Active Accessibility (the objects cross the process boundary as they would to a
// real screen reader) and hears the focus, selection and value changes as WinEvents.
#include "main_window_fixture.h"
#include "runtime/module_lock.h"
#include "support/acc_probe_process.h"
#include <map>
#include <oleacc.h>

namespace hv::test {

namespace {
std::string Handle(const rt::Control* c) {
    return std::to_string(reinterpret_cast<UINT_PTR>(c->hwnd()));
}
long Hex(const std::string& s) {
    return static_cast<long>(std::stoul(s, nullptr, 16));
}
} // namespace

class AccessibilityTest : public MainWindowTest {
  protected:
    void SetUp() override {
        CoInitialize(nullptr); // the probe's calls come back into this thread's apartment
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        CoUninitialize();
    }

    // The main window active, as the user's click on it makes it.
    void Activate() {
        SetForegroundWindow(main().hWnd());
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == main().hWnd(); }));
    }

    // Each object's fields by window handle: role, state, name, value, location.
    std::map<std::string, std::vector<std::string>> ReadAll() {
        AccProbe probe("read " + std::to_string(reinterpret_cast<UINT_PTR>(main().hWnd())));
        std::map<std::string, std::vector<std::string>> objects;
        for (;;) {
            const auto line = probe.WaitFor([](const auto&) { return true; });
            if (line.empty() || line[0] == "end") break;
            if (line.size() == 7) objects[line[1]] = {line.begin() + 2, line.end()};
        }
        EXPECT_GE(objects.size(), 30u) << probe.all();
        return objects;
    }
};

TEST_F(AccessibilityTest, ASecondProcessReadsEveryControlsNameRoleStateAndPlace) {
    forms::frmMain& m = main();
    colour::SetCurrentColor(m.fields(), RGBColor(255, 0, 0));
    m.CC[2]->SetBackColor(RGBColor(0, 0, 128));
    auto all = ReadAll();
    const struct {
        rt::Control* control;
        long role;
        const char* name;
        const char* value; // null: not checked
    } expected[] = {
        {m.picColorBW, ROLE_SYSTEM_SLIDER, "Quick grey scale palette", nullptr},
        {m.picColors, ROLE_SYSTEM_SLIDER, "Quick color palette", nullptr},
        {m.picBasicCol, ROLE_SYSTEM_SLIDER, "Standard palette", "white, &H00FFFFFF&"},
        {m.picCurrentCol, ROLE_SYSTEM_PUSHBUTTON, "Current color",
         "red, &H00FF&, red 255 green 0 blue 0"},
        {m.txtColorCode, ROLE_SYSTEM_TEXT, "VB color code", "&H00FF&"},
        {m.cmdInsert, ROLE_SYSTEM_PUSHBUTTON, "Insert [&H00FF&] to codepane.", nullptr},
        {m.cmdCopy, ROLE_SYSTEM_PUSHBUTTON, "Copy [&H00FF&] to clipboard.", nullptr},
        {m.cmdCapture, ROLE_SYSTEM_PUSHBUTTON, "Capture colors around your screen", nullptr},
        {m.cmdAbout, ROLE_SYSTEM_PUSHBUTTON, "About VB 6 Huevista", nullptr},
        {m.cmdRGBMenu, ROLE_SYSTEM_PUSHBUTTON, "RGB formats", nullptr},
        {m.txtR, ROLE_SYSTEM_TEXT, "Red value", "255"},
        {m.CC[2], ROLE_SYSTEM_LISTITEM, "Favorite 3: navy, &H00800000&", nullptr},
        {m.cmdInsertFav, ROLE_SYSTEM_PUSHBUTTON, "Insert favorite color to codepane", nullptr},
        {m.cmdCopyFav, ROLE_SYSTEM_PUSHBUTTON, "Copy favorite to clipboard", nullptr},
        {m.cmdACFav, ROLE_SYSTEM_PUSHBUTTON, "Add favorite color from \"Current color preview\"",
         nullptr},
        {m.picMinimize, ROLE_SYSTEM_PUSHBUTTON, "Minimize", nullptr},
        {m.picClose, ROLE_SYSTEM_PUSHBUTTON, "Close", nullptr},
    };
    for (const auto& e : expected) {
        const auto it = all.find(Handle(e.control));
        ASSERT_NE(it, all.end()) << e.name;
        const auto& f = it->second;
        EXPECT_EQ(std::stol(f[0]), e.role) << e.name;
        EXPECT_EQ(f[2], e.name);
        if (e.value) {
            EXPECT_EQ(f[3], e.value) << e.name;
        }
        const long state = Hex(f[1]);
        EXPECT_EQ(state & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED),
                  0)
            << e.name;
        RECT r{};
        GetWindowRect(e.control->hwnd(), &r);
        EXPECT_EQ(f[4], std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                            std::to_string(r.right - r.left) + "," +
                            std::to_string(r.bottom - r.top))
            << e.name;
    }
    // Every Tab stop says it can take the focus; of the favourites only the selected one,
    // which alone is selected.
    for (rt::Control* c :
         {static_cast<rt::Control*>(m.picColorBW), static_cast<rt::Control*>(m.cmdACFav),
          static_cast<rt::Control*>(m.picClose), static_cast<rt::Control*>(m.txtColorCode)})
        EXPECT_TRUE(Hex(all[Handle(c)][1]) & STATE_SYSTEM_FOCUSABLE) << c->name();
    for (int i = 0; i < colour::kFavoriteCount; ++i) {
        const long state = Hex(all[Handle(m.CC[i])][1]);
        EXPECT_EQ((state & STATE_SYSTEM_SELECTED) != 0, i == 0) << i;
        EXPECT_EQ((state & STATE_SYSTEM_FOCUSABLE) != 0, i == 0) << i;
        EXPECT_TRUE(state & STATE_SYSTEM_SELECTABLE) << i;
        EXPECT_EQ(all[Handle(m.CC[i])][2].rfind("Favorite " + std::to_string(i + 1) + ": ", 0), 0u);
    }
    EXPECT_TRUE(Hex(all[Handle(m.txtTempFav)][1]) & STATE_SYSTEM_INVISIBLE);

    // Focused, unavailable and pressed, as they change.
    Activate();
    Send(m.cmdInsert->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5); // held, not released
    m.cmdCopy->SetFocus(); // after the press, which takes the focus to the button pressed
    m.cmdCapture->SetEnabled(false);
    all = ReadAll();
    EXPECT_TRUE(Hex(all[Handle(m.cmdCopy)][1]) & STATE_SYSTEM_FOCUSED);
    EXPECT_TRUE(Hex(all[Handle(m.cmdCapture)][1]) & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(Hex(all[Handle(m.cmdInsert)][1]) & STATE_SYSTEM_PRESSED);
    EXPECT_FALSE(Hex(all[Handle(m.picColorBW)][1]) & STATE_SYSTEM_FOCUSED);
    Send(m.cmdInsert->hwnd(), WM_LBUTTONUP, 0, 500, 500); // released off the button: no click
    m.cmdCapture->SetEnabled(true);
}

// A screen reader may hold a control's object past its window and the add-in's unload: the
// object keeps the DLL's code loaded and answers that it is disconnected. OBJID_CLIENT is
// answered as a 32-bit value: a 64-bit caller may pass it zero- or sign-extended.
TEST_F(AccessibilityTest, AnObjectKeptPastItsWindowKeepsTheDllAndAnswersDisconnected) {
    const long before = rt::ModuleLocks();
    IAccessible* kept = nullptr;
    for (LPARAM id : {static_cast<LPARAM>(OBJID_CLIENT),
                      static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT))}) {
        const LRESULT r = SendMessageW(main().txtR->hwnd(), WM_GETOBJECT, 0, id);
        ASSERT_GT(r, 0) << id;
        IAccessible* acc = nullptr;
        ASSERT_EQ(ObjectFromLresult(r, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&acc)), S_OK);
        if (kept) acc->Release(); else kept = acc;
    }
    EXPECT_GT(rt::ModuleLocks(), before);
    main_.reset();
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_EQ(kept->get_accName(self, &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(name, nullptr);
    kept->Release();
    EXPECT_EQ(rt::ModuleLocks(), before);
}

TEST_F(AccessibilityTest, ASecondProcessHearsFocusSelectionAndValueChanges) {
    forms::frmMain& m = main();
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, "HuevistaAccProbeQuit");
    ResetEvent(quit);
    AccProbe probe("events " + std::to_string(GetCurrentProcessId()) + " HuevistaAccProbeQuit");
    ASSERT_FALSE(probe.WaitFor([](const auto& l) { return l[0] == "ready"; }).empty())
        << probe.all();
    // Wine keeps each thread's list of the hooks in place and refreshes it when the thread
    // next asks for a message: until then it raises no events for a hook set meanwhile.
    PumpPostedMessages();
    Activate();
    auto event = [&](DWORD ev, rt::Control* c) {
        char code[16];
        snprintf(code, sizeof code, "%lx", ev);
        return probe.WaitFor([&](const auto& l) {
            return l.size() == 7 && l[0] == "ev" && l[1] == code && l[2] == Handle(c);
        });
    };

    m.picBasicCol->SetFocus();
    auto heard = event(EVENT_OBJECT_FOCUS, m.picBasicCol);
    ASSERT_FALSE(heard.empty()) << probe.all();
    EXPECT_EQ(heard[5], "Standard palette");

    // A move of the pick: the palette's value, and the preview's, change.
    SendKey(VK_RIGHT);
    heard = event(EVENT_OBJECT_VALUECHANGE, m.picBasicCol);
    ASSERT_FALSE(heard.empty()) << probe.all();
    EXPECT_EQ(heard[6], "near pink, &H00C6C6FF&");
    heard = event(EVENT_OBJECT_VALUECHANGE, m.picCurrentCol);
    ASSERT_FALSE(heard.empty()) << probe.all();
    EXPECT_EQ(heard[6], "near pink, &H00C6C6FF&, red 255 green 198 blue 198");

    // The favourites: the arrow selects the next one, which takes the focus.
    m.CC[0]->SetFocus();
    ASSERT_FALSE(event(EVENT_OBJECT_FOCUS, m.CC[0]).empty()) << probe.all();
    SendKey(VK_RIGHT);
    heard = event(EVENT_OBJECT_SELECTION, m.CC[1]);
    ASSERT_FALSE(heard.empty()) << probe.all();
    EXPECT_EQ(heard[5].rfind("Favorite 2: ", 0), 0u);
    EXPECT_TRUE(Hex(heard[4]) & STATE_SYSTEM_SELECTED);
    EXPECT_FALSE(event(EVENT_OBJECT_FOCUS, m.CC[1]).empty()) << probe.all();

    SetEvent(quit);
    EXPECT_FALSE(probe.WaitFor([](const auto& l) { return l[0] == "end"; }).empty());
    CloseHandle(quit);
}

} // namespace hv::test
