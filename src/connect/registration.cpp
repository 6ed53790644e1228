#include "registration.h"
#include "../runtime/handles.h"
#include <olectl.h>

namespace hv::connect {

const wchar_t kDescription[] = L"Get VB color code in HEX or RGB values quickly and \r\n"
                               L"insert or copy it by one click to your codepane or \r\n"
                               L"clipboard. Includes 3 color palettes to pick from plus \r\n"
                               L"capture colors from around IDE, Desktop or other \r\n"
                               L"applications running. Additionally it stores 10 of your \r\n"
                               L"favorite colors for instant use.";

namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";
// The proxy of Automation interfaces, which marshals _Connect by its type library.
constexpr wchar_t kAutomationProxy[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kLibraryHelp[] = L"VB 6 Huevista (Add-in for Visual Basic)";
constexpr DWORD kLoadAtStartup = 1;

class Writer {
  public:
    explicit Writer(HKEY root) : root_(root) {}
    // Sets a value (REG_SZ, or REG_DWORD) in a key, creating the key as needed.
    bool Text(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
        return Set(key, name, REG_SZ, value.c_str(),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    bool Number(const std::wstring& key, const wchar_t* name, DWORD value) {
        return Set(key, name, REG_DWORD, &value, sizeof value);
    }
    LSTATUS status() const { return status_; }

  private:
    bool Set(const std::wstring& key, const wchar_t* name, DWORD type, const void* data,
             DWORD size) {
        if (status_ != ERROR_SUCCESS) return false;
        rt::UniqueKey k;
        status_ = RegCreateKeyExW(root_, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  k.put(), nullptr);
        if (status_ != ERROR_SUCCESS) return false;
        status_ = RegSetValueExW(k.get(), name, 0, type, static_cast<const BYTE*>(data), size);
        return status_ == ERROR_SUCCESS;
    }
    HKEY root_;
    LSTATUS status_ = ERROR_SUCCESS;
};

bool KeyIsEmpty(HKEY root, const std::wstring& key) {
    rt::UniqueKey k;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, k.put()) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0, values = 0;
    return RegQueryInfoKeyW(k.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

// Removes a key and what is under it; a key that is not there is fine.
LSTATUS RemoveTree(HKEY root, const std::wstring& key) {
    const LSTATUS s = RegDeleteTreeW(root, key.c_str());
    if (s != ERROR_SUCCESS && s != ERROR_FILE_NOT_FOUND) return s;
    const LSTATUS d = RegDeleteKeyW(root, key.c_str());
    return d == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : d;
}

// Removes the parents of a removed key that were left empty, up to (not including) `stop`.
void RemoveEmptyParents(HKEY root, std::wstring key, const std::wstring& stop) {
    for (;;) {
        const size_t slash = key.rfind(L'\\');
        if (slash == std::wstring::npos) return;
        key.resize(slash);
        if (key.size() <= stop.size() || !KeyIsEmpty(root, key)) return;
        RegDeleteKeyW(root, key.c_str());
    }
}

std::wstring Folder(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash);
}

} // namespace

HKEY ClassesRoot(RegistrationScope scope) {
    return scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

HRESULT RegisterServer(RegistrationScope scope, const std::wstring& modulePath) {
    if (modulePath.empty()) return SELFREG_E_CLASS;
    const std::wstring classes = kClasses;
    const std::wstring clsid = classes + L"CLSID\\" + kClsid;
    const std::wstring progId = classes + kProgId;
    const std::wstring lib = classes + L"TypeLib\\" + kLibid + L"\\1.0";
    const std::wstring iface = classes + L"Interface\\" + kConnectIid;

    // The type library's keys are written here rather than by RegisterTypeLib: that would
    // also register the IDE's own connection interface from our copy of it, and some
    // Win32 implementations register per-user libraries for the whole machine.
    Writer w(ClassesRoot(scope));
    w.Text(clsid, nullptr, kProgId);
    w.Text(clsid + L"\\InprocServer32", nullptr, modulePath);
    w.Text(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    w.Text(clsid + L"\\ProgID", nullptr, kProgId);
    w.Text(clsid + L"\\TypeLib", nullptr, kLibid);
    w.Text(clsid + L"\\VERSION", nullptr, L"1.0");
    w.Text(progId, nullptr, kProgId);
    w.Text(progId + L"\\CLSID", nullptr, kClsid);
    w.Text(lib, nullptr, kLibraryHelp);
    w.Text(lib + L"\\0\\win32", nullptr, modulePath);
    w.Text(lib + L"\\FLAGS", nullptr, L"0");
    w.Text(lib + L"\\HELPDIR", nullptr, Folder(modulePath));
    w.Text(iface, nullptr, L"_Connect");
    w.Text(iface + L"\\ProxyStubClsid", nullptr, kAutomationProxy);
    w.Text(iface + L"\\ProxyStubClsid32", nullptr, kAutomationProxy);
    w.Text(iface + L"\\TypeLib", nullptr, kLibid);
    w.Text(iface + L"\\TypeLib", L"Version", L"1.0");

    // The IDE's add-in record: it lists the add-in under this name and loads it at start-up.
    Writer addin(HKEY_CURRENT_USER);
    addin.Text(kAddinRecordKey, L"FriendlyName", kFriendlyName);
    addin.Text(kAddinRecordKey, L"Description", kDescription);
    addin.Number(kAddinRecordKey, L"LoadBehavior", kLoadAtStartup);
    addin.Number(kAddinRecordKey, L"CommandLineSafe", 0);

    const LSTATUS failed = w.status() != ERROR_SUCCESS ? w.status() : addin.status();
    if (failed == ERROR_SUCCESS) return S_OK;
    UnregisterServer(scope);
    return failed == ERROR_ACCESS_DENIED ? E_ACCESSDENIED : SELFREG_E_CLASS;
}

HRESULT UnregisterServer(RegistrationScope scope) {
    HKEY root = ClassesRoot(scope);
    const std::wstring classes = kClasses;
    const std::wstring typeLib = classes + L"TypeLib\\" + kLibid;
    LSTATUS worst = ERROR_SUCCESS;
    for (const std::wstring& key : {classes + L"CLSID\\" + kClsid, classes + kProgId,
                                    typeLib + L"\\1.0", classes + L"Interface\\" + kConnectIid}) {
        const LSTATUS s = RemoveTree(root, key);
        if (s != ERROR_SUCCESS) worst = s;
    }
    // Our library's key goes when no other version of it is left, and so do the lists of
    // classes, libraries and interfaces that a per-user registration may have begun.
    if (KeyIsEmpty(root, typeLib)) RegDeleteKeyW(root, typeLib.c_str());
    const std::wstring stop = classes.substr(0, classes.size() - 1);
    for (const std::wstring& key : {classes + L"CLSID\\" + kClsid, typeLib, classes + L"Interface\\" + kConnectIid})
        RemoveEmptyParents(root, key, stop);

    const LSTATUS s = RemoveTree(HKEY_CURRENT_USER, kAddinRecordKey);
    if (s != ERROR_SUCCESS) worst = s;
    // The keys above it that only the record needed, up to the vendor's key.
    RemoveEmptyParents(HKEY_CURRENT_USER, kAddinRecordKey, L"Software\\Microsoft");
    if (worst == ERROR_SUCCESS) return S_OK;
    return worst == ERROR_ACCESS_DENIED ? E_ACCESSDENIED : SELFREG_E_CLASS;
}

} // namespace hv::connect
