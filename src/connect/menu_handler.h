// Hears the add-in's command-bar button: keeps the IDE's event object of the button and a
// sink on its connection point for _dispCommandBarControlEvents, whose Click goes to the
// handler.
#pragma once
#include "../runtime/late_call.h"
#include <functional>
#include <ocidl.h>

namespace hv::connect {

// {0002E131-0000-0000-C000-000000000046}
extern const IID DIID_dispCommandBarControlEvents;

class CommandBarEventsLink {
  public:
    using ClickHandler =
        std::function<void(IDispatch* control, VARIANT_BOOL* handled, VARIANT_BOOL* cancelDefault)>;

    explicit CommandBarEventsLink(ClickHandler onClick);
    ~CommandBarEventsLink();
    CommandBarEventsLink(const CommandBarEventsLink&) = delete;
    CommandBarEventsLink& operator=(const CommandBarEventsLink&) = delete;

    // Set MenuHandler = source: lets go of the old source and connects to the new one.
    // Nothing just lets go. A source without the events is VB's error 459.
    rt::CallError Set(IUnknown* source);
    // The kept event object, as the IDE gave it.
    IUnknown* source() const { return source_.Get(); }

  private:
    class Sink;
    void Disconnect();

    ClickHandler onClick_;
    rt::ComPtr<IUnknown> source_;
    rt::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
    Sink* sink_ = nullptr; // owned by COM references; told when we go
};

} // namespace hv::connect
