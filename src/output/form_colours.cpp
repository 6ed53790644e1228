#include "form_colours.h"
#include "../runtime/late_call.h"
#include "../runtime/message_box.h"

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

std::wstring CodeOf(ColorValue c) {
    wchar_t text[16];
    wsprintfW(text, L"&H%08X&", static_cast<unsigned>(c));
    return text;
}

bool Truth(IDispatch* object, const wchar_t* member) {
    Variant v;
    return !rt::Get(object, member, {}, &v) && v.vt() == VT_BOOL && v.raw().boolVal;
}

// A property through the VB6 control's Properties collection, or the MSForms control's own
// member; a control that lacks it raises.
rt::CallError Property(const ComPtr<IDispatch>& object, const ComPtr<IDispatch>& properties, int k,
                       ComPtr<IDispatch>& holder) {
    if (!properties) {
        holder = object;
        return {};
    }
    return rt::GetObject(properties.Get(), L"Item", {kProperties[k]}, holder);
}

rt::CallError Write(const ComPtr<IDispatch>& object, const ComPtr<IDispatch>& properties, int k,
                    ColorValue value) {
    ComPtr<IDispatch> holder;
    if (rt::CallError e = Property(object, properties, k, holder)) return e;
    return rt::Put(holder.Get(), properties ? L"Value" : kProperties[k], static_cast<long>(value));
}

} // namespace

FormColours::FormColours(FormColourLinks links) : links_(std::move(links)) {}
FormColours::~FormColours() = default;

void FormColours::ReadSelection() {
    selected_.clear();
    component_.Reset();
    IDispatch* vbe = links_.vbe ? links_.vbe() : nullptr;
    ComPtr<IDispatch> designer, selection;
    Variant type, count;
    // Designer only with a designer open: otherwise the editors make a hidden one.
    if (rt::GetObject(vbe, L"SelectedVBComponent", {}, component_) || !component_ ||
        rt::Get(component_.Get(), L"Type", {}, &type) || type.vt() != VT_I4 ||
        type.raw().lVal < 0 || type.raw().lVal > 31 || !(kFormTypes >> type.raw().lVal & 1) ||
        !Truth(component_.Get(), L"HasOpenDesigner") ||
        rt::GetObject(component_.Get(), L"Designer", {}, designer) || !designer)
        return;
    // The VB6 designer's selection, or the VBA editor's.
    if (rt::GetObject(designer.Get(), L"SelectedVBControls", {}, selection) &&
        rt::GetObject(designer.Get(), L"Selected", {}, selection))
        return;
    if (rt::Get(selection.Get(), L"Count", {}, &count) || count.vt() != VT_I4) return;
    for (long i = 0; i < count.raw().lVal; ++i) {
        Control c;
        if (rt::GetObject(selection.Get(), L"Item", {i}, c.object) || !c.object) continue;
        rt::GetObject(c.object.Get(), L"Properties", {}, c.properties);
        for (int k = 0; k < kPropertyCount; ++k) {
            ComPtr<IDispatch> holder;
            Variant v;
            if (Property(c.object, c.properties, k, holder) ||
                rt::Get(holder.Get(), c.properties ? L"Value" : kProperties[k], {}, &v))
                continue;
            // OLE_COLOR may come as either 32-bit integer; the bits are the colour.
            if (v.vt() != VT_I4 && v.vt() != VT_UI4) continue;
            c.value[k] = static_cast<ColorValue>(v.raw().lVal);
            c.has |= 1u << k;
        }
        selected_.push_back(c);
    }
}

void FormColours::AppendTo(HMENU menu) {
    ReadSelection();
    HMENU from = CreatePopupMenu(), apply = CreatePopupMenu();
    unsigned any = 0;
    for (const Control& c : selected_)
        any |= c.has;
    for (int k = 0; k < kPropertyCount; ++k) {
        if (!selected_.empty() && selected_[0].has >> k & 1)
            AppendMenuW(
                from, MF_STRING, kFirstId + k,
                (std::wstring(kProperties[k]) + L"  " + CodeOf(selected_[0].value[k])).c_str());
        if (any >> k & 1) AppendMenuW(apply, MF_STRING, kApplyId + k, kProperties[k]);
    }
    const auto grey = [](HMENU m) { return GetMenuItemCount(m) > 0 ? 0u : MF_GRAYED; };
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_POPUP | grey(from), reinterpret_cast<UINT_PTR>(from),
                L"Color from selected control");
    AppendMenuW(menu, MF_POPUP | grey(apply), reinterpret_cast<UINT_PTR>(apply),
                L"Apply to selected controls");
    AppendMenuW(menu, MF_STRING | (CanUndo() ? 0u : MF_GRAYED), kUndoId, L"Undo apply");
}

bool FormColours::Choose(UINT id) {
    const int k = static_cast<int>(id % 100);
    if (id == kUndoId) {
        Undo();
    } else if (id >= kFirstId && id < kFirstId + kPropertyCount) {
        // The one place where a control's colour becomes the current colour.
        if (!selected_.empty() && selected_[0].has >> k & 1 && links_.makeCurrent)
            links_.makeCurrent(selected_[0].value[k]);
    } else if (id >= kApplyId && id < kApplyId + kPropertyCount) {
        Apply(k);
    } else {
        return false;
    }
    return true;
}

void FormColours::Apply(int k) {
    const ColorValue colour = links_.current();
    std::vector<Replaced> done;
    long skipped = 0;
    std::wstring failed;
    for (const Control& c : selected_) {
        if (!(c.has >> k & 1)) {
            ++skipped;
        } else if (rt::CallError e = Write(c.object, c.properties, k, colour)) {
            failed += L"\r\n" + e.Text();
        } else {
            done.push_back({c, k, c.value[k]});
        }
    }
    if (!done.empty()) {
        undo_ = std::move(done);
        undoComponent_ = component_;
        MarkChanged(component_.Get());
    }
    std::wstring told;
    if (skipped)
        told = std::to_wstring(skipped) +
               (skipped == 1 ? L" selected control has" : L" selected controls have") + L" no " +
               kProperties[k] + L" and " + (skipped == 1 ? L"was" : L"were") + L" left alone.";
    if (!failed.empty())
        told += (told.empty() ? L"" : L"\r\n\r\n") + std::wstring(kProperties[k]) +
                L" could not be set on every control:" + failed;
    if (!told.empty()) rt::MsgBox(told, MB_OK | MB_ICONINFORMATION, L"Pigmora");
}

void FormColours::Undo() {
    std::wstring failed;
    for (const Replaced& r : undo_)
        if (rt::CallError e = Write(r.control.object, r.control.properties, r.property, r.old))
            failed += L"\r\n" + e.Text();
    undo_.clear();
    MarkChanged(undoComponent_.Get());
    undoComponent_.Reset();
    if (!failed.empty())
        rt::MsgBox(L"Some colors could not be put back:" + failed, MB_OK | MB_ICONINFORMATION,
                   L"Pigmora");
}

// Setting through Properties may leave the form unmarked; VB6 would then not save it.
void FormColours::MarkChanged(IDispatch* component) {
    Variant dirty;
    if (component && !rt::Get(component, L"IsDirty", {}, &dirty) && dirty.vt() == VT_BOOL &&
        !dirty.raw().boolVal)
        rt::Put(component, L"IsDirty", true);
}

} // namespace hv::output
