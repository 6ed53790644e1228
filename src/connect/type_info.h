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

// The full path of this module (the DLL, or the program it is linked into).
std::wstring ModulePath();

} // namespace hv::connect
