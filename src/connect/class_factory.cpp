#include "class_factory.h"
#include "com_object.h"
#include "connect.h"
#include "module_lock.h"

namespace hv::connect {

namespace {

class ClassFactory final : public RefCounted<IClassFactory> {
  public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        const bool known = iid == IID_IUnknown || iid == IID_IClassFactory;
        return AnswerQuery(out, known ? this : nullptr);
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        return Connect::CreateInstance(outer, iid, out);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock)
            LockModule();
        else
            UnlockModule();
        return S_OK;
    }

  private:
    ModuleReference alive_; // a class object in use keeps the DLL too
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
    return ModuleLocks() == 0;
}

} // namespace hv::connect
