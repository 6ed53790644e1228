// The main window loaded for capture tests, with the capture started as a user starts it and
// squares of known colour on the screen to pick from.
#pragma once
#include "capture/frm_capture.h"
#include "capture/screen_capture.h"
#include "control_host.h"
#include "core/addin_settings.h"
#include "main_window_fixture.h"
#include "store/settings.h"
#include "support/image_window.h"
#include "support/picture_object_image.h"
#include <memory>
#include <string>
#include <vector>

namespace hv::test {

inline constexpr ColorValue kRed = RGBColor(255, 0, 0), kGreen = RGBColor(0, 255, 0),
                            kBlue = RGBColor(0, 0, 255), kBlack = RGBColor(0, 0, 0),
                            kYellow = RGBColor(255, 255, 0);

// A square of one colour on the screen, 40 pixels wide, above other windows.
inline std::unique_ptr<ImageWindow> Square(ColorValue colour, POINT at) {
    return std::make_unique<ImageWindow>(Image(40, 40, colour), at.x, at.y);
}
inline POINT Centre(POINT squareAt) {
    return {squareAt.x + 20, squareAt.y + 20};
}

inline void Press(DWORD down, DWORD up) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = down;
    in[1].mi.dwFlags = up;
    SendInput(2, in, sizeof(INPUT));
}

// The four fields' texts for a colour, as Shown() gives them.
inline std::string ShownText(ColorValue c) {
    return ColorCodeText(c) + " " + RedText(c) + " " + GreenText(c) + " " + BlueText(c);
}

// What the screen shows now, loupe and all.
inline Image LiveScreen() {
    return PictureObjectImage(capture::GrabDesktop().Get());
}

// Real key input, with Shift held around it when asked.
inline void Key(WORD vk, bool shift = false) {
    std::vector<INPUT> in;
    const auto add = [&](WORD k, DWORD flags) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = flags;
        in.push_back(i);
    };
    if (shift) add(VK_SHIFT, 0);
    add(vk, 0);
    add(vk, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// One of the add-in's stored settings, gone while the test runs and put back as it was after.
class StoredSetting {
  public:
    explicit StoredSetting(const char* name)
        : name_(name), key_(rt::SettingsKey(settings::kApp, settings::kSection)) {
        had_ = Read(saved_);
        Clear();
    }
    ~StoredSetting() {
        if (had_)
            rt::SaveSetting(settings::kApp, settings::kSection, name_, saved_);
        else
            Clear();
    }
    StoredSetting(const StoredSetting&) = delete;
    StoredSetting& operator=(const StoredSetting&) = delete;
    std::string value() const {
        std::string v;
        return Read(v) ? v : "";
    }

  private:
    bool Read(std::string& v) const {
        const std::string none = "\x01";
        v = rt::GetSetting(settings::kApp, settings::kSection, name_, none);
        return v != none;
    }
    void Clear() { RegDeleteKeyValueA(HKEY_CURRENT_USER, key_.c_str(), name_); }
    const char* name_;
    std::string key_;
    std::string saved_;
    bool had_ = false;
};

class CaptureWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        OleInitialize(nullptr);
        PlaceCursor(POINT{2, 700});
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        OleUninitialize();
    }

    capture::frmCapture* capture() { return main().captureForm(); }
    bool Capturing() { return capture() && capture()->Visible(); }
    HWND CaptureWindow() { return capture() ? capture()->form().hwnd() : nullptr; }

    // As a user clicks it: the pointer onto the button, its hover face, a left click.
    void ClickCapture() {
        controls::TransSkinButton& b = *main().cmdCapture;
        const RECT r = ScreenRect(b.hwnd());
        MoveMouseTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        ASSERT_TRUE(PumpUntil([&] { return b.ShownPicture() == b.PictureOver(); }));
        Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(PumpUntil([&] { return Capturing(); }));
        ASSERT_TRUE(WaitFor("the capture window painted", [&] { return Painted(CaptureWindow()); }));
    }
    // Squares gone from the screen: the capture window has painted the frozen screen again
    // where they stood.
    void RepaintedWhereTheyWere() {
        ASSERT_TRUE(WaitFor("the capture window repainted", [&] { return Painted(CaptureWindow()); }));
    }
    // The pointer moved there for real; true once the fields show `shown`.
    bool MoveAndShow(POINT at, const std::string& shown) {
        MoveMouseTo(at);
        return PumpUntil([&] { return Shown() == shown; }, 2000);
    }
};

// The capture with its loupe, read against the frozen screenshot. Each test starts with the
// pixel alone picked, whatever a user stored.
class LoupeFixture : public CaptureWindowTest {
  protected:
    capture::Loupe& loupe() { return capture()->loupe(); }
    RECT LoupeRect() { return ScreenRect(loupe().hwnd()); }
    ColorValue Frozen(POINT p) { return capture()->picScreen->Picture()->Pixel(p.x, p.y); }
    // The loupe's cell of the screenshot pixel `p`, in screen pixels.
    RECT CellOf(POINT pointer, POINT p) {
        const RECT lr = LoupeRect(), cells = loupe().CellsRect();
        const int z = loupe().zoom(), half = loupe().cells() / 2;
        const int x = lr.left + cells.left + (p.x - pointer.x + half) * z;
        const int y = lr.top + cells.top + (p.y - pointer.y + half) * z;
        return RECT{x, y, x + z, y + z};
    }
    bool Follows(POINT pointer) {
        return PumpUntil([&] {
            const RECT r = LoupeRect();
            return IsWindowVisible(loupe().hwnd()) && !PtInRect(&r, pointer) &&
                   Shown() == ShownText(Frozen(pointer));
        });
    }
    ColorValue Mid(const Image& screen, const RECT& cell) {
        return screen.at((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    }
    StoredSetting square_{settings::kPickSquare};
};

} // namespace hv::test
