#include "clipboard_snapshot.h"
#include "clipboard.h"
#include "handles.h"
#include <atomic>
#include <cstring>

namespace hv::rt {

namespace {

void FreeClipboardHandle(UINT format, HANDLE h) {
    switch (format) {
    case CF_ENHMETAFILE:
        DeleteEnhMetaFile(static_cast<HENHMETAFILE>(h));
        break;
    case CF_PALETTE:
        DeleteObject(h);
        break;
    case CF_METAFILEPICT:
        if (GlobalLockGuard lock(h); lock.data())
            DeleteMetaFile(static_cast<METAFILEPICT*>(lock.data())->hMF);
        GlobalFree(h);
        break;
    default:
        GlobalFree(h);
    }
}

// Formats that are handles only their owner can give meaning to.
bool OwnerOnly(UINT f) {
    return f == CF_OWNERDISPLAY || f == CF_DSPBITMAP || f == CF_DSPMETAFILEPICT ||
           f == CF_DSPENHMETAFILE || (f >= CF_PRIVATEFIRST && f <= CF_PRIVATELAST) ||
           (f >= CF_GDIOBJFIRST && f <= CF_GDIOBJLAST);
}

HGLOBAL CopyGlobal(HANDLE from, std::size_t& budget) {
    const SIZE_T size = from ? GlobalSize(from) : 0;
    if (!size || size > budget) return nullptr;
    GlobalLockGuard src(from);
    if (!src.data()) return nullptr;
    UniqueGlobal to(GlobalAlloc(GMEM_MOVEABLE, size));
    GlobalLockGuard dst(to.get());
    if (!dst.data()) return nullptr;
    std::memcpy(dst.data(), src.data(), size);
    budget -= size;
    return to.release();
}

// A bitmap the system cannot offer as a DIB, kept as a 32-bit DIB of our own.
HGLOBAL BitmapAsDib(HBITMAP bmp, std::size_t& budget) {
    BITMAP bm{};
    if (!bmp || !GetObjectA(bmp, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    const std::size_t size = sizeof(BITMAPINFOHEADER) + std::size_t(bm.bmWidth) * bm.bmHeight * 4;
    if (size > budget) return nullptr;
    UniqueGlobal dib(GlobalAlloc(GMEM_MOVEABLE, size));
    GlobalLockGuard lock(dib.get());
    if (!lock.data()) return nullptr;
    auto* h = static_cast<BITMAPINFOHEADER*>(lock.data());
    *h = {sizeof *h, bm.bmWidth, bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    WindowDc screen(nullptr, true);
    if (!GetDIBits(screen.get(), bmp, 0, bm.bmHeight, h + 1, reinterpret_cast<BITMAPINFO*>(h),
                   DIB_RGB_COLORS))
        return nullptr;
    budget -= size;
    return dib.release();
}

HPALETTE CopyPalette(HPALETTE from) {
    const UINT count = from ? GetPaletteEntries(from, 0, 0, nullptr) : 0;
    if (!count) return nullptr;
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(bytes.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(count);
    GetPaletteEntries(from, 0, count, log->palPalEntry);
    return CreatePalette(log);
}

HGLOBAL CopyMetaFilePict(HANDLE from, std::size_t& budget) {
    GlobalLockGuard src(from);
    if (!src.data() || GlobalSize(from) < sizeof(METAFILEPICT)) return nullptr;
    METAFILEPICT pict = *static_cast<METAFILEPICT*>(src.data());
    const UINT size = GetMetaFileBitsEx(pict.hMF, 0, nullptr);
    if (!size || size > budget) return nullptr;
    std::vector<BYTE> bits(size);
    GetMetaFileBitsEx(pict.hMF, size, bits.data());
    UniqueMetaFile copy(SetMetaFileBitsEx(size, bits.data()));
    UniqueGlobal to(GlobalAlloc(GMEM_MOVEABLE, sizeof pict));
    GlobalLockGuard dst(to.get());
    if (!copy || !dst.data()) return nullptr;
    pict.hMF = copy.release();
    *static_cast<METAFILEPICT*>(dst.data()) = pict;
    budget -= size;
    return to.release();
}

HENHMETAFILE CopyEnhMetaFileWithin(HENHMETAFILE from, std::size_t& budget) {
    const UINT size = from ? GetEnhMetaFileBits(from, 0, nullptr) : 0;
    if (!size || size > budget) return nullptr;
    budget -= size;
    return CopyEnhMetaFileA(from, nullptr);
}

} // namespace

ClipboardItem::~ClipboardItem() {
    if (handle_) FreeClipboardHandle(format_, handle_);
}

ClipboardItem::ClipboardItem(ClipboardItem&& o) noexcept
    : format_(o.format_), handle_(std::exchange(o.handle_, nullptr)) {}

HANDLE ClipboardItem::release() {
    return std::exchange(handle_, nullptr);
}

// The copying, on a thread of its own: GetClipboardData waits on the owner of a delayed
// format for as long as the system lets it, which must not be the IDE's start-up.
struct SnapshotCopier {
    std::size_t budget;
    DWORD deadline = 0; // GetTickCount when the caller gives up
    std::atomic<bool> abandoned{false};
    std::optional<ClipboardSnapshot> result;

    // The owner renders a delayed format while the clipboard is held open for it: one that
    // does not answer now would keep it open, for every program, as long as the system waits.
    bool OwnerAnswers() const {
        const HWND owner = GetClipboardOwner();
        const auto left = static_cast<LONG>(deadline - GetTickCount());
        DWORD_PTR r = 0;
        return !owner || !IsWindow(owner) ||
               (left > 0 && !abandoned &&
                SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                    static_cast<UINT>(left), &r));
    }

    void Run(HWND owner = nullptr) {
        if (!OwnerAnswers()) return;
        // An empty clipboard is copied without opening it.
        if (!CountClipboardFormats()) {
            if (!abandoned) result = ClipboardSnapshot{};
            return;
        }
        // Opened for a window: an open without one does not keep other programs out under
        // every Win32 implementation.
        ClipboardSession session(owner);
        if (!session.opened()) return;
        ClipboardSnapshot snap;
        bool whole = true;
        const bool hasDib =
            IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_DIBV5);
        for (UINT f = EnumClipboardFormats(0); f && whole && !abandoned;
             f = EnumClipboardFormats(f)) {
            if (OwnerOnly(f)) {
                whole = false;
                break;
            }
            // The system makes a bitmap out of a DIB again by itself.
            if (f == CF_BITMAP && hasDib) continue;
            if (!OwnerAnswers()) {
                whole = false;
                break;
            }
            HANDLE data = GetClipboardData(f);
            HANDLE copy = nullptr;
            UINT as = f;
            if (f == CF_BITMAP) {
                copy = BitmapAsDib(static_cast<HBITMAP>(data), budget);
                as = CF_DIB;
            } else if (f == CF_PALETTE) {
                copy = CopyPalette(static_cast<HPALETTE>(data));
            } else if (f == CF_ENHMETAFILE) {
                copy = CopyEnhMetaFileWithin(static_cast<HENHMETAFILE>(data), budget);
            } else if (f == CF_METAFILEPICT) {
                copy = CopyMetaFilePict(data, budget);
            } else {
                copy = CopyGlobal(data, budget);
            }
            if (!copy) {
                // Offered but not given (an owner that did not render it), too large, or no
                // memory: the copy would not be whole.
                whole = false;
                break;
            }
            snap.items_.emplace_back(as, copy);
        }
        if (whole && !abandoned) result = std::move(snap);
    }
};

namespace {

// What a detached thread owns: its job, and a reference to this module, since it may run on
// after its caller gave up (and after the add-in was unloaded).
struct DetachedJob {
    void (*run)(void*);
    std::shared_ptr<void> context;
    HMODULE module = nullptr;
};

DWORD WINAPI DetachedThread(void* param) {
    auto* job = static_cast<DetachedJob*>(param);
    job->run(job->context.get());
    const HMODULE module = job->module;
    delete job; // the last owner frees what the job had made
    FreeLibraryAndExitThread(module, 0);
}

HANDLE StartDetached(void (*run)(void*), std::shared_ptr<void> context) {
    auto job = std::make_unique<DetachedJob>();
    job->run = run;
    job->context = std::move(context);
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&DetachedThread), &job->module))
        return nullptr;
    // A stack of what the jobs need, not the host program's default (Wine commits it whole).
    HANDLE thread = CreateThread(nullptr, 256 << 10, &DetachedThread, job.get(),
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread) {
        FreeLibrary(job->module);
        return nullptr;
    }
    job.release(); // the thread's now
    return thread;
}

} // namespace

std::optional<ClipboardSnapshot> ClipboardSnapshot::Take(const SnapshotLimits& limits,
                                                         HWND owner) {
    auto copier = std::make_shared<SnapshotCopier>();
    copier->budget = limits.maxBytes;
    copier->deadline = GetTickCount() + limits.timeoutMs;
    // Only another thread's window can hold the copy up (rendering a delayed format): with
    // none on the clipboard it runs here, saving a thread's start and its stack. With one,
    // even asking whether the clipboard holds anything is left to the thread: Wine's
    // CountClipboardFormats first has its X11 clipboard manager update the clipboard, a wait
    // of up to 5 s, all spent while another program's owner hangs.
    const HWND holder = GetClipboardOwner();
    if (!holder || GetWindowThreadProcessId(holder, nullptr) == GetCurrentThreadId()) {
        copier->Run(owner);
        return std::move(copier->result);
    }
    HANDLE thread = StartDetached([](void* c) { static_cast<SnapshotCopier*>(c)->Run(); }, copier);
    if (!thread) return std::nullopt;
    // A clipboard owner on this very thread renders through the messages sent to it.
    const DWORD began = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - began;
        if (spent >= limits.timeoutMs) break;
        const DWORD r =
            MsgWaitForMultipleObjects(1, &thread, FALSE, limits.timeoutMs - spent, QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    const bool finished = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    CloseHandle(thread);
    if (!finished) {
        // The thread finishes on its own once the owner answers or the system gives up on
        // it, and then throws its copy away: this clipboard is left as it is.
        copier->abandoned = true;
        return std::nullopt;
    }
    return std::move(copier->result);
}

ClipboardSnapshot::Put ClipboardSnapshot::Restore(DWORD sequence, DWORD timeoutMs, HWND owner) {
    if (GetClipboardSequenceNumber() != sequence) return Put::Superseded;
    ClipboardSession session(owner, timeoutMs);
    if (!session.opened()) return Put::Held;
    // Open: nothing can change it from here on.
    if (GetClipboardSequenceNumber() != sequence) return Put::Superseded;
    if (!EmptyClipboard()) return Put::Held;
    for (ClipboardItem& item : items_)
        if (SetClipboardData(item.format(), item.get())) item.release();
    items_.clear();
    return Put::Back;
}

HANDLE ClipboardSnapshot::RestoreWhenFree(ClipboardSnapshot saved, DWORD sequence) {
    struct Pending {
        ClipboardSnapshot saved;
        DWORD sequence;
    };
    // A clipboard-history tool opens the clipboard on every change, for a moment; a hung
    // program may hold it for long. Either way the user's contents go back once it is free.
    return StartDetached(
        [](void* p) {
            auto* job = static_cast<Pending*>(p);
            while (job->saved.Restore(job->sequence, 1000) == Put::Held) {}
        },
        std::make_shared<Pending>(Pending{std::move(saved), sequence}));
}

} // namespace hv::rt
