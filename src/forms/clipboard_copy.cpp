#include "clipboard_copy.h"
#include "../runtime/clipboard.h"

namespace hv::output {

bool CopyToClipboard(HWND owner, const std::string& text) {
    const rt::ReplaceResult r = rt::ReplaceClipboardText(text, owner);
    if (r == rt::ReplaceResult::Replaced) return true;
    MessageBoxA(owner,
                r == rt::ReplaceResult::Locked
                    ? "Another program is using the clipboard. Nothing was copied."
                    : "The clipboard was emptied, but the system did not take the text.",
                "Pigmora", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

} // namespace hv::output
