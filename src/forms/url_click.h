// Opens the add-in's web page in the user's browser.
#pragma once
#include <windows.h>

namespace hv::forms {

// The one address the add-in ever hands to the shell.
constexpr char kMakerUrl[] = "https://example.com/huevista/";

// Asks the shell to open the maker's page; showCommand is SW_SHOWMAXIMIZED (3) or
// SW_SHOWNORMAL (1). The shell's answer is not looked at: nothing here can be mended by the
// user in this window.
void OpenUrl(HWND owner, int showCommand);

} // namespace hv::forms
