#include "lumo_color_container.h"
#include "../runtime/form.h"
#include <algorithm>
#include <oleacc.h>

namespace hv::controls {

namespace {
constexpr ColorValue kDefaultBackColor = SystemColor(COLOR_BTNTEXT);
constexpr ColorValue kDefaultEdgePressed = RGBColor(255, 255, 255);
constexpr ColorValue kDefaultEdgeUnPressed = SystemColor(COLOR_BTNSHADOW);
} // namespace

LumoColorContainer::LumoColorContainer(rt::Form& form, std::string name, double left, double top,
                                       double width, double height, const rt::PropertyBag* stored)
    : UserControl(form, std::move(name), left, top, width, height, "HuevistaColorContainer") {
    // Made on the surface at once and at its size (UserControl_Resize then leaves it): moving
    // a window to another parent and resizing it cost as much again as making it.
    picColor =
        std::make_unique<rt::PictureBox>(form, "picColor", 30, 30, std::max(0.0, ScaleWidth() - 60),
                                         std::max(0.0, ScaleHeight() - 60), false, this);
    AccRole = ROLE_SYSTEM_LISTITEM;
    picColor->SetBackColor(SystemColor(COLOR_ACTIVEBORDER));
    picColor->OnClick = [this] {
        if (OnClick) OnClick();
    };
    picColor->OnDblClick = [this] {
        if (OnDblClick) OnDblClick();
    };
    picColor->OnMouseDown = [this](const rt::MouseEvent& e) {
        if (OnMouseDown) OnMouseDown(e);
    };
    picColor->OnMouseMove = [this](const rt::MouseEvent& e) {
        if (OnMouseMove) OnMouseMove(e);
    };
    picColor->OnMouseUp = [this](const rt::MouseEvent& e) {
        if (OnMouseUp) OnMouseUp(e);
    };
    UserControl_Resize();
    if (stored)
        ReadProperties(*stored);
    else
        InitProperties();
    UserControl_Show();
}

void LumoColorContainer::InitProperties() {
    edgePressed_ = kDefaultEdgePressed;
    edgeUnPressed_ = kDefaultEdgeUnPressed;
    innerBorder_ = 0;
    style_ = 0;
    ApplyStyle();
}

// The outline keeps its colour until the control is shown.
void LumoColorContainer::ReadProperties(const rt::PropertyBag& bag) {
    picColor->SetBackColor(bag.ReadLong("BackColor", kDefaultBackColor));
    Control::SetEnabled(bag.ReadBool("Enabled", true));
    style_ = bag.ReadLong("Style", 0);
    innerBorder_ = bag.ReadLong("InnerBorderColor", 0);
    edgePressed_ = bag.ReadLong("EdgePressedColor", kDefaultEdgePressed);
    edgeUnPressed_ = bag.ReadLong("EdgeUnPressedColor", kDefaultEdgeUnPressed);
    picColor->SetToolTipText(bag.ReadString("ColorTipText", ""));
    ApplyStyle();
}

void LumoColorContainer::WriteProperties(rt::PropertyBag& bag) const {
    bag.WriteProperty("BackColor", picColor->BackColor(), kDefaultBackColor);
    bag.WriteProperty("Enabled", Enabled(), true);
    bag.WriteProperty("Style", style_, 0);
    bag.WriteProperty("InnerBorderColor", innerBorder_, 0);
    bag.WriteProperty("EdgePressedColor", edgePressed_, kDefaultEdgePressed);
    bag.WriteProperty("EdgeUnPressedColor", edgeUnPressed_, kDefaultEdgeUnPressed);
    bag.WriteProperty("ColorTipText", picColor->ToolTipText(), std::string());
}

// Each showing passes the stored values through the property lets; the pressed colour's let
// paints the edge pressed for a moment and ApplyStyle puts the right colour back.
void LumoColorContainer::UserControl_Show() {
    SetStyle(style_);
    ApplyStyle();
    SetEdgeUnPressedColor(edgeUnPressed_);
    SetEdgePressedColor(edgePressed_);
    SetInnerBorderColor(innerBorder_);
}

void LumoColorContainer::ApplyStyle() {
    SetSurfaceBackColor(style_ == 1 ? edgePressed_ : edgeUnPressed_);
}

void LumoColorContainer::SetBackColor(ColorValue c) {
    const bool changed = c != picColor->BackColor();
    picColor->SetBackColor(c);
    PropertyChanged("BackColor");
    if (changed) rt::NotifyAcc(EVENT_OBJECT_NAMECHANGE, hwnd()); // the name says the colour
}

void LumoColorContainer::SetColorTipText(const std::string& text) {
    picColor->SetToolTipText(text);
    PropertyChanged("ColorTipText");
}

void LumoColorContainer::SetEnabled(bool enabled) {
    Control::SetEnabled(enabled);
    PropertyChanged("Enabled");
}

void LumoColorContainer::SetStyle(int style) {
    const bool selected = style == 1 && style_ != 1;
    style_ = style;
    // Of a row of swatches, Tab stops at the pressed one; the arrow keys reach the others.
    SetTabStop(style == 1);
    if (selected) rt::NotifyAcc(EVENT_OBJECT_SELECTION, hwnd());
    PropertyChanged("Style");
    ApplyStyle();
}

void LumoColorContainer::SetInnerBorderColor(ColorValue c) {
    innerBorder_ = c;
    PropertyChanged("InnerBorderColor");
    EdgeInner.BorderColor = c;
    Invalidate();
}

void LumoColorContainer::SetEdgePressedColor(ColorValue c) {
    edgePressed_ = c;
    PropertyChanged("EdgePressedColor");
    SetSurfaceBackColor(c);
    ApplyStyle();
}

void LumoColorContainer::SetEdgeUnPressedColor(ColorValue c) {
    edgeUnPressed_ = c;
    PropertyChanged("EdgeUnPressedColor");
    ApplyStyle();
}

void LumoColorContainer::UserControl_Resize() {
    if (!picColor) return; // sizes sent while the window is being made
    const double w = ScaleWidth(), h = ScaleHeight();
    // A control too small for the bands gets empty parts rather than negative sizes.
    EdgeInner.Move(20, 20, std::max(0.0, w - 30), std::max(0.0, h - 30));
    picColor->Move(30, 30, std::max(0.0, w - 60), std::max(0.0, h - 60));
    Invalidate();
}

void LumoColorContainer::UserControl_Paint(HDC dc) {
    UserControl::UserControl_Paint(dc);
    EdgeInner.Draw(dc, form().TwipsPerPixelX(), form().TwipsPerPixelY());
    RECT r{};
    GetClientRect(hwnd(), &r);
    DrawFocusCue(dc, r); // on the edge around the colour
}

void LumoColorContainer::Describe(rt::AccDescription& d) const {
    UserControl::Describe(d);
    d.state |= STATE_SYSTEM_SELECTABLE;
    if (style_ == 1) d.state |= STATE_SYSTEM_SELECTED;
}

LRESULT LumoColorContainer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) InvalidateRect(hwnd(), nullptr, FALSE);
    return UserControl::HandleMessage(msg, wp, lp);
}

} // namespace hv::controls
