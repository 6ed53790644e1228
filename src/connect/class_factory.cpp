#include "class_factory.h"
#include "connect.h"
#include "../runtime/com_object.h"
#include "../runtime/entry_scope.h"

namespace hv::connect {

namespace {

class ClassFactory final : public rt::RefCounted<IClassFactory> {
  public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        const bool known = iid == IID_IUnknown || iid == IID_IClassFactory;
        return rt::AnswerQuery(out, known ? this : nullptr);
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        return Connect::CreateInstance(outer, iid, out);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock)
            rt::LockModule();
        else
            rt::UnlockModule();
        return S_OK;
    }
};

} // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_Connect) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory;
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

bool CanUnloadNow() {
    // Not while a handler of ours waits in a modal loop further up this stack, even when
    // every object has been released.
    return rt::ModuleLocks() == 0 && !rt::CodeOnStack();
}

} // namespace hv::connect
