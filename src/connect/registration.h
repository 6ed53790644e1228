// Self-registration of the add-in: the COM class, its ProgID, the type library and the
// _Connect interface (for the current user or for the machine), and the VB6 IDE's add-in
// record, always for the current user. Unregistration removes exactly what this writes.
#pragma once
#include <string>
#include <windows.h>

namespace hv::connect {

enum class RegistrationScope { User, Machine };

constexpr wchar_t kProgId[] = L"Pigmora.Connect";
constexpr wchar_t kClsid[] = L"{3F0028A8-19EE-4E10-871F-C4C0AE30C8A7}";
constexpr wchar_t kLibid[] = L"{9E4ADB75-2C4A-4A31-8DD7-B6165C693196}";
constexpr wchar_t kConnectIid[] = L"{8AD6FC46-FED4-4917-9F7D-4555A18498AD}";
constexpr wchar_t kAddinRecordKey[] =
    L"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Pigmora.Connect";
constexpr wchar_t kFriendlyName[] = L"VB 6 Huevista";
extern const wchar_t kDescription[];

// The registry root of the classes for a scope (HKCU or HKLM "Software\Classes").
HKEY ClassesRoot(RegistrationScope scope);

// Writes everything, or on failure removes what it wrote and returns the error.
HRESULT RegisterServer(RegistrationScope scope, const std::wstring& modulePath);
HRESULT UnregisterServer(RegistrationScope scope);

} // namespace hv::connect
