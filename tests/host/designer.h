// A form of the project and its designer: a window in the IDE's MDI client that draws the
// form's controls in their colours and selects them with the mouse (a click selects one,
// Shift+click or Ctrl+click adds or takes away one, a click on the form clears the selection;
// the selection stays in one container, and Del deletes the selected controls).
#pragma once
#include "form_model.h"
#include <functional>
#include <windows.h>

namespace host {

class FormDesigner {
  public:
    FormDesigner(FormModel model, bool msForms, HWND mdiClient);
    ~FormDesigner();
    FormDesigner(const FormDesigner&) = delete;
    FormDesigner& operator=(const FormDesigner&) = delete;

    FormModel& model() { return model_; }
    bool msForms() const { return msForms_; }
    // The designer's window: null while no designer is open; hidden when the object model
    // made one.
    HWND window() const { return window_; }
    // Open and shown to the user (HasOpenDesigner), not only made for the object model.
    bool shown() const { return window_ && !hidden_; }
    // Counts the designers made for the form: objects of an earlier one are dead.
    unsigned generation() const { return generation_; }
    void Open();       // a visible designer, active in the MDI client
    void OpenHidden(); // what the editors do when an add-in asks a closed form's Designer
    void Close();

    // Indexes into model().controls, in the order they were selected.
    const std::vector<size_t>& selection() const { return selection_; }
    void Select(size_t index, bool extend);
    void ClearSelection();
    // Deletes the selected controls and what they contain, as Del in the designer does.
    void DeleteSelection();
    // Where a control is drawn, in the window's client pixels.
    RECT ControlRect(size_t index) const;
    // A property changed: the window shows it. Whether the form counts as changed is up to
    // whoever changed it.
    void Redraw();
    bool Save(const std::wstring& path = L"");

    std::function<void(FormDesigner*)> OnActivated;

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    void Paint(HDC dc);
    void Click(POINT pt, bool extend);
    int Pixels(long twips) const;

    FormModel model_;
    bool msForms_;
    HWND mdi_, window_ = nullptr;
    bool hidden_ = false;
    unsigned generation_ = 0;
    std::vector<size_t> selection_;
};

} // namespace host
