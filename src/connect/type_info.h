// Type information from the type libraries built into this module, for the dual
// interfaces' IDispatch halves.
#pragma once
#include "../runtime/com_ptr.h"
#include <oaidl.h>
#include <string>

namespace hv::connect {

// The interface (not its dispinterface) `iid` from type library resource `index` of this
// module: 1 is Pigmora, 2 the add-in designer's connection interface.
HRESULT LoadInterfaceInfo(int index, REFIID iid, rt::ComPtr<ITypeInfo>& out);

// The IDispatch half of a dual interface, from the interface's type information, loaded on
// first use. An object's own IDispatch methods call these under their exception guard.
class TypeInfoDispatch {
  public:
    TypeInfoDispatch(int library, const IID& iid) : library_(library), iid_(iid) {}
    HRESULT GetTypeInfoCount(UINT* count) const;
    HRESULT GetTypeInfo(UINT index, ITypeInfo** out);
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids);
    // `object`: the interface the type information describes, whose methods are called.
    HRESULT Invoke(void* object, DISPID id, REFIID iid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr);

  private:
    HRESULT Load();
    int library_;
    IID iid_;
    rt::ComPtr<ITypeInfo> info_;
};

// The full path of this module (the DLL, or the program it is linked into).
std::wstring ModulePath();

} // namespace hv::connect
