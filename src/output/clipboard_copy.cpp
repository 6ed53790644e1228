#include "clipboard_copy.h"
#include "../runtime/clipboard.h"

namespace hv::output {

bool CopyToClipboard(HWND owner, const std::string& text) {
    if (rt::ReplaceClipboardText(text, owner)) return true;
    MessageBoxA(owner, "Another program is using the clipboard. Nothing was copied.", "Pigmora",
                MB_OK | MB_ICONEXCLAMATION);
    return false;
}

} // namespace hv::output
