// Connect: the class the IDE creates through its add-in designer. It implements the
// designer's connection interface and its own dual interface _Connect, keeps the IDE's
// root object, puts the add-in's button on the IDE's toolbar and opens the main window.
#pragma once
#include "../forms/frm_main.h"
#include "../runtime/late_call.h"
#include "../runtime/com_object.h"
#include "menu_handler.h"
#include "type_info.h"
#include <memory>
#include <pigmora.h>

namespace hv::connect {

class Connect final : public rt::RefCounted<_Connect> {
  public:
    // The class factory's CreateInstance.
    static HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    // IDispatch of _Connect
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override;
    // _Connect
    STDMETHODIMP Main() override;
    STDMETHODIMP Hide() override;
    STDMETHODIMP Show() override;
    STDMETHODIMP AddToAddInCommandBar(BSTR sCaption, IDispatch** control) override;
    STDMETHODIMP get_FormDisplayed(VARIANT_BOOL* displayed) override;
    STDMETHODIMP put_FormDisplayed(VARIANT_BOOL displayed) override;
    STDMETHODIMP get_MenuHandler(IDispatch** events) override;
    STDMETHODIMP putref_MenuHandler(IDispatch* events) override;

    // The add-in designer's events.
    void AddinInstance_OnConnection(IDispatch* application, long connectMode);
    void AddinInstance_OnDisconnection(long removeMode);
    void MenuHandler_Click(IDispatch* control, VARIANT_BOOL* handled, VARIANT_BOOL* cancelDefault);

    // The main window, once it has been made.
    forms::frmMain* mainWindow() { return main_.get(); }

  private:
    Connect();
    ~Connect() override;
    rt::CallError ConnectSteps(IDispatch* vbe, long connectMode);
    rt::CallError MakeAddinButton(IDispatch* vbe);
    // DisplayOnConnect "1": the window was open when the IDE last closed.
    void ShowIfOpenAtLastClose();

    // The designer's interface, answered for the same object.
    struct Extensibility final : _IDTExtensibility2 {
        Connect* owner;
        TypeInfoDispatch dispatch{2, IID__IDTExtensibility2};
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
        STDMETHODIMP_(ULONG) AddRef() override { return owner->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return owner->Release(); }
        STDMETHODIMP GetTypeInfoCount(UINT* count) override;
        STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
        STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                            VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;
        STDMETHODIMP OnConnection(IDispatch* Application, ext_ConnectMode ConnectMode,
                                  IDispatch* AddInInst, SAFEARRAY** custom) override;
        STDMETHODIMP OnDisconnection(ext_DisconnectMode RemoveMode, SAFEARRAY** custom) override;
        STDMETHODIMP OnAddInsUpdate(SAFEARRAY** custom) override;
        STDMETHODIMP OnStartupComplete(SAFEARRAY** custom) override;
        STDMETHODIMP OnBeginShutdown(SAFEARRAY** custom) override;
    };

    Extensibility extensibility_;
    TypeInfoDispatch dispatch_{1, IID__Connect};

    VARIANT_BOOL formDisplayed_ = VARIANT_FALSE;
    CommandBarEventsLink menuHandler_;
    rt::ComPtr<IDispatch> addinButton_;
    rt::ComPtr<IDispatch> vbe_; // the IDE this object connected to
    std::unique_ptr<forms::frmMain> main_;
};

} // namespace hv::connect
