// A copy of everything on the clipboard, so that a command which needs the clipboard for a
// moment (pasting a toolbar button's face) can give the user's contents back whole.
#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>
#include <windows.h>

namespace hv::rt {

struct SnapshotLimits {
    DWORD timeoutMs = 1000;           // the IDE's start-up waits no longer than this
    std::size_t maxBytes = 64u << 20; // nor holds more than this of the user's data
};

// One format's data in a handle of our own, made ready to hand to SetClipboardData.
class ClipboardItem {
  public:
    ClipboardItem(UINT format, HANDLE handle) : format_(format), handle_(handle) {}
    ~ClipboardItem();
    ClipboardItem(ClipboardItem&& o) noexcept;
    ClipboardItem& operator=(ClipboardItem&&) = delete;
    ClipboardItem(const ClipboardItem&) = delete;
    UINT format() const { return format_; }
    HANDLE get() const { return handle_; }
    HANDLE release();

  private:
    UINT format_;
    HANDLE handle_;
};

class ClipboardSnapshot {
  public:
    // Nothing when the clipboard can't be copied whole within the limits: it is locked,
    // its owner does not render a delayed format in time, it is too large, or it holds a
    // format that only its owner understands (owner-display, private handles).
    // `owner`: a window of this thread to open the clipboard with (see CreateClipboardOwner).
    static std::optional<ClipboardSnapshot> Take(const SnapshotLimits& limits = {},
                                                 HWND owner = nullptr);
    enum class Put { Back, Superseded, Held };
    // Empties the clipboard and puts the saved formats back, unless something newer than
    // `sequence` (GetClipboardSequenceNumber) is there: Superseded. Held when the clipboard
    // did not open within `timeoutMs`; messages sent to this thread meanwhile are handled.
    // Every handle was made before; once put back they belong to the clipboard.
    Put Restore(DWORD sequence, DWORD timeoutMs, HWND owner = nullptr);
    // Restore, retried on a thread of its own until it is put back or superseded. The
    // thread's handle, for the caller to close; nullptr when no thread could start.
    static HANDLE RestoreWhenFree(ClipboardSnapshot saved, DWORD sequence);

  private:
    friend struct SnapshotCopier;
    std::vector<ClipboardItem> items_;
};

} // namespace hv::rt
