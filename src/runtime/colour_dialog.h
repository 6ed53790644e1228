// The standard colour dialog, set up the way VB's common dialog control is.
#pragma once
#include "../core/colour.h"
#include <string>
#include <windows.h>
#include <commdlg.h>

namespace hv::rt {

enum ColorDialogFlags : long { cdlCCRGBInit = CC_RGBINIT, cdlCCFullOpen = CC_FULLOPEN };

class ColorDialog {
  public:
    std::string DialogTitle;
    long Flags = 0;
    ColorValue Color = 0;

    // Shows the dialog modally; false when the user cancelled (Color is then unchanged).
    bool ShowColor(HWND owner);

  private:
    static UINT_PTR CALLBACK Hook(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
    COLORREF custom_[16] = {};
};

} // namespace hv::rt
