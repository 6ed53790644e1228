// VB's TextBox over an EDIT control: one line, or several with a vertical scroll bar.
#pragma once
#include "../core/colour.h"
#include "control.h"
#include "label.h"
#include "mouse.h"

namespace hv::rt {

class TextBox : public Control {
  public:
    TextBox(Form& form, std::string name, double left, double top, double width, double height,
            Align alignment = Align::Left, bool border = true, bool multiLine = false);

    std::string Text() const;
    void SetText(const std::string& text);
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int start);
    void SetSelLength(int length);
    void SetForeColor(ColorValue c);
    ColorValue ForeColor() const { return fore_; }
    void SetBackColor(ColorValue c);
    ColorValue BackColor() const { return back_; }
    void SetFont(const std::string& face, double points, bool bold = false);

    void Describe(AccDescription& d) const override;
    HBRUSH CtlColor(HDC dc) override;
    void Command(WORD notifyCode) override;

    // VB's Change (the text changed, by the user or by code) and KeyPress (a character typed;
    // setting KeyAscii to 0 drops it).
    EventHandler OnChange;
    std::function<void(int& KeyAscii)> OnKeyPress;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    ColorValue fore_ = SystemColor(COLOR_WINDOWTEXT);
    ColorValue back_ = SystemColor(COLOR_WINDOW);
    UniqueBrush brush_;
    UniqueFont font_;
};

} // namespace hv::rt
