#include "command_button.h"
#include "form.h"

namespace hv::rt {

CommandButton::CommandButton(Form& form, std::string name, double left, double top, double width,
                             double height, const std::string& caption)
    : Control(form, std::move(name), left, top, width, height) {
    AttachChild("BUTTON", WS_TABSTOP | BS_PUSHBUTTON);
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(form.DefaultFont()), FALSE);
    SetCaption(caption);
}

std::string CommandButton::Caption() const {
    return WindowText();
}

void CommandButton::SetCaption(const std::string& caption) {
    ReplaceWindowText(caption);
}

void CommandButton::Command(WORD notifyCode) {
    if (notifyCode == BN_CLICKED && OnClick) OnClick();
}

} // namespace hv::rt
