#include "form_colours.h"
#include "../core/apply_report.h"
#include "../runtime/late_call.h"
#include "../runtime/message_box.h"
#include "../runtime/picture_box.h"
#include "project_access.h"

namespace hv::output {

namespace {

using rt::ComPtr;
using rt::Variant;

const wchar_t* const* const kProperties = kColourProperties;
constexpr int kPropertyCount = 5;

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
        !HoldsControls(type.raw().lVal) || !Truth(component_.Get(), L"HasOpenDesigner") ||
        rt::GetObject(component_.Get(), L"Designer", {}, designer) || !designer)
        return;
    // The VB6 designer's selection, or the VBA editor's.
    bool vba = false;
    if (rt::GetObject(designer.Get(), L"SelectedVBControls", {}, selection) &&
        (vba = true, rt::GetObject(designer.Get(), L"Selected", {}, selection)))
        return;
    if (rt::Get(selection.Get(), L"Count", {}, &count) || count.vt() != VT_I4) return;
    for (long i = 0; i < count.raw().lVal; ++i) {
        ComPtr<IDispatch> object;
        if (!rt::GetObject(selection.Get(), L"Item", {i}, object) && object)
            Collect(object, vba, 0);
    }
}

void FormColours::Collect(const ComPtr<IDispatch>& object, bool vba, int depth) {
    // The VBA editor's selection holds a Frame or a MultiPage where controls inside it are
    // selected; the Frame's own Selected (the MultiPage's current page's) holds those. With
    // nothing selected inside, the container itself is the selected control.
    if (vba && depth < 8) {
        ComPtr<IDispatch> page, inner;
        IDispatch* box = object.Get();
        if (!rt::GetObject(object.Get(), L"SelectedItem", {}, page) && page) box = page.Get();
        Variant n;
        if (!rt::GetObject(box, L"Selected", {}, inner) && inner &&
            !rt::Get(inner.Get(), L"Count", {}, &n) && n.vt() == VT_I4 && n.raw().lVal > 0) {
            for (long i = 0; i < n.raw().lVal; ++i) {
                ComPtr<IDispatch> each;
                if (!rt::GetObject(inner.Get(), L"Item", {i}, each) && each)
                    Collect(each, vba, depth + 1);
            }
            return;
        }
    }
    selected_.emplace_back();
    Control& c = selected_.back();
    c.object = object;
    if (!vba) rt::GetObject(c.object.Get(), L"Properties", {}, c.properties);
    Variant name;
    ComPtr<IDispatch> holder = c.object;
    if ((!c.properties || !rt::GetObject(c.properties.Get(), L"Item", {L"Name"}, holder)) &&
        !rt::Get(holder.Get(), c.properties ? L"Value" : L"Name", {}, &name) &&
        name.vt() == VT_BSTR && name.raw().bstrVal)
        c.name = name.raw().bstrVal;
    for (int k = 0; k < kPropertyCount; ++k) {
        Variant v;
        if (Access(c.object, c.properties, k, &v)) continue;
        // OLE_COLOR may come as either 32-bit integer; the bits are the colour.
        if (v.vt() != VT_I4 && v.vt() != VT_UI4) continue;
        c.value[k] = static_cast<ColorValue>(v.raw().lVal);
        c.has |= 1u << k;
    }
}

void FormColours::AppendTo(HMENU menu, int at) {
    ReadSelection();
    DropDeadUndo();
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

// What was not done is told once: the controls without the property, and those the IDE
// refused (a locked project, run mode) with its reason and the ones that were set.
void FormColours::Apply(int k) {
    const ColorValue colour = preview_.BackColor();
    std::vector<Control> done;
    ApplyOutcome told;
    told.property = kProperties[k];
    for (const Control& c : selected_) {
        if (!(c.has >> k & 1)) {
            ++told.lacking;
        } else if (rt::CallError e = Access(c.object, c.properties, k, nullptr, colour)) {
            told.refused.emplace_back(c.name, e.Text());
        } else {
            done.push_back(c);
            told.changed.push_back(c.name);
        }
    }
    if (!done.empty()) {
        undo_.swap(done);
        undoProperty_ = k;
        undoColour_ = colour;
        undoComponent_ = component_;
        if (undo_[0].properties) MarkChanged(component_.Get());
    }
    if (const std::wstring text = ApplyReport(told); !text.empty()) Tell(text);
}

void FormColours::DropDeadUndo() {
    if (undo_.empty()) return;
    bool alive = Truth(undoComponent_.Get(), L"HasOpenDesigner");
    if (alive) {
        alive = false;
        for (const Control& c : undo_) {
            Variant v;
            if (!Access(c.object, c.properties, undoProperty_, &v)) {
                alive = true;
                break;
            }
        }
    }
    if (alive) return;
    undo_.clear();
    undoComponent_.Reset();
}

// Each control gets its value back only if it still has the one applied; a deleted control
// (its object answers DISP_E_BADCALLEE) and a value changed since are told, not touched.
void FormColours::Undo() {
    DropDeadUndo();
    if (undo_.empty()) {
        Tell(L"Nothing to undo: the form's designer was closed.");
        return;
    }
    const int k = undoProperty_;
    UndoOutcome told;
    told.property = kProperties[k];
    for (const Control& c : undo_) {
        Variant now;
        if (rt::CallError e = Access(c.object, c.properties, k, &now)) {
            if (e.number == DISP_E_BADCALLEE)
                told.gone.push_back(c.name);
            else
                told.refused.emplace_back(c.name, e.Text());
        } else if ((now.vt() != VT_I4 && now.vt() != VT_UI4) ||
                   static_cast<ColorValue>(now.raw().lVal) != undoColour_) {
            told.movedOn.push_back(c.name);
        } else if (rt::CallError e = Access(c.object, c.properties, k, nullptr, c.value[k])) {
            told.refused.emplace_back(c.name, e.Text());
        } else {
            told.restored.push_back(c.name);
        }
    }
    if (!told.restored.empty() && undo_[0].properties) MarkChanged(undoComponent_.Get());
    undo_.clear();
    undoComponent_.Reset();
    if (const std::wstring text = UndoReport(told); !text.empty()) Tell(text);
}

} // namespace hv::output
