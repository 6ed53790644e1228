#include "clipboard.h"
#include <cstring>

namespace hv::rt {

ClipboardSession::ClipboardSession(HWND owner, int attempts, DWORD pauseMs) {
    for (int i = 0; i < attempts && !open_; ++i) {
        if (i) Sleep(pauseMs);
        open_ = OpenClipboard(owner) != FALSE;
    }
}

ClipboardSession::~ClipboardSession() {
    if (open_) CloseClipboard();
}

bool ReplaceClipboardText(HWND owner, const std::string& text) {
    // The text is made ready first, so a failure can't leave the clipboard emptied.
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!mem) return false;
    if (void* p = GlobalLock(mem)) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
    }
    ClipboardSession clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, mem)) {
        GlobalFree(mem);
        return false;
    }
    return true; // the clipboard owns the memory now
}

std::string ClipboardText() {
    ClipboardSession clipboard(nullptr);
    if (!clipboard.open()) return {};
    HANDLE h = GetClipboardData(CF_TEXT);
    if (!h) return {};
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::string text = p ? std::string(p, strnlen(p, GlobalSize(h))) : std::string();
    GlobalUnlock(h);
    return text;
}

} // namespace hv::rt
