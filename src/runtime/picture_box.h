// VB's PictureBox: a back colour, a picture drawn 1:1 from the inner top-left corner, a
// Point query, a custom mouse pointer and mouse events in twips. While a button is held the
// box keeps the mouse, so moves keep arriving past its edge.
#pragma once
#include "../core/colour.h"
#include "control.h"
#include "mouse.h"
#include "mouse_pointer.h"
#include "picture.h"
#include <memory>

namespace hv::rt {

class PictureBox : public Control {
  public:
    // border: a flat one-pixel line around the inner area. `container`: the window it is
    // made on, its place relative to it (the form where none is given).
    PictureBox(Form& form, std::string name, double left, double top, double width, double height,
               bool border = true, const Window* container = nullptr);

    ColorValue BackColor() const { return back_; }
    void SetBackColor(ColorValue c);
    const PicturePtr& Picture() const { return picture_; }
    void SetPicture(PicturePtr picture);
    void SetMouseIcon(MouseIcon icon) { icon_ = std::move(icon); }

    // The colour drawn at (X, Y) twips inside the box, or -1 outside it.
    ColorValue Point(float x, float y) const;

    // The focus cue's rectangle in client pixels; empty (the default) is the whole box.
    void SetFocusCueRect(const RECT& r);
    // A press and release of `button` at the box's middle, as from the mouse: Space and Enter
    // on a box that acts on a click, the menu key on one with a menu.
    void KeyClick(short button);

    MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;
    EventHandler OnClick, OnDblClick;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    MouseEvent Event(short button, LPARAM lp) const;
    ColorValue back_;
    PicturePtr picture_;
    MouseIcon icon_;
    ClickTracker clicks_;
    RECT cue_{};
};

} // namespace hv::rt
