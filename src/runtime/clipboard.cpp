#include "clipboard.h"
#include <algorithm>
#include <cstring>

namespace hv::rt {

namespace {

// Formats whose data is a GDI object or lives only in its owner's process.
bool IsHandleFormat(UINT f) {
    return f == CF_BITMAP || f == CF_PALETTE || f == CF_METAFILEPICT || f == CF_ENHMETAFILE ||
           f == CF_OWNERDISPLAY || f == CF_DSPBITMAP || f == CF_DSPMETAFILEPICT ||
           f == CF_DSPENHMETAFILE || (f >= CF_PRIVATEFIRST && f <= CF_PRIVATELAST) ||
           (f >= CF_GDIOBJFIRST && f <= CF_GDIOBJLAST);
}

std::optional<std::vector<std::uint8_t>> GlobalBytes(HANDLE h) {
    const SIZE_T size = h ? GlobalSize(h) : 0;
    const void* p = size ? GlobalLock(h) : nullptr;
    if (!p) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<const std::uint8_t*>(p),
                                    static_cast<const std::uint8_t*>(p) + size);
    GlobalUnlock(h);
    return bytes;
}

HGLOBAL ToGlobal(const std::vector<std::uint8_t>& bytes) {
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, std::max<SIZE_T>(bytes.size(), 1));
    void* p = g ? GlobalLock(g) : nullptr;
    if (!p) {
        if (g) GlobalFree(g);
        return nullptr;
    }
    if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(g);
    return g;
}

} // namespace

ClipboardSession::ClipboardSession(HWND owner) : owner_(owner) {
    // Opening without a window would leave the clipboard without an owner, and then
    // SetClipboardData may refuse.
    if (!owner_) {
        owner_ = CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
        ownWindow_ = owner_ != nullptr;
    }
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 20 && !opened_; ++attempt) {
        opened_ = OpenClipboard(owner_) != FALSE;
        if (!opened_) Sleep(5);
    }
}

ClipboardSession::~ClipboardSession() {
    if (opened_) CloseClipboard();
    if (ownWindow_) DestroyWindow(owner_);
}

bool ReplaceClipboardText(const std::string& text, HWND owner) {
    // The text is made ready first, so a failure can't leave the clipboard emptied.
    HGLOBAL mem = ToGlobal(std::vector<std::uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
    if (!mem) return false;
    ClipboardSession session(owner);
    if (!session.opened() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, mem)) {
        GlobalFree(mem);
        return false;
    }
    return true; // the clipboard owns the memory now
}

std::string ClipboardText() {
    ClipboardSession session;
    if (!session.opened()) return {};
    const auto bytes = GlobalBytes(GetClipboardData(CF_TEXT));
    if (!bytes) return {};
    return std::string(reinterpret_cast<const char*>(bytes->data()),
                       strnlen(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

bool SetClipboardBitmap(HBITMAP bitmap) {
    ClipboardSession session;
    if (!session.opened() || !EmptyClipboard()) return false;
    HANDLE copy = CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0);
    if (!copy) return false;
    if (!SetClipboardData(CF_BITMAP, copy)) {
        DeleteObject(copy);
        return false;
    }
    return true;
}

std::optional<ClipboardSnapshot> ClipboardSnapshot::Take() {
    ClipboardSession session;
    if (!session.opened()) return std::nullopt;
    ClipboardSnapshot snap;
    const bool hasDib = IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_DIBV5);
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) {
        if (f == CF_ENHMETAFILE) {
            auto emf = static_cast<HENHMETAFILE>(GetClipboardData(f));
            const UINT size = emf ? GetEnhMetaFileBits(emf, 0, nullptr) : 0;
            if (!size) continue;
            Item item{f, std::vector<std::uint8_t>(size)};
            GetEnhMetaFileBits(emf, size, item.bytes.data());
            snap.items_.push_back(std::move(item));
        } else if (f == CF_BITMAP && !hasDib) {
            // A bitmap the system cannot offer as a DIB: keep it as one ourselves.
            auto bmp = static_cast<HBITMAP>(GetClipboardData(f));
            BITMAP bm{};
            if (!bmp || !GetObjectA(bmp, sizeof bm, &bm)) continue;
            BITMAPINFOHEADER h{sizeof h, bm.bmWidth, bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            std::vector<std::uint8_t> bytes(sizeof h + size_t(bm.bmWidth) * bm.bmHeight * 4);
            std::memcpy(bytes.data(), &h, sizeof h);
            HDC dc = GetDC(nullptr);
            const int rows = GetDIBits(dc, bmp, 0, bm.bmHeight, bytes.data() + sizeof h,
                                       reinterpret_cast<BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS);
            ReleaseDC(nullptr, dc);
            if (rows) snap.items_.push_back({CF_DIB, std::move(bytes)});
        } else if (!IsHandleFormat(f)) {
            if (auto bytes = GlobalBytes(GetClipboardData(f)))
                snap.items_.push_back({f, std::move(*bytes)});
        }
    }
    return snap;
}

bool ClipboardSnapshot::Restore() const {
    ClipboardSession session;
    if (!session.opened() || !EmptyClipboard()) return false;
    bool all = true;
    for (const Item& item : items_) {
        HANDLE h = nullptr;
        if (item.format == CF_ENHMETAFILE)
            h = SetEnhMetaFileBits(static_cast<UINT>(item.bytes.size()), item.bytes.data());
        else
            h = ToGlobal(item.bytes);
        if (h && SetClipboardData(item.format, h)) continue;
        all = false;
        if (h && item.format == CF_ENHMETAFILE)
            DeleteEnhMetaFile(static_cast<HENHMETAFILE>(h));
        else if (h)
            GlobalFree(h);
    }
    return all;
}

} // namespace hv::rt
