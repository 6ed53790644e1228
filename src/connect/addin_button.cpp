#include "addin_button.h"
#include "../assets/addin_button.h"
#include "../assets/asset_ids.h"
#include "../runtime/clipboard.h"
#include "../runtime/clipboard_snapshot.h"
#include "../runtime/handles.h"
#include "../runtime/module.h"
#include "../runtime/picture.h"

namespace hv::connect {

namespace {

constexpr long kButtonType = 1; // msoControlButton
constexpr HRESULT kErrNoResource = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 326);
constexpr HRESULT kErrClipboard = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 521);

// A value VB would take as a Long for Before.
rt::CallError AsLong(const rt::Variant& value, long* out) {
    VARIANT v;
    VariantInit(&v);
    const HRESULT hr = VariantChangeType(&v, const_cast<VARIANT*>(&value.raw()), 0, VT_I4);
    if (FAILED(hr)) return {hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH, {}};
    *out = v.lVal;
    return {};
}

// Puts the user's clipboard back when the face has been pasted, whatever happened: within
// the second the copy may take, else as soon as the clipboard is free, unless the user has
// put something newer there meanwhile.
class ClipboardKeeper {
  public:
    ClipboardKeeper(rt::ClipboardSnapshot saved, HWND owner)
        : saved_(std::move(saved)), owner_(owner) {}
    ~ClipboardKeeper() {
        // Neither emptied nor written since the copy: there is nothing to give back.
        if (ours_ == before_) return;
        if (saved_.Restore(ours_, 1000, owner_) == rt::ClipboardSnapshot::Put::Held)
            if (HANDLE later = rt::ClipboardSnapshot::RestoreWhenFree(std::move(saved_), ours_)) CloseHandle(later);
    }
    ClipboardKeeper(const ClipboardKeeper&) = delete;
    ClipboardKeeper& operator=(const ClipboardKeeper&) = delete;
    // What is on the clipboard from now on is ours to replace.
    void Mark() { ours_ = GetClipboardSequenceNumber(); }

  private:
    rt::ClipboardSnapshot saved_;
    HWND owner_;
    const DWORD before_ = GetClipboardSequenceNumber();
    DWORD ours_ = before_;
};

// The face in a bitmap of its own, for a picture object to take over.
rt::UniqueBitmap LoadFace() {
    const rt::PicturePtr picture = rt::Picture::FromResource(IDB_ADDIN_BUTTON);
    if (!picture) return {};
    return rt::UniqueBitmap(
        static_cast<HBITMAP>(CopyImage(picture->bitmap(), IMAGE_BITMAP, 0, 0, 0)));
}

// Office's mask: white where the bar shows through (the face's background), black where the
// face shows.
rt::UniqueBitmap MaskOf(HBITMAP face) {
    BITMAP bm{};
    if (!GetObjectW(face, sizeof bm, &bm)) return {};
    rt::UniqueBitmap mask(CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr));
    rt::UniqueMemoryDc from(CreateCompatibleDC(nullptr)), to(CreateCompatibleDC(nullptr));
    if (!mask || !from || !to) return {};
    const HGDIOBJ oldFrom = SelectObject(from.get(), face);
    const HGDIOBJ oldTo = SelectObject(to.get(), mask.get());
    // A colour-to-monochrome copy makes the source's background colour white, the rest black.
    SetBkColor(from.get(), static_cast<COLORREF>(assets::kButtonBackground));
    const bool done =
        BitBlt(to.get(), 0, 0, bm.bmWidth, bm.bmHeight, from.get(), 0, 0, SRCCOPY) != FALSE;
    SelectObject(from.get(), oldFrom);
    SelectObject(to.get(), oldTo);
    if (!done) mask.reset();
    return mask;
}

// Command bar 2, or the bar named "Standard" where bar 2 is another (Office's editors). The
// VB6 IDE's bar 2 is its Standard toolbar under any name (a localised IDE names it in its
// own language).
rt::CallError StandardBar(IDispatch* vbe, IDispatch* bars, rt::ComPtr<IDispatch>& bar) {
    if (rt::CallError e = rt::GetObject(bars, L"Item", {2}, bar)) return e;
    rt::Variant name, version;
    if (!bar || rt::Get(bar.Get(), L"Name", {}, &name) || name.vt() != VT_BSTR ||
        CompareStringOrdinal(name.Text().c_str(), -1, L"Standard", -1, TRUE) == CSTR_EQUAL ||
        (!rt::Get(vbe, L"Version", {}, &version) && version.vt() == VT_BSTR &&
         version.Text().rfind(L"6.", 0) == 0))
        return {};
    // A hidden bar of another name is no place for the button: without "Standard", say so.
    rt::ComPtr<IDispatch> named;
    if (rt::CallError e = rt::GetObject(bars, L"Item", {L"Standard"}, named)) return e;
    if (!named) return {rt::kErrObjectNotSet, L"Object variable or With block variable not set"};
    bar = named;
    return {};
}

} // namespace

rt::CallError PutButtonPicture(IDispatch* button) {
    rt::UniqueBitmap face = LoadFace();
    if (!face) return {kErrNoResource, L"Resource with identifier '101' not found"};
    rt::UniqueBitmap maskBitmap = MaskOf(face.get());
    const auto picture = rt::BitmapToPicture(std::move(face), {});
    if (!picture) return {E_OUTOFMEMORY, {}};
    if (rt::CallError e = rt::Put(button, L"Picture", rt::Variant(picture.Get()))) return e;
    // Without its mask the picture still shows, on its own background.
    if (const auto mask = rt::BitmapToPicture(std::move(maskBitmap), {}))
        rt::Put(button, L"Mask", rt::Variant(mask.Get()));
    return {};
}

rt::CallError PasteButtonFace(IDispatch* button) {
    const rt::PicturePtr picture = rt::Picture::FromResource(IDB_ADDIN_BUTTON);
    if (!picture) return {kErrNoResource, L"Resource with identifier '101' not found"};
    // PasteFace takes the picture from the clipboard, so the user's contents are copied
    // first and put back after. When they can't be copied whole within a second and 64 MB
    // (locked, an owner that never renders, too large, formats only their owner knows), the
    // clipboard is left untouched and the button goes without a picture: nothing the user
    // copied is lost and the IDE's start-up is not held up.
    // One window owns the clipboard for the copy, the face and the contents put back.
    const rt::UniqueWindow owner(rt::CreateClipboardOwner());
    auto saved = rt::ClipboardSnapshot::Take({}, owner.get());
    if (!saved) return {};
    ClipboardKeeper keeper(std::move(*saved), owner.get());
    const bool placed = rt::SetClipboardBitmap(picture->bitmap(), owner.get());
    keeper.Mark();
    if (!placed) return {kErrClipboard, L"Can't open Clipboard"};
    return rt::Call(button, L"PasteFace");
}

namespace {

// The IDE keeps buttons added without Temporary from one session to the next, and a real IDE
// may keep a Temporary one too: whatever an earlier session left is deleted, dead as it is.
void DeleteLeftovers(IDispatch* bars) {
    for (int i = 0; i < 16; ++i) { // a host that never lets go must not hold up the start
        rt::ComPtr<IDispatch> left;
        if (rt::GetObject(bars, L"FindControl",
                          {rt::Variant::Missing(), rt::Variant::Missing(), kButtonTag}, left) ||
            !left || rt::Call(left.Get(), L"Delete"))
            return;
    }
}

// Earlier versions put their button on the Standard bar without a tag: there its caption
// tells it (a control of that caption with a tag is someone else's).
void DeleteUntaggedLeftovers(IDispatch* controls) {
    rt::Variant count;
    long n = 0;
    if (rt::Get(controls, L"Count", {}, &count) || AsLong(count, &n)) return;
    for (long i = n < 64 ? n : 64; i >= 1; --i) {
        rt::ComPtr<IDispatch> control;
        rt::Variant caption, tag;
        if (rt::GetObject(controls, L"Item", {i}, control) || !control ||
            rt::Get(control.Get(), L"Caption", {}, &caption) || caption.vt() != VT_BSTR ||
            caption.Text() != kButtonCaption || rt::Get(control.Get(), L"Tag", {}, &tag) ||
            tag.vt() != VT_BSTR || !tag.Text().empty())
            continue;
        rt::Call(control.Get(), L"Delete");
    }
}

} // namespace

rt::CallError AddButton(IDispatch* vbe, AddinButton& made) {
    rt::ComPtr<IDispatch> bars, bar, controls;
    rt::Variant count, added;
    long before = 0;
    rt::CallError e;
    if ((e = rt::GetObject(vbe, L"CommandBars", {}, bars))) return e;
    DeleteLeftovers(bars.Get());
    if ((e = StandardBar(vbe, bars.Get(), bar)) ||
        (e = rt::GetObject(bar.Get(), L"Controls", {}, controls)))
        return e;
    DeleteUntaggedLeftovers(controls.Get());
    if ((e = rt::Get(controls.Get(), L"Count", {}, &count)) || (e = AsLong(count, &before)))
        return e;
    // Type and Before given, Id and Parameter left out, so Before stands fourth.
    if ((e = rt::Call(controls.Get(), L"Add",
                      {kButtonType, rt::Variant::Missing(), rt::Variant::Missing(), before},
                      &added)) ||
        (e = rt::ObjectOf(added, made.button)))
        return e;
    // The rest is cosmetic: without its caption, picture or separator the button still
    // opens the window, so a failure there must not leave a dead button behind.
    IDispatch* button = made.button.Get();
    rt::Put(button, L"Tag", kButtonTag);
    rt::Put(button, L"Caption", kButtonCaption);
    // Where the button takes a picture object, the user's clipboard is never touched.
    if (PutButtonPicture(button)) PasteButtonFace(button);
    rt::Put(button, L"BeginGroup", true);
    return {};
}

} // namespace hv::connect
