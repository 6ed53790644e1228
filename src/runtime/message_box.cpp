#include "message_box.h"

namespace hv::rt {

int MsgBox(const std::wstring& prompt, UINT buttons, const std::wstring& title) {
    return MessageBoxW(GetActiveWindow(), prompt.c_str(), title.c_str(), buttons);
}

} // namespace hv::rt
