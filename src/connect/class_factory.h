// The class object of Connect, as DllGetClassObject hands it out.
#pragma once
#include <objbase.h>

namespace hv::connect {

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);
// True when no object of the DLL and no server lock remains.
bool CanUnloadNow();

} // namespace hv::connect
