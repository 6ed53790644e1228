#include "colour_dialog.h"
#include "entry_scope.h"
#include "system_colour.h"

namespace hv::rt {

bool ColorDialog::ShowColor(HWND owner) {
    for (auto& c : custom_)
        if (c == 0) c = RGB(255, 255, 255);
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = ResolveColor(Color);
    cc.lpCustColors = custom_;
    cc.Flags = static_cast<DWORD>(Flags) | CC_ENABLEHOOK;
    cc.lCustData = reinterpret_cast<LPARAM>(this);
    cc.lpfnHook = &ColorDialog::Hook;
    if (!ChooseColorA(&cc)) return false;
    Color = static_cast<ColorValue>(cc.rgbResult & 0xFFFFFF);
    return true;
}

UINT_PTR CALLBACK ColorDialog::Hook(HWND dlg, UINT msg, WPARAM, LPARAM lp) {
    return Barrier<UINT_PTR>(0, [&] {
        if (msg == WM_INITDIALOG) {
            auto* cc = reinterpret_cast<CHOOSECOLORA*>(lp);
            auto* self = reinterpret_cast<ColorDialog*>(cc->lCustData);
            if (!self->DialogTitle.empty()) SetWindowTextA(dlg, self->DialogTitle.c_str());
        }
        return UINT_PTR{0};
    });
}

} // namespace hv::rt
