#include "connect.h"
#include "../core/addin_settings.h"
#include "../forms/on_top.h"
#include "../runtime/entry_scope.h"
#include "../runtime/message_box.h"
#include "../store/settings.h"
#include "addin_button.h"
#include "type_info.h"

namespace hv::connect {

namespace {

constexpr wchar_t kTitle[] = L"Pigmora";
using settings::kApp, settings::kSection, settings::kDisplayOnConnect;

// Nothing thrown inside may reach the IDE.
template <typename F> HRESULT Guarded(F&& f) noexcept {
    rt::EntryScope scope; // our code is on the stack until this returns
    try {
        return f();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The IDE's main window as its object model tells it (VBE.MainWindow.HWnd, a Long in both
// editors: window handles fit 32 bits on 64-bit Windows too); null where it does not.
HWND IdeMainWindow(IDispatch* vbe) {
    rt::ComPtr<IDispatch> window;
    rt::Variant handle;
    if (!vbe || rt::GetObject(vbe, L"MainWindow", {}, window) || !window ||
        rt::Get(window.Get(), L"HWnd", {}, &handle))
        return nullptr;
    VARIANT v;
    VariantInit(&v);
    if (FAILED(VariantChangeType(&v, const_cast<VARIANT*>(&handle.raw()), 0, VT_I4)))
        return nullptr;
    const HWND h = reinterpret_cast<HWND>(static_cast<INT_PTR>(v.lVal));
    return IsWindow(h) ? h : nullptr;
}

} // namespace

HRESULT Connect::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return Guarded([&] {
        auto* c = new Connect;
        const HRESULT hr = c->QueryInterface(iid, out);
        c->Release();
        return hr;
    });
}

Connect::Connect()
    : menuHandler_([this](IDispatch* control, VARIANT_BOOL* handled, VARIANT_BOOL* cancel) {
          MenuHandler_Click(control, handled, cancel);
      }) {
    extensibility_.owner = this;
}

Connect::~Connect() {
    // Let go of the IDE even if it never disconnected us.
    menuHandler_.Set(nullptr);
    if (main_ && main_->Loaded()) main_->Unload();
}

// -- IUnknown and IDispatch ---------------------------------------------------------------

STDMETHODIMP Connect::QueryInterface(REFIID iid, void** out) {
    IUnknown* found = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__Connect)
        found = static_cast<_Connect*>(this);
    else if (iid == IID__IDTExtensibility2)
        found = static_cast<_IDTExtensibility2*>(&extensibility_);
    return rt::AnswerQuery(out, found);
}

STDMETHODIMP Connect::GetTypeInfoCount(UINT* count) {
    return dispatch_.GetTypeInfoCount(count);
}

STDMETHODIMP Connect::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    return Guarded([&] { return dispatch_.GetTypeInfo(index, out); });
}

STDMETHODIMP Connect::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return Guarded([&] { return dispatch_.GetIDsOfNames(iid, names, count, ids); });
}

STDMETHODIMP Connect::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    return Guarded([&] {
        return dispatch_.Invoke(static_cast<_Connect*>(this), id, iid, flags, params, result, excep,
                                argErr);
    });
}

// -- _Connect ----------------------------------------------------------------------------

STDMETHODIMP Connect::Main() {
    return Guarded([&] { return Show(); });
}

STDMETHODIMP Connect::Hide() {
    return Guarded([&] {
        formDisplayed_ = VARIANT_FALSE;
        if (main_ && main_->Loaded()) ShowWindow(main_->hWnd(), SW_HIDE);
        return S_OK;
    });
}

STDMETHODIMP Connect::Show() {
    // Each step runs whatever the one before did.
    return Guarded([&] {
        if (!main_) main_ = std::make_unique<forms::frmMain>();
        main_->SetVBInstance(vbe_.Get());
        formDisplayed_ = VARIANT_TRUE;
        // A load ends with the window shown on top; a loaded one may be hidden or behind.
        if (!main_->Loaded())
            main_->Load(IdeMainWindow(vbe_.Get()));
        else
            forms::SetTopMost(*main_, true);
        return S_OK;
    });
}

STDMETHODIMP Connect::AddToAddInCommandBar(BSTR sCaption, IDispatch** control) {
    if (!control) return E_POINTER;
    *control = nullptr;
    // Any failure gives Nothing, without a message.
    return Guarded([&] {
        rt::ComPtr<IDispatch> bars, bar, controls, added;
        rt::Variant made;
        if (rt::GetObject(vbe_.Get(), L"CommandBars", {}, bars) ||
            rt::GetObject(bars.Get(), L"Item", {L"Add-Ins"}, bar) ||
            rt::GetObject(bar.Get(), L"Controls", {}, controls) ||
            rt::Call(controls.Get(), L"Add", {1}, &made) || rt::ObjectOf(made, added) ||
            rt::Put(added.Get(), L"Caption", rt::Variant(sCaption ? sCaption : L"")))
            return S_OK;
        *control = added.Detach();
        return S_OK;
    });
}

STDMETHODIMP Connect::get_FormDisplayed(VARIANT_BOOL* displayed) {
    if (!displayed) return E_POINTER;
    *displayed = formDisplayed_;
    return S_OK;
}

STDMETHODIMP Connect::put_FormDisplayed(VARIANT_BOOL displayed) {
    formDisplayed_ = displayed ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP Connect::get_MenuHandler(IDispatch** events) {
    if (!events) return E_POINTER;
    *events = nullptr;
    if (IUnknown* source = menuHandler_.source()) source->QueryInterface(IID_PPV_ARGS(events));
    return S_OK;
}

STDMETHODIMP Connect::putref_MenuHandler(IDispatch* events) {
    return Guarded([&] {
        const rt::CallError e = menuHandler_.Set(events);
        return e ? e.number : S_OK;
    });
}

// -- The designer's events ---------------------------------------------------------------

void Connect::AddinInstance_OnConnection(IDispatch* application, long connectMode) {
    // The first failing step ends the connection with one message; the IDE goes on.
    const rt::CallError e = ConnectSteps(application, connectMode);
    if (e) rt::MsgBox(e.Text(), MB_OK, kTitle);
}

rt::CallError Connect::ConnectSteps(IDispatch* vbe, long connectMode) {
    vbe_ = vbe;
    if (connectMode == ext_cm_External) {
        Show();
        return {};
    }
    if (rt::CallError e = MakeAddinButton(vbe)) return e;
    // Loaded with the IDE, the window waits for OnStartupComplete.
    if (connectMode == ext_cm_AfterStartup) ShowIfOpenAtLastClose();
    return {};
}

void Connect::ShowIfOpenAtLastClose() {
    if (vbe_ && !formDisplayed_ && rt::GetSetting(kApp, kSection, kDisplayOnConnect, "0") == "1")
        Show();
}

rt::CallError Connect::MakeAddinButton(IDispatch* vbe) {
    AddinButton made;
    rt::CallError e = AddButton(vbe, made);
    // Whatever was made is ours to delete at disconnection, even when a later step failed.
    addinButton_ = made.button;
    if (e) return e;
    rt::ComPtr<IDispatch> events;
    rt::Variant handler;
    rt::ComPtr<IUnknown> source;
    if ((e = rt::GetObject(vbe, L"Events", {}, events)) ||
        (e = rt::Get(events.Get(), L"CommandBarEvents", {rt::Variant(made.button.Get())},
                     &handler)))
        return e;
    // The event object may come as an IDispatch or as a plain IUnknown.
    const VARIANT& v = handler.raw();
    if (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN)
        source = v.punkVal;
    else
        return {rt::kErrObjectRequired, L"Object required"};
    return menuHandler_.Set(source.Get());
}

void Connect::AddinInstance_OnDisconnection(long) {
    // Every step runs, whatever the one before did.
    menuHandler_.Set(nullptr);
    if (addinButton_) rt::Call(addinButton_.Get(), L"Delete");
    addinButton_.Reset();
    if (formDisplayed_) {
        rt::SaveSetting(kApp, kSection, kDisplayOnConnect, "1");
        formDisplayed_ = VARIANT_FALSE;
    } else {
        rt::SaveSetting(kApp, kSection, kDisplayOnConnect, "0");
    }
    // The window goes out of sight now; it and its objects go when no handler of theirs is
    // left on the stack (a colour dialog, message box or menu may be open over it).
    if (main_ && main_->Loaded()) ShowWindow(main_->hWnd(), SW_HIDE);
    // A reference kept past disconnection would hold the IDE's object model alive.
    if (main_) main_->SetVBInstance(nullptr);
    if (auto* main = main_.release())
        rt::DestroyWhenUnwound([main] {
            if (main->Loaded()) main->Unload();
            delete main;
        });
    vbe_.Reset();
}

void Connect::MenuHandler_Click(IDispatch*, VARIANT_BOOL*, VARIANT_BOOL*) {
    Show();
}

// -- _IDTExtensibility2 ------------------------------------------------------------------

STDMETHODIMP Connect::Extensibility::QueryInterface(REFIID iid, void** out) {
    return owner->QueryInterface(iid, out);
}

STDMETHODIMP Connect::Extensibility::GetTypeInfoCount(UINT* count) {
    return dispatch.GetTypeInfoCount(count);
}

STDMETHODIMP Connect::Extensibility::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    return Guarded([&] { return dispatch.GetTypeInfo(index, out); });
}

STDMETHODIMP Connect::Extensibility::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                   DISPID* ids) {
    return Guarded([&] { return dispatch.GetIDsOfNames(iid, names, count, ids); });
}

STDMETHODIMP Connect::Extensibility::Invoke(DISPID id, REFIID iid, LCID, WORD flags,
                                            DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                            UINT* argErr) {
    return Guarded([&] {
        return dispatch.Invoke(static_cast<_IDTExtensibility2*>(this), id, iid, flags, params,
                               result, excep, argErr);
    });
}

STDMETHODIMP Connect::Extensibility::OnConnection(IDispatch* Application,
                                                  ext_ConnectMode ConnectMode, IDispatch*,
                                                  SAFEARRAY**) {
    return Guarded([&] {
        rt::ComPtr<_Connect> keep(owner); // the IDE may let go of us inside
        owner->AddinInstance_OnConnection(Application, ConnectMode);
        return S_OK;
    });
}

STDMETHODIMP Connect::Extensibility::OnDisconnection(ext_DisconnectMode RemoveMode, SAFEARRAY**) {
    return Guarded([&] {
        rt::ComPtr<_Connect> keep(owner);
        owner->AddinInstance_OnDisconnection(RemoveMode);
        return S_OK;
    });
}

STDMETHODIMP Connect::Extensibility::OnAddInsUpdate(SAFEARRAY**) {
    return S_OK;
}
// Loaded with the IDE: the window opens once the IDE is up, when it was open at the last
// close (and not a second time).
STDMETHODIMP Connect::Extensibility::OnStartupComplete(SAFEARRAY**) {
    return Guarded([&] {
        owner->ShowIfOpenAtLastClose();
        return S_OK;
    });
}
STDMETHODIMP Connect::Extensibility::OnBeginShutdown(SAFEARRAY**) {
    return S_OK;
}

} // namespace hv::connect
