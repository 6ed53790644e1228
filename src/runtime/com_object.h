// What every COM object of the add-in does alike: a reference count that deletes the object
// with its last reference (once no call of ours is on the stack) and keeps the DLL loaded
// until then, and QueryInterface's answer.
#pragma once
#include "entry_scope.h"
#include "module_lock.h"
#include <windows.h>
#include <unknwn.h>

namespace hv::rt {

// Gives *out the interface QueryInterface found, with a reference; null is E_NOINTERFACE.
inline HRESULT AnswerQuery(void** out, IUnknown* found) {
    if (!out) return E_POINTER;
    *out = found;
    if (!found) return E_NOINTERFACE;
    found->AddRef();
    return S_OK;
}

// `Interface` with AddRef and Release; the object is made with one reference, the maker's.
template <typename Interface> class RefCounted : public Interface {
  public:
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG n = InterlockedDecrement(&refs_);
        // A handler of ours may be waiting in a modal loop below this call (the IDE can let
        // go of us from there) and return into this object: it goes once that has unwound.
        if (n == 0) DestroyWhenUnwound([this] { delete this; });
        return n;
    }

  protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

  private:
    LONG refs_ = 1;
    // An object handed out (to the IDE, to a screen reader in another process) may be called
    // after the window or the connection that made it is gone: its code must still be there.
    ModuleReference alive_;
};

} // namespace hv::rt
