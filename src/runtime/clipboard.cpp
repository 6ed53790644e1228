#include "clipboard.h"
#include "handles.h"
#include <cstdint>
#include <optional>
#include <vector>
#include <algorithm>
#include <cstring>

namespace hv::rt {

namespace {

std::optional<std::vector<std::uint8_t>> GlobalBytes(HANDLE h) {
    const SIZE_T size = h ? GlobalSize(h) : 0;
    GlobalLockGuard lock(size ? h : nullptr);
    if (!lock.data()) return std::nullopt;
    const auto* p = static_cast<const std::uint8_t*>(lock.data());
    return std::vector<std::uint8_t>(p, p + size);
}

HGLOBAL ToGlobal(const std::vector<std::uint8_t>& bytes) {
    UniqueGlobal g(GlobalAlloc(GMEM_MOVEABLE, std::max<SIZE_T>(bytes.size(), 1)));
    GlobalLockGuard lock(g.get());
    if (!lock.data()) return nullptr;
    if (!bytes.empty()) std::memcpy(lock.data(), bytes.data(), bytes.size());
    return g.release();
}

} // namespace

ClipboardSession::ClipboardSession(HWND owner, DWORD timeoutMs) : owner_(owner) {
    // Opening without a window would leave the clipboard without an owner, and then
    // SetClipboardData may refuse.
    if (!owner_) {
        owner_ = CreateClipboardOwner();
        ownWindow_ = owner_ != nullptr;
    }
    opened_ = OpenClipboardFor(owner_, timeoutMs);
}

HWND CreateClipboardOwner() {
    return CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                           nullptr);
}

bool OpenClipboardFor(HWND owner, DWORD timeoutMs) {
    // Another program may hold the clipboard for a moment.
    const DWORD start = GetTickCount();
    for (;;) {
        if (OpenClipboard(owner)) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        // A window of this thread may be asked meanwhile (to render what it put there).
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

ClipboardSession::~ClipboardSession() {
    if (opened_) CloseClipboard();
    if (ownWindow_) DestroyWindow(owner_);
}

ReplaceResult ReplaceClipboardText(const std::string& text, HWND owner) {
    // The text is made ready first, so a failed allocation can't leave the clipboard emptied.
    UniqueGlobal mem(
        ToGlobal(std::vector<std::uint8_t>(text.c_str(), text.c_str() + text.size() + 1)));
    if (!mem) return ReplaceResult::Locked;
    ClipboardSession session(owner);
    if (!session.opened() || !EmptyClipboard()) return ReplaceResult::Locked;
    // Only an owner may put data there, and EmptyClipboard is what makes us the owner: a
    // refusal after it has already cost the user the old contents, and is said so.
    if (!SetClipboardData(CF_TEXT, mem.get())) return ReplaceResult::Emptied;
    mem.release(); // the clipboard owns the memory now
    return ReplaceResult::Replaced;
}

std::string ClipboardText() {
    ClipboardSession session;
    if (!session.opened()) return {};
    const auto bytes = GlobalBytes(GetClipboardData(CF_TEXT));
    if (!bytes) return {};
    return std::string(reinterpret_cast<const char*>(bytes->data()),
                       strnlen(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

bool SetClipboardBitmap(HBITMAP bitmap, HWND owner) {
    UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
    if (!copy) return false;
    ClipboardSession session(owner);
    if (!session.opened() || !EmptyClipboard() || !SetClipboardData(CF_BITMAP, copy.get()))
        return false;
    copy.release();
    return true;
}

} // namespace hv::rt
