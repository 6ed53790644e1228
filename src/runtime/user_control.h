// The surface of a user control: a child window of a form with its own background colour,
// the container's ambient properties and the PropertyChanged hook by which the host learns
// what to save. Derived controls read and write their properties through a PropertyBag.
#pragma once
#include "../core/colour.h"
#include "control.h"
#include "property_bag.h"
#include <functional>
#include <memory>
#include <string>

namespace hv::rt {

class UserControl : public Control {
  public:
    // UserControl.BackColor: the colour the surface is painted in.
    ColorValue SurfaceBackColor() const { return back_; }
    void SetSurfaceBackColor(ColorValue c);
    // UserControl.Width/Height lets: resizes in place, to whole pixels.
    void Resize(double widthTwips, double heightTwips);

    // Ambient.BackColor: the container's background colour.
    ColorValue AmbientBackColor() const;

    virtual void WriteProperties(PropertyBag& bag) const = 0;

    // Runs with the property's name each time a property let marks it changed.
    std::function<void(const std::string&)> OnPropertyChanged;

  protected:
    UserControl(Form& form, std::string name, double left, double top, double width, double height,
                const char* className, DWORD style = 0);

    void PropertyChanged(const std::string& property);

    // Paints the surface; the default fills it with the back colour.
    virtual void UserControl_Paint(HDC dc);
    virtual void UserControl_Resize() {}
    // Each time the control becomes visible; derived constructors run it once themselves.
    virtual void UserControl_Show() {}

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    // Events may destroy the control (a handler that unloads the form): after raising one,
    // code that goes on touching the control first checks that it is still alive.
    std::weak_ptr<void> LifeToken() const { return life_; }

  private:
    ColorValue back_;
    std::shared_ptr<char> life_ = std::make_shared<char>();
};

} // namespace hv::rt
