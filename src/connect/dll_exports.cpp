// Pigmora.dll's entry points: the COM class object, unloading, and self-registration
// (regsvr32 for the machine; regsvr32 /n /i:user for the current user alone).
#include "../runtime/window.h"
#include "class_factory.h"
#include "lean_threads.h"
#include "registration.h"
#include "type_info.h"
#include <windows.h>

using hv::connect::RegistrationScope;

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        hv::rt::UnregisterWindowClasses();
        hv::connect::ReleaseThreadKeys();
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return hv::connect::GetClassObject(clsid, iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return hv::connect::CanUnloadNow() ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    return hv::connect::RegisterServer(RegistrationScope::Machine, hv::connect::ModulePath());
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    return hv::connect::UnregisterServer(RegistrationScope::Machine, hv::connect::ModulePath());
}

// "user" registers for the current user only; nothing (or "machine") for the machine.
extern "C" HRESULT WINAPI DllInstall(BOOL install, PCWSTR commandLine) {
    RegistrationScope scope;
    if (!commandLine || !*commandLine || lstrcmpiW(commandLine, L"machine") == 0)
        scope = RegistrationScope::Machine;
    else if (lstrcmpiW(commandLine, L"user") == 0)
        scope = RegistrationScope::User;
    else
        return E_INVALIDARG;
    return install ? hv::connect::RegisterServer(scope, hv::connect::ModulePath())
                   : hv::connect::UnregisterServer(scope, hv::connect::ModulePath());
}
