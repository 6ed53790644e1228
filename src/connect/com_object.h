// What every COM object of the add-in does alike: a reference count that deletes the object
// with its last reference, and QueryInterface's answer.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace hv::connect {

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
        if (n == 0) delete this;
        return n;
    }

  protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

  private:
    LONG refs_ = 1;
};

} // namespace hv::connect
