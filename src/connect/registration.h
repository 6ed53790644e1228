// Self-registration of the add-in: the COM class, its ProgID, the type library and the
// _Connect interface, and the IDEs' add-in records (the VB6 IDE's from the 32-bit DLL, the
// VBA editor's of the DLL's own bitness), for the current user (HKCU) or for the machine
// (HKLM). Each scope's unregistration removes exactly what that scope and bitness wrote.
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
// The VBA editor's lists of add-ins, one for each bitness of Office.
constexpr wchar_t kVbaAddinRecordKey32[] =
    L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins\\Pigmora.Connect";
constexpr wchar_t kVbaAddinRecordKey64[] =
    L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64\\Pigmora.Connect";
constexpr bool kIs64Bit = sizeof(void*) == 8;
constexpr const wchar_t* kVbaAddinRecordKey =
    kIs64Bit ? kVbaAddinRecordKey64 : kVbaAddinRecordKey32;
constexpr wchar_t kFriendlyName[] = L"VB 6 Huevista";
extern const wchar_t kDescription[];

// The registry root of the classes for a scope (HKCU or HKLM "Software\Classes").
HKEY ClassesRoot(RegistrationScope scope);
// The hive of the IDE's add-in record for a scope.
HKEY AddinRecordRoot(RegistrationScope scope);

// Writes everything, or on failure takes back exactly its own writes (keys it created,
// values it set or replaced) and returns the error.
HRESULT RegisterServer(RegistrationScope scope, const std::wstring& modulePath);
// `modulePath` is this DLL: where the other bitness's DLL stays registered in a class key
// that both bitnesses share, that key is handed back to it rather than removed.
HRESULT UnregisterServer(RegistrationScope scope, const std::wstring& modulePath);

} // namespace hv::connect
