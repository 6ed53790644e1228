// The VB6 extensibility object model of the host, every object an IDispatch:
// VBE, CommandBars, CommandBar, Controls, CommandBarControl, Events, CodePane, CodeModule,
// VBProject and its VBComponents,
// and the add-in's own AddIn object.
#pragma once
#include "com.h"
#include "command_bar.h"
#include "dispatch.h"
#include <functional>
#include <memory>

namespace host {

class Ide;
class CodePane;
class FormDesigner;

ComPtr<IDispatch> NewVbe(std::weak_ptr<Ide> ide);
ComPtr<IDispatch> NewCommandBars(std::weak_ptr<Ide> ide);
ComPtr<IDispatch> NewCommandBar(std::weak_ptr<Ide> ide, CommandBar* bar);
ComPtr<IDispatch> NewControls(std::weak_ptr<Ide> ide, CommandBar* bar);
ComPtr<IDispatch> NewCommandBarControl(std::weak_ptr<Ide> ide, std::weak_ptr<BarControl> control);
ComPtr<IDispatch> NewEvents(std::weak_ptr<Ide> ide);
ComPtr<IDispatch> NewCodePane(std::weak_ptr<Ide> ide, std::weak_ptr<CodePane> pane);
ComPtr<IDispatch> NewCodeModule(std::weak_ptr<Ide> ide, std::weak_ptr<CodePane> pane);
// A document module's Properties, in the VBA editor of an Office application.
ComPtr<IDispatch> NewDocumentProperties(std::weak_ptr<Ide> ide);
// "Microsoft Excel" for the option "excel" ...; "" for none.
std::wstring OfficeApplicationName(const std::wstring& office);
ComPtr<IDispatch> NewProject(std::weak_ptr<Ide> ide);
// A module's component (`pane`) or a form's (`form`).
ComPtr<IDispatch> NewComponent(std::weak_ptr<Ide> ide, std::weak_ptr<FormDesigner> form,
                               std::weak_ptr<CodePane> pane);
// A window of the IDE (vbext_WindowType: 0 code window, 1 designer, 12 main window) over
// the handle `hwnd` finds while it is open (null once it is gone); `close` is what its Close
// does (none: Close is refused).
constexpr long kCodeWindowType = 0, kDesignerType = 1, kMainWindowType = 12;
ComPtr<IDispatch> NewWindow(std::weak_ptr<Ide> ide, long type, std::function<HWND()> hwnd,
                            std::function<void()> close = {});
ComPtr<IDispatch> NewAddInInstance(const std::wstring& progId, const std::wstring& description);

// The host's controls answer this private interface, so that the IDE knows them again
// when an add-in hands one back (Events.CommandBarEvents).
MIDL_INTERFACE("6C1F0A61-4E1B-4C1E-9A1D-3B1E27D0C0A1")
IHostControl : public IUnknown {
    virtual std::shared_ptr<BarControl> Model() = 0;
};

// Why the editors refuse a change to a module's code or a designer's property, or nothing
// (S_OK): a protected project raises 50289 (VBA-Docs "Can't perform operation because the
// project is protected"; the text as Rubberduck's issue 311 observed it, 0x800AC471), a running
// one 17 (VBA-Docs / VB6 "Can't perform requested operation (Error 17)": running code may not
// be modified programmatically).
Outcome EditRefusal(const std::weak_ptr<Ide>& ide);

// The error of an object whose IDE or part of it has gone.
std::shared_ptr<const FaultPlan> PlanOf(const std::weak_ptr<Ide>& ide);
inline Outcome Gone() {
    return Raise(RPC_E_DISCONNECTED, L"The object has been closed");
}
// The error of an object whose part of the IDE went while the IDE stayed (a deleted control,
// a closed designer's controls): no description.
inline Outcome Dead() {
    return Raise(DISP_E_BADCALLEE, L"");
}

} // namespace host

__CRT_UUID_DECL(host::IHostControl, 0x6C1F0A61, 0x4E1B, 0x4C1E, 0x9A, 0x1D, 0x3B, 0x1E, 0x27, 0xD0,
                0xC0, 0xA1)
