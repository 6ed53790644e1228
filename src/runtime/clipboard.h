// The clipboard as VB's Clipboard object uses it, and a snapshot of its contents so that a
// command which needs the clipboard for a moment can give the user's contents back.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace hv::rt {

// Holds the clipboard open for its lifetime, with `owner` (or without one, a window of its
// own) as the owner of what it puts there. Check opened().
class ClipboardSession {
  public:
    explicit ClipboardSession(HWND owner = nullptr);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool opened() const { return opened_; }

  private:
    HWND owner_ = nullptr;
    bool ownWindow_ = false;
    bool opened_ = false;
};

// Replaces everything on the clipboard by one plain-text item (Clipboard.Clear and SetText
// in one opening). False when another program kept the clipboard locked; then nothing on it
// has changed.
// `owner` may be one of the caller's windows, which saves making one for the moment.
bool ReplaceClipboardText(const std::string& text, HWND owner = nullptr);
// The plain text on the clipboard, or nothing.
std::string ClipboardText();

// Empties the clipboard and puts a copy of the bitmap on it (Clipboard.SetData).
bool SetClipboardBitmap(HBITMAP bitmap);

// Every format of the clipboard that can be carried in memory: the text formats, bitmaps
// (as DIBs), enhanced metafiles and all registered formats.
class ClipboardSnapshot {
  public:
    // Nothing when the clipboard could not be opened.
    static std::optional<ClipboardSnapshot> Take();
    // Empties the clipboard and puts the saved formats back.
    bool Restore() const;

  private:
    struct Item {
        UINT format;
        std::vector<std::uint8_t> bytes; // global memory, or the metafile's bits
    };
    std::vector<Item> items_;
};

} // namespace hv::rt
