// Putting a text for the colour on the clipboard.
#pragma once
#include <string>
#include <windows.h>

namespace hv::output {

// Replaces the clipboard's contents with the text. When another program keeps the clipboard
// locked, the user is told in one short message that nothing was copied, and false comes back;
// when the system emptied it but refused the text, the message says that instead.
bool CopyToClipboard(HWND owner, const std::string& text);

} // namespace hv::output
