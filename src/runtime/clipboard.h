// The system clipboard as VB's Clipboard object uses it, made safe against a clipboard that
// another program holds open.
#pragma once
#include <string>
#include <windows.h>

namespace hv::rt {

// Replaces everything on the clipboard by one plain-text item. Opening is retried for a short
// while; false when the clipboard stayed locked, and then nothing on it has changed.
bool ReplaceClipboardText(HWND owner, const std::string& text);

// The plain text on the clipboard, or nothing.
std::string ClipboardText();

// Opens the clipboard, retrying while another program holds it; closes it when done.
class ClipboardSession {
  public:
    explicit ClipboardSession(HWND owner, int attempts = 10, DWORD pauseMs = 20);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool open() const { return open_; }

  private:
    bool open_ = false;
};

} // namespace hv::rt
