// LumoColorContainer: one colour shown as a swatch. The control's own background is the edge
// (pressed or unpressed colour by Style), a one-pixel outline lies inside it, and the colour
// area picColor fills the middle. Only the colour area raises mouse events, with X and Y
// relative to it.
#pragma once
#include "../runtime/picture_box.h"
#include "../runtime/property_bag.h"
#include "../runtime/shape.h"
#include "../runtime/user_control.h"
#include <memory>

namespace hv::controls {

class LumoColorContainer : public rt::UserControl {
  public:
    // `stored`: the host's stored design data; null places a new instance.
    LumoColorContainer(rt::Form& form, std::string name, double left, double top, double width,
                       double height, const rt::PropertyBag* stored = nullptr);

    ColorValue BackColor() const { return picColor->BackColor(); }
    void SetBackColor(ColorValue c);
    const std::string& ColorTipText() const { return picColor->ToolTipText(); }
    void SetColorTipText(const std::string& text);
    void SetEnabled(bool enabled);
    // 1 the pressed look; any other value the unpressed look.
    int Style() const { return style_; }
    void SetStyle(int style);
    ColorValue InnerBorderColor() const { return innerBorder_; }
    void SetInnerBorderColor(ColorValue c);
    ColorValue EdgePressedColor() const { return edgePressed_; }
    void SetEdgePressedColor(ColorValue c);
    ColorValue EdgeUnPressedColor() const { return edgeUnPressed_; }
    void SetEdgeUnPressedColor(ColorValue c);

    void Describe(rt::AccDescription& d) const override;

    // The seven stored keys, in order.
    void WriteProperties(rt::PropertyBag& bag) const override;

    // Events, in the order the control declares them.
    rt::EventHandler OnClick, OnDblClick;
    rt::MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void UserControl_Paint(HDC dc) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;

  private:
    void InitProperties();
    void ReadProperties(const rt::PropertyBag& bag);
    void ApplyStyle();

    std::unique_ptr<rt::PictureBox> picColor;
    rt::Shape EdgeInner;
    int style_ = 0;
    ColorValue innerBorder_ = 0;
    ColorValue edgePressed_ = RGBColor(255, 255, 255);
    ColorValue edgeUnPressed_ = SystemColor(COLOR_BTNSHADOW);
};

} // namespace hv::controls
