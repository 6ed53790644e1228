#include "addin_button.h"
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

// Puts the user's clipboard back when the face has been pasted, whatever happened.
class ClipboardKeeper {
  public:
    explicit ClipboardKeeper(rt::ClipboardSnapshot saved) : saved_(std::move(saved)) {}
    ~ClipboardKeeper() { saved_.Restore(); }
    ClipboardKeeper(const ClipboardKeeper&) = delete;
    ClipboardKeeper& operator=(const ClipboardKeeper&) = delete;

  private:
    rt::ClipboardSnapshot saved_;
};

} // namespace

rt::CallError PasteButtonFace(IDispatch* button) {
    const rt::PicturePtr picture = rt::Picture::FromResource(IDB_ADDIN_BUTTON);
    if (!picture) return {kErrNoResource, L"Resource with identifier '101' not found"};
    // PasteFace takes the picture from the clipboard, so the user's contents are copied
    // first and put back after. When they can't be copied whole within a second and 64 MB
    // (locked, an owner that never renders, too large, formats only their owner knows), the
    // clipboard is left untouched and the button goes without a picture: nothing the user
    // copied is lost and the IDE's start-up is not held up.
    auto saved = rt::ClipboardSnapshot::Take();
    if (!saved) return {};
    ClipboardKeeper keeper(std::move(*saved));
    if (!rt::SetClipboardBitmap(picture->bitmap())) return {kErrClipboard, L"Can't open Clipboard"};
    return rt::Call(button, L"PasteFace");
}

rt::CallError AddButton(IDispatch* vbe, AddinButton& made) {
    rt::ComPtr<IDispatch> bars, bar, controls;
    rt::Variant count, added;
    long before = 0;
    rt::CallError e;
    if ((e = rt::GetObject(vbe, L"CommandBars", {}, bars)) ||
        (e = rt::GetObject(bars.Get(), L"Item", {2}, bar)) ||
        (e = rt::GetObject(bar.Get(), L"Controls", {}, controls)) ||
        (e = rt::Get(controls.Get(), L"Count", {}, &count)) || (e = AsLong(count, &before)))
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
    rt::Put(button, L"Caption", kButtonCaption);
    PasteButtonFace(button);
    rt::Put(button, L"BeginGroup", true);
    return {};
}

} // namespace hv::connect
