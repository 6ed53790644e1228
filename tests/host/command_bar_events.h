// Events.CommandBarEvents(control): an event source with one connection point for
// _dispCommandBarControlEvents, whose Click (DISPID 1: the control, and handled and
// CancelDefault as Booleans by reference) the IDE raises when the user clicks the control.
#pragma once
#include "command_bar.h"
#include "dispatch.h"
#include <ocidl.h>
#include <memory>
#include <vector>

namespace host {

class Ide;

// {0002E131-0000-0000-C000-000000000046}
extern const IID DIID_dispCommandBarControlEvents;

class CommandBarEventsObject final : public DispatchObject, public IConnectionPointContainer {
  public:
    static ComPtr<CommandBarEventsObject> Create(std::weak_ptr<Ide> ide,
                                                 std::weak_ptr<BarControl> control);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return DispatchObject::QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return DispatchObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return DispatchObject::Release(); }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    std::shared_ptr<BarControl> control() const { return control_.lock(); }
    size_t sinkCount() const { return point_.sinks.size(); }
    // The IDE closes: the sinks are let go and nothing is raised any more.
    void Detach();
    // Raises Click on every connected sink; `cancelDefault` gathers their answers.
    void FireClick(IDispatch* controlObject, VARIANT_BOOL* handled, VARIANT_BOOL* cancelDefault);

  private:
    CommandBarEventsObject(std::weak_ptr<Ide> ide, std::weak_ptr<BarControl> control);
    ~CommandBarEventsObject() override;
    Outcome Run(const Member& member, Args& args, VARIANT* result) override;
    void* OtherInterface(REFIID iid) override;

    struct Point final : IConnectionPoint {
        CommandBarEventsObject* owner;
        struct Sink {
            DWORD cookie;
            ComPtr<IDispatch> sink;
        };
        std::vector<Sink> sinks;
        DWORD nextCookie = 1;

        STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
        STDMETHODIMP_(ULONG) AddRef() override { return owner->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return owner->Release(); }
        STDMETHODIMP GetConnectionInterface(IID* iid) override;
        STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
        STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
        STDMETHODIMP Unadvise(DWORD cookie) override;
        STDMETHODIMP EnumConnections(IEnumConnections** out) override;
    };

    std::weak_ptr<Ide> ide_;
    std::weak_ptr<BarControl> control_;
    Point point_;
};

} // namespace host
