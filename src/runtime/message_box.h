// VB's MsgBox: a message box over the window the user works in.
#pragma once
#include <string>
#include <windows.h>

namespace hv::rt {

int MsgBox(const std::wstring& prompt, UINT buttons, const std::wstring& title);

} // namespace hv::rt
