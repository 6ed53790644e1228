// Module OnTop: keeps the main window above all others without taking the focus.
#pragma once
#include <windows.h>

namespace hv::forms {

class frmMain;

// The place SetTopMost gave the window last, in pixels.
struct TopMostPlacement {
    short left = 0, top = 0, width = 0, height = 0;
};

// Places the window topmost (or not) at its own position and size, inside the work area of
// its screen, and shows it without activating it.
void SetTopMost(frmMain& form, bool topmost);
TopMostPlacement LastTopMostPlacement();

} // namespace hv::forms
