// A child control of a form: a window with a name, a place in twips and a tooltip.
#pragma once
#include "window.h"
#include <string>

namespace hv::rt {

class Form;

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
    // Moves the control onto another window of its form (a user control's surface); its
    // position is then relative to that window.
    void SetContainer(const Window& container);

    // Colours of a control of a system class, asked for by the form (WM_CTLCOLOR...).
    virtual HBRUSH CtlColor(HDC) { return nullptr; }
    // A notification of a control of a system class (WM_COMMAND), passed on by the form.
    virtual void Command(WORD /*notifyCode*/) {}

  protected:
    Control(Form& form, std::string name, double left, double top, double width, double height);
    RECT PixelRect() const;
    bool CreateChild(const char* className, DWORD style, DWORD exStyle = 0);
    bool AttachChild(const char* systemClass, DWORD style, DWORD exStyle = 0);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void SeeMouse(UINT msg, WPARAM wp, LPARAM lp) override;
    // The window's text: a text box's Text, a button's Caption.
    std::string WindowText() const;
    void ReplaceWindowText(const std::string& text);

  private:
    Form& form_;
    std::string name_;
    double left_, top_, width_, height_;
    std::string tip_;
};

} // namespace hv::rt
