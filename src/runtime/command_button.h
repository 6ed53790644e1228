// VB's CommandButton: a system push button with a caption that raises Click.
#pragma once
#include "control.h"
#include "mouse.h"

namespace hv::rt {

class CommandButton : public Control {
  public:
    CommandButton(Form& form, std::string name, double left, double top, double width,
                  double height, const std::string& caption);

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    EventHandler OnClick;

    void Command(WORD notifyCode) override;
};

} // namespace hv::rt
