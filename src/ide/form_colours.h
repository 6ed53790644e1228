// Colours of the controls selected in the IDE's form designer, for the preview's menu: read
// from the first selected control, applied to every selected control that has the property,
// and the last apply undone where nothing changed the value since. Works with the VB6
// designer (VBForm.SelectedVBControls, Properties(name).Value) and the VBA editor's
// (UserForm.Selected, the controls' own members; a Frame or a MultiPage's page stands there
// for the controls selected inside it).
#pragma once
#include "../core/colour.h"
#include "../runtime/com_ptr.h"
#include <functional>
#include <vector>
#include <windows.h>

namespace hv::rt {
class PictureBox;
}

namespace hv::output {

class FormColours {
  public:
    // `vbe` is the connection's IDE (null: none), `preview` holds the current colour, and
    // `makeCurrent` takes a colour read from a control.
    FormColours(const rt::ComPtr<IDispatch>& vbe, const rt::PictureBox& preview,
                std::function<void(ColorValue)> makeCurrent);
    ~FormColours();
    FormColours(const FormColours&) = delete;
    FormColours& operator=(const FormColours&) = delete;

    // Reads the selection now and puts a separator, "Color from selected control",
    // "Apply to selected controls" and "Undo apply" into `menu` at position `at` (-1: at the
    // end); the items have ids from kFirstId, below a popup's own rows.
    void AppendTo(HMENU menu, int at = -1);
    // Runs the item with this id from the last AppendTo; false when it is none of them.
    bool Choose(UINT id);
    bool CanUndo() const { return !undo_.empty(); }

    static constexpr UINT kFirstId = 40; // + property: from the first control
    static constexpr UINT kApplyId = 50; // + property: apply to the selection
    static constexpr UINT kUndoId = 60;

  private:
    struct Control {
        rt::ComPtr<IDispatch> object, properties; // properties: null for MSForms controls
        std::wstring name;
        ColorValue value[5];
        unsigned has = 0; // bit k: has the k-th colour property
    };
    void ReadSelection();
    // Adds the control, or what is selected inside it when it is a container.
    void Collect(const rt::ComPtr<IDispatch>& object, bool vba, int depth);
    void Apply(int property);
    void Undo();
    // Forgets the last apply once its designer or every control it changed is gone.
    void DropDeadUndo();

    const rt::ComPtr<IDispatch>& vbe_;
    const rt::PictureBox& preview_;
    std::function<void(ColorValue)> makeCurrent_;
    rt::ComPtr<IDispatch> component_;
    std::vector<Control> selected_;
    // What the last apply changed: the controls with the values they had, and its property.
    std::vector<Control> undo_;
    rt::ComPtr<IDispatch> undoComponent_;
    int undoProperty_ = 0;
    ColorValue undoColour_ = 0; // what the apply set
};

} // namespace hv::output
