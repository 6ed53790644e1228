// A child control of a form: a window with a name, a place in twips and a tooltip.
#pragma once
#include "accessible.h"
#include "window.h"
#include <functional>
#include <string>

namespace hv::rt {

class Form;
class Control;

// What a form adds to some of its controls, one object for them all: their keys, and what a
// screen reader reads of them.
class ControlHooks {
  public:
    // A key pressed while `c` has the focus, after Tab: true when it was used.
    virtual bool KeyDown(Control& c, int KeyCode, short Shift) = 0;
    // `d` holds the control's own answer (the name is its tooltip text): changes the name and
    // value where the form knows better.
    virtual void Describe(const Control& c, AccDescription& d) = 0;

  protected:
    ~ControlHooks() = default;
};

class Control : public Window {
  public:
    // Destroys the window while it is still a Control, so it leaves the form's tooltips.
    ~Control() override { Destroy(); }

    const std::string& name() const { return name_; }
    Form& form() const { return form_; }

    // Position and size in twips on the form.
    void Move(double left, double top, double width, double height);
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    // The inner (client) size in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;

    void SetToolTipText(const std::string& text);
    const std::string& ToolTipText() const { return tip_; }
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    bool Enabled() const;
    void SetFocus();

    // A stop of the form's Tab order (Form::SetTabOrder) while true.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool stop) { tabStop_ = stop; }
    // Where set, the keys pressed while the control has the focus, after Tab (which the form
    // handles), go there first. A control with key hooks takes no typed characters.
    ControlHooks* KeyHooks = nullptr;

    // What a screen reader reads of it: AccRole 0 leaves the window to the system's own
    // answer. The name is the tooltip text, the value empty, unless AccHooks says otherwise.
    long AccRole = 0;
    ControlHooks* AccHooks = nullptr;
    virtual void Describe(AccDescription& d) const;

    // Colours of a control of a system class, asked for by the form (WM_CTLCOLOR...).
    virtual HBRUSH CtlColor(HDC) { return nullptr; }
    // A notification of a control of a system class (WM_COMMAND), passed on by the form.
    virtual void Command(WORD /*notifyCode*/) {}
    // An item of an owner-drawn control of a system class to draw (WM_DRAWITEM).
    virtual void DrawItem(const DRAWITEMSTRUCT&) {}

  protected:
    Control(Form& form, std::string name, double left, double top, double width, double height);
    RECT PixelRect() const;
    // On `container` where given, else on the form.
    bool CreateChild(const char* className, DWORD style, DWORD exStyle = 0,
                     const Window* container = nullptr);
    bool AttachChild(const char* systemClass, DWORD style, DWORD exStyle = 0);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void SeeMouse(UINT msg, WPARAM wp, LPARAM lp) override;
    // While the control has the focus: a dotted outline just inside `r` (client pixels), one
    // pixel wide at 96 DPI and as much wider as the display's pixels are smaller.
    void DrawFocusCue(HDC dc, RECT r) const;
    // After a key the control acted on: the character that the message loop's TranslateMessage
    // already queued for it goes, so that it cannot reach a menu or dialog the key opened.
    void DropKeyChar() const;
    // The window's text: a text box's Text, a button's Caption.
    std::string WindowText() const;
    void ReplaceWindowText(const std::string& text);

  private:
    Form& form_;
    std::string name_;
    double left_, top_, width_, height_;
    std::string tip_;
    bool tabStop_ = true;
};

} // namespace hv::rt
