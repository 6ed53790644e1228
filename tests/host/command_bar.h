// The IDE's command bars as data: the menu bar, the "Standard" toolbar and the "Add-Ins"
// menu, each a list of controls. The IDE window shows them (ide_bars.cpp).
#pragma once
#include "com.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace host {

// Control types of the Office command bars.
constexpr long kControlButton = 1; // msoControlButton
constexpr long kControlPopup = 10; // msoControlPopup

struct BarControl {
    int id = 0; // its command number in the IDE window
    long type = kControlButton;
    std::wstring caption;
    std::wstring tag;
    bool beginGroup = false;
    bool builtIn = false;
    bool temporary = false; // added with Temporary: gone with the session
    int image = -1; // in the toolbar's image list
    // The picture pasted as the face, as it came from the clipboard: 0x00RRGGBB, top row first.
    std::vector<std::uint32_t> face;
    int faceWidth = 0, faceHeight = 0;
    // Office's Picture and Mask as they were given (IPictureDisp), and their pixels.
    ComPtr<IUnknown> picture, mask;
    std::vector<std::uint32_t> picturePixels, maskPixels;
    int pictureWidth = 0, pictureHeight = 0;
    HMENU submenu = nullptr;      // popups: the menu they open
    std::function<void()> action; // built-in controls: what a click does; none for a control
                                  // kept from an earlier session, whose add-in is not there
};

struct CommandBar {
    enum class Style { MenuBar, Toolbar, Popup };
    std::wstring name; // as the IDE's language has it
    Style style;
    HMENU menu = nullptr; // menu bar and popups: the menu that shows the controls
    bool visible = true;  // a hidden toolbar has controls but no window
    std::vector<std::shared_ptr<BarControl>> controls;
};

} // namespace host
