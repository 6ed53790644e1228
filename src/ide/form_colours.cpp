#include "form_colours.h"
#include "../runtime/late_call.h"
#include "../runtime/message_box.h"
#include "../runtime/picture_box.h"

namespace hv::output {

namespace {

using rt::ComPtr;
using rt::Variant;

// The colour properties a control may have; which ones it has is asked of the control.
const wchar_t* const kProperties[] = {L"BackColor", L"ForeColor", L"FillColor", L"BorderColor",
                                      L"MaskColor"};
constexpr int kPropertyCount = 5;

// Component types whose designer holds controls: VBA's UserForm (3), VB6's form, MDI form,
// user control, property page and user document (5, 6, 8, 9, 10).
constexpr unsigned kFormTypes = 1u << 3 | 1u << 5 | 1u << 6 | 1u << 8 | 1u << 9 | 1u << 10;

bool Truth(IDispatch* object, const wchar_t* member) {
    Variant v;
    return !rt::Get(object, member, {}, &v) && v.vt() == VT_BOOL && v.raw().boolVal;
}

// Reads (`read` given) or sets the k-th property: through the VB6 control's
// Properties(name).Value, or the MSForms control's own member. Raises when the control lacks it.
rt::CallError Access(const ComPtr<IDispatch>& object, const ComPtr<IDispatch>& properties, int k,
                     Variant* read, long value = 0) {
    ComPtr<IDispatch> holder = object;
    if (properties)
        if (rt::CallError e = rt::GetObject(properties.Get(), L"Item", {kProperties[k]}, holder))
            return e;
    const wchar_t* member = properties ? L"Value" : kProperties[k];
    return read ? rt::Get(holder.Get(), member, {}, read) : rt::Put(holder.Get(), member, value);
}

void Tell(const std::wstring& text) {
    rt::MsgBox(text, MB_OK | MB_ICONINFORMATION, L"Pigmora");
}

// Setting through Properties may leave the form unmarked, and VB6 would then not save it.
// The VBA editor's components have no IsDirty: the get fails there and nothing is put.
void MarkChanged(IDispatch* component) {
    Variant dirty;
    if (!rt::Get(component, L"IsDirty", {}, &dirty) && dirty.vt() == VT_BOOL &&
        !dirty.raw().boolVal)
        rt::Put(component, L"IsDirty", true);
}

} // namespace

FormColours::FormColours(const rt::ComPtr<IDispatch>& vbe, const rt::PictureBox& preview,
                         std::function<void(ColorValue)> makeCurrent)
    : vbe_(vbe), preview_(preview), makeCurrent_(std::move(makeCurrent)) {}
FormColours::~FormColours() = default;

void FormColours::ReadSelection() {
    selected_.clear();
    component_.Reset();
    ComPtr<IDispatch> designer, selection;
    Variant type, count;
    // Designer only with a designer open: otherwise the editors make a hidden one.
    if (rt::GetObject(vbe_.Get(), L"SelectedVBComponent", {}, component_) || !component_ ||
        rt::Get(component_.Get(), L"Type", {}, &type) || type.vt() != VT_I4 ||
        static_cast<unsigned long>(type.raw().lVal) > 31 || !(kFormTypes >> type.raw().lVal & 1) ||
        !Truth(component_.Get(), L"HasOpenDesigner") ||
        rt::GetObject(component_.Get(), L"Designer", {}, designer) || !designer)
        return;
    // The VB6 designer's selection, or the VBA editor's.
    if (rt::GetObject(designer.Get(), L"SelectedVBControls", {}, selection) &&
        rt::GetObject(designer.Get(), L"Selected", {}, selection))
        return;
    if (rt::Get(selection.Get(), L"Count", {}, &count) || count.vt() != VT_I4) return;
    const long n = count.raw().lVal;
    selected_.reserve(n > 0 ? static_cast<size_t>(n) : 0);
    for (long i = 0; i < n; ++i) {
        selected_.emplace_back();
        Control& c = selected_.back();
        if (rt::GetObject(selection.Get(), L"Item", {i}, c.object) || !c.object) {
            selected_.pop_back();
            continue;
        }
        rt::GetObject(c.object.Get(), L"Properties", {}, c.properties);
        for (int k = 0; k < kPropertyCount; ++k) {
            Variant v;
            if (Access(c.object, c.properties, k, &v)) continue;
            // OLE_COLOR may come as either 32-bit integer; the bits are the colour.
            if (v.vt() != VT_I4 && v.vt() != VT_UI4) continue;
            c.value[k] = static_cast<ColorValue>(v.raw().lVal);
            c.has |= 1u << k;
        }
    }
}

void FormColours::AppendTo(HMENU menu, int at) {
    ReadSelection();
    HMENU from = CreatePopupMenu(), apply = CreatePopupMenu();
    unsigned any = 0;
    for (const Control& c : selected_)
        any |= c.has;
    for (int k = 0; k < kPropertyCount; ++k) {
        if (!selected_.empty() && selected_[0].has >> k & 1) {
            wchar_t item[48];
            wsprintfW(item, L"%s  &H%08X&", kProperties[k], selected_[0].value[k]);
            AppendMenuW(from, MF_STRING, kFirstId + k, item);
        }
        if (any >> k & 1) AppendMenuW(apply, MF_STRING, kApplyId + k, kProperties[k]);
    }
    const auto grey = [](HMENU m) { return GetMenuItemCount(m) > 0 ? 0u : MF_GRAYED; };
    const UINT by = MF_BYPOSITION, pos = static_cast<UINT>(at);
    // Inserted last to first at the same place, or appended in order.
    const auto put = [&](UINT flags, UINT_PTR id, const wchar_t* text) {
        InsertMenuW(menu, pos, by | flags, id, text);
    };
    if (at < 0) {
        put(MF_SEPARATOR, 0, nullptr);
        put(MF_POPUP | grey(from), reinterpret_cast<UINT_PTR>(from),
            L"Color from selected control");
        put(MF_POPUP | grey(apply), reinterpret_cast<UINT_PTR>(apply),
            L"Apply to selected controls");
        put(MF_STRING | (CanUndo() ? 0u : MF_GRAYED), kUndoId, L"Undo apply");
    } else {
        put(MF_STRING | (CanUndo() ? 0u : MF_GRAYED), kUndoId, L"Undo apply");
        put(MF_POPUP | grey(apply), reinterpret_cast<UINT_PTR>(apply),
            L"Apply to selected controls");
        put(MF_POPUP | grey(from), reinterpret_cast<UINT_PTR>(from),
            L"Color from selected control");
        put(MF_SEPARATOR, 0, nullptr);
    }
}

bool FormColours::Choose(UINT id) {
    const int k = static_cast<int>(id % 10);
    if (id == kUndoId) {
        Undo();
    } else if (id >= kFirstId && id < kFirstId + kPropertyCount) {
        // The one place where a control's colour becomes the current colour.
        if (!selected_.empty() && selected_[0].has >> k & 1) makeCurrent_(selected_[0].value[k]);
    } else if (id >= kApplyId && id < kApplyId + kPropertyCount) {
        Apply(k);
    } else {
        return false;
    }
    return true;
}

// Failures are told after the skipped controls, each with the IDE's own words.
void FormColours::Apply(int k) {
    const ColorValue colour = preview_.BackColor();
    std::vector<Control> done;
    long skipped = 0;
    std::wstring failed;
    for (const Control& c : selected_) {
        if (!(c.has >> k & 1))
            ++skipped;
        else if (rt::CallError e = Access(c.object, c.properties, k, nullptr, colour))
            failed += L"\r\n" + e.Text();
        else
            done.push_back(c);
    }
    if (!done.empty()) {
        undo_.swap(done);
        undoProperty_ = k;
        undoComponent_ = component_;
        MarkChanged(component_.Get());
    }
    wchar_t told[128];
    if (skipped) {
        wsprintfW(told, L"Selected controls without %s, left as they were: %ld.", kProperties[k],
                  skipped);
        Tell(told);
    }
    if (!failed.empty()) {
        wsprintfW(told, L"%s could not be set on every control:", kProperties[k]);
        Tell(told + failed);
    }
}

void FormColours::Undo() {
    std::wstring failed;
    for (const Control& c : undo_)
        if (rt::CallError e =
                Access(c.object, c.properties, undoProperty_, nullptr, c.value[undoProperty_]))
            failed += L"\r\n" + e.Text();
    undo_.clear();
    MarkChanged(undoComponent_.Get());
    undoComponent_.Reset();
    if (!failed.empty()) Tell(L"Some colors could not be put back:" + failed);
}

} // namespace hv::output
