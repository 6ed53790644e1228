#include "command_button.h"
#include "form.h"
#include <vector>

namespace hv::rt {

CommandButton::CommandButton(Form& form, std::string name, double left, double top, double width,
                             double height, const std::string& caption)
    : Control(form, std::move(name), left, top, width, height) {
    AttachChild("BUTTON", WS_TABSTOP | BS_PUSHBUTTON);
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(form.DefaultFont()), FALSE);
    SetCaption(caption);
}

std::string CommandButton::Caption() const {
    const int n = GetWindowTextLengthA(hwnd());
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    GetWindowTextA(hwnd(), buf.data(), n + 1);
    return std::string(buf.data());
}

void CommandButton::SetCaption(const std::string& caption) {
    SetWindowTextA(hwnd(), caption.c_str());
}

void CommandButton::Command(WORD notifyCode) {
    if (notifyCode == BN_CLICKED && OnClick) OnClick();
}

} // namespace hv::rt
