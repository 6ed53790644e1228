// Keeps the main window above all others without taking the focus.
#pragma once
#include <windows.h>

namespace hv::forms {

class frmMain;

// Places the window topmost (or not) at its own position and size, inside the work area of
// its screen, and shows it without activating it.
void SetTopMost(frmMain& form, bool topmost);

} // namespace hv::forms
