// TransSkinButton: a button drawn from three pictures (up, over, down). It takes the size of
// the picture it shows, and its shape: pixels of MaskColor are neither drawn nor hit, so the
// host shows through there and takes the mouse there. A hover timer, started by a mouse move
// and stopped once the pointer has left, switches to the "over" picture and back.
#pragma once
#include "../runtime/property_bag.h"
#include "../runtime/timer.h"
#include "../runtime/user_control.h"
#include <functional>

namespace hv::controls {

class TransSkinButton : public rt::UserControl {
  public:
    // `stored`: the host's stored design data; null places a new instance.
    TransSkinButton(rt::Form& form, std::string name, double left, double top, double width,
                    double height, const rt::PropertyBag* stored = nullptr);

    const rt::PicturePtr& PictureUp() const { return up_; }
    void SetPictureUp(rt::PicturePtr picture);
    const rt::PicturePtr& PictureOver() const { return over_; }
    void SetPictureOver(rt::PicturePtr picture);
    const rt::PicturePtr& PictureDown() const { return down_; }
    void SetPictureDown(rt::PicturePtr picture);
    // 0 push button, 1 toggle button; other values neither press nor latch.
    int ButtonStyle() const { return style_; }
    void SetButtonStyle(int style);
    bool Value() const { return value_; }
    void SetValue(bool value);
    ColorValue BackColor() const { return SurfaceBackColor(); }
    void SetBackColor(ColorValue c);
    const rt::PicturePtr& MouseIcon() const { return icon_; }
    void SetMouseIcon(rt::PicturePtr picture);
    int MousePointer() const { return pointer_; }
    void SetMousePointer(int pointer);
    ColorValue MaskColor() const { return mask_; }
    void SetMaskColor(ColorValue c);
    void SetEnabled(bool enabled);

    // The nine stored keys, in order.
    void WriteProperties(rt::PropertyBag& bag) const override;

    // Whether a left press takes the keyboard focus, as a push button's does (the default).
    // Off for a button whose click hands the focus on anyway: the focus then goes once, and
    // a screen reader does not announce the button in passing.
    void SetFocusOnPress(bool take) { focusOnPress_ = take; }

    // Space or Enter on the focused button: a press and release at its middle, as the mouse's.
    void KeyClick();
    void Describe(rt::AccDescription& d) const override;

    // The hover timer's tick; public so that its cost can be measured.
    void tmrMO_Timer();
    bool HoverTimerRunning() const { return hoverTimer_.Running(); }
    // The picture shown now, null before the first.
    const rt::PicturePtr& ShownPicture() const { return shown_; }

    // Events, in the order the control declares them.
    rt::EventHandler OnClick;
    rt::MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;
    std::function<void(long ScreenX, long ScreenY)> OnMouseOver, OnMouseNotOver;
    rt::EventHandler OnDblClick;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void UserControl_Paint(HDC dc) override;
    void UserControl_Show() override;

  private:
    void InitProperties();
    void ReadProperties(const rt::PropertyBag& bag);
    void ApplyPicture(const rt::PicturePtr& picture);
    bool IsMouseOver();
    bool OnShape(int x, int y) const;
    // PictureOver where it is set, PictureUp otherwise.
    const rt::PicturePtr& OverOrUp() const { return over_ ? over_ : up_; }
    rt::MouseEvent Event(short button, LPARAM lp) const;
    void UserControl_MouseDown(short button, LPARAM lp);
    void UserControl_MouseUp(short button, LPARAM lp, bool click, bool over);
    void UserControl_Click();
    bool SetPointerShape();
    // Marks the face for painting, once until the paint: a press and its release that come
    // before the press is painted need one mark, and each is a trip to the window server.
    void Repaint();

    rt::PicturePtr up_, over_, down_, icon_, shown_;
    rt::UniqueCursor iconCursor_;
    rt::UniqueRegion shape_; // a copy of the shape the window has
    int style_ = 0;
    bool value_ = false;
    int pointer_ = 0;
    ColorValue mask_ = 0;
    int downLatched_ = 0;
    bool wasOver_ = false;
    bool focusOnPress_ = true;
    bool paintDue_ = false; // marked since the last WM_PAINT
    POINT cursorPos_{};
    rt::ClickTracker clicks_;
    // Enabled at creation: its first tick finds the pointer and shows the matching picture.
    rt::Timer hoverTimer_{10, true};
};

} // namespace hv::controls
