// The clipboard as VB's Clipboard object uses it.
#pragma once
#include <string>
#include <windows.h>

namespace hv::rt {

// Holds the clipboard open for its lifetime, with `owner` (or without one, a window of its
// own) as the owner of what it puts there. Check opened().
class ClipboardSession {
  public:
    explicit ClipboardSession(HWND owner = nullptr, DWORD timeoutMs = 100);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool opened() const { return opened_; }

  private:
    HWND owner_ = nullptr;
    bool ownWindow_ = false;
    bool opened_ = false;
};

enum class ReplaceResult {
    Replaced,
    Locked, // another program kept the clipboard locked: nothing on it has changed
    Emptied // the system emptied it but refused the text: what the user had there is gone
};
// Replaces everything on the clipboard by one plain-text item (Clipboard.Clear and SetText
// in one opening). `owner` may be one of the caller's windows, which saves making one for
// the moment.
ReplaceResult ReplaceClipboardText(const std::string& text, HWND owner = nullptr);
// The plain text on the clipboard, or nothing.
std::string ClipboardText();

// Empties the clipboard and puts a copy of the bitmap on it (Clipboard.SetData). The copy
// is made first: when it can't be, the clipboard is not touched. `owner` as for the session.
bool SetClipboardBitmap(HBITMAP bitmap, HWND owner = nullptr);

// A message-only window of this thread to own what it puts on the clipboard, for a caller that
// opens the clipboard several times in a row: one window instead of one an opening.
HWND CreateClipboardOwner();

// Opens the clipboard within `timeoutMs` as ClipboardSession does, handling the messages sent
// to this thread meanwhile.
bool OpenClipboardFor(HWND owner, DWORD timeoutMs);

} // namespace hv::rt
