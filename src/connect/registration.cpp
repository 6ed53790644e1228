#include "registration.h"
#include "../runtime/handles.h"
#include "../../shared/registry_text.h"
#include <algorithm>
#include <optional>
#include <olectl.h>
#include <vector>

namespace hv::connect {

const wchar_t kDescription[] = L"Get VB color code in HEX or RGB values quickly and \r\n"
                               L"insert or copy it by one click to your codepane or \r\n"
                               L"clipboard. Includes 3 color palettes to pick from plus \r\n"
                               L"capture colors from around IDE, Desktop or other \r\n"
                               L"applications running. Additionally it stores 10 of your \r\n"
                               L"favorite colors for instant use.";

namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes";
// The proxy of Automation interfaces, which marshals _Connect by its type library.
constexpr wchar_t kAutomationProxy[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kLibraryHelp[] = L"VB 6 Huevista (Add-in for Visual Basic)";
constexpr DWORD kLoadAtStartup = 1;
// The VBA editor's LoadBehavior: loaded, and loaded at start-up.
constexpr DWORD kVbaLoadAtStartup = 3;

// This DLL's side of the registry on 64-bit Windows, and the other bitness's.
constexpr REGSAM kOwnView = kIs64Bit ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
constexpr REGSAM kOtherView = kIs64Bit ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
// The type library's file for each platform, below the library's version key.
constexpr const wchar_t* kOwnLibraryFile = kIs64Bit ? L"\\0\\win64" : L"\\0\\win32";
constexpr const wchar_t* kOtherLibraryFile = kIs64Bit ? L"\\0\\win32" : L"\\0\\win64";

struct Value {
    std::wstring key; // below the record's root
    const wchar_t* name;
    DWORD type;
    std::wstring text;
    DWORD number = 0;
};

// One thing registration writes: a key that is ours in full, and its values. Parents that
// unregistration leaves empty go up to (not including) `emptyParentsUpTo`; none when that
// is empty, for keys that belong to someone else (the IDE's list of add-ins). A class key
// that the 32-bit and the 64-bit DLL both write (`ofBothBitnesses`) is kept while the other
// DLL is still registered in the same place.
struct Record {
    HKEY root;
    std::wstring own;
    std::wstring emptyParentsUpTo;
    std::vector<Value> values;
    bool ofBothBitnesses = false;
};

Value Text(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    return {key, name, REG_SZ, text};
}
Value Number(const std::wstring& key, const wchar_t* name, DWORD number) {
    return {key, name, REG_DWORD, {}, number};
}

std::wstring Folder(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash);
}

const std::wstring kClsidKey = std::wstring(kClasses) + L"\\CLSID\\" + kClsid;
const std::wstring kLibraryKey = std::wstring(kClasses) + L"\\TypeLib\\" + kLibid + L"\\1.0";

Record AddinRecord(HKEY root, const wchar_t* key, const wchar_t* description, DWORD load) {
    std::vector<Value> values{Text(key, L"FriendlyName", kFriendlyName),
                              Text(key, L"Description", description),
                              Number(key, L"LoadBehavior", load)};
    if (load == kLoadAtStartup) values.push_back(Number(key, L"CommandLineSafe", 0));
    return {root, key, {}, std::move(values)};
}

// Everything a scope writes. The type library's keys are written here rather than by
// RegisterTypeLib: that would also register the IDE's own connection interface from our copy
// of it, and some Win32 implementations register per-user libraries for the whole machine.
// The IDEs' add-in records live in the scope's own hive: the VB6 IDE lists the add-ins of
// HKLM for every user and those of HKCU for the current one, so a machine install never
// touches a user's record and a user install never needs rights. The VB6 IDE is a 32-bit
// program: the 64-bit DLL writes only the record of 64-bit Office's VBA editor.
std::vector<Record> Records(RegistrationScope scope, const std::wstring& modulePath) {
    HKEY classesRoot = ClassesRoot(scope);
    const std::wstring c = kClasses;
    const std::wstring& clsid = kClsidKey;
    const std::wstring progId = c + L"\\" + kProgId;
    const std::wstring& lib = kLibraryKey;
    const std::wstring iface = c + L"\\Interface\\" + kConnectIid;
    std::vector<Record> records{
        {classesRoot,
         clsid,
         c,
         {Text(clsid, nullptr, kProgId), Text(clsid + L"\\InprocServer32", nullptr, modulePath),
          Text(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
          Text(clsid + L"\\ProgID", nullptr, kProgId), Text(clsid + L"\\TypeLib", nullptr, kLibid),
          Text(clsid + L"\\VERSION", nullptr, L"1.0")},
         true},
        {classesRoot,
         progId,
         c,
         {Text(progId, nullptr, kProgId), Text(progId + L"\\CLSID", nullptr, kClsid)},
         true},
        {classesRoot,
         lib,
         c,
         {Text(lib, nullptr, kLibraryHelp), Text(lib + L"\\FLAGS", nullptr, L"0"),
          Text(lib + L"\\HELPDIR", nullptr, Folder(modulePath))},
         true},
        {classesRoot,
         lib + kOwnLibraryFile,
         lib,
         {Text(lib + kOwnLibraryFile, nullptr, modulePath)}},
        {classesRoot,
         iface,
         c,
         {Text(iface, nullptr, L"_Connect"),
          Text(iface + L"\\ProxyStubClsid", nullptr, kAutomationProxy),
          Text(iface + L"\\ProxyStubClsid32", nullptr, kAutomationProxy),
          Text(iface + L"\\TypeLib", nullptr, kLibid),
          Text(iface + L"\\TypeLib", L"Version", L"1.0")},
         true},
    };
    if (!kIs64Bit)
        records.push_back(
            AddinRecord(AddinRecordRoot(scope), kAddinRecordKey, kDescription, kLoadAtStartup));
    records.push_back(
        AddinRecord(AddinRecordRoot(scope), kVbaAddinRecordKey, kDescription, kVbaLoadAtStartup));
    return records;
}

// Writes values and remembers how to take back exactly those writes: the keys it created
// (not the ones that were there) and the values it replaced, with their old data.
class Transaction {
  public:
    ~Transaction() {
        if (!committed_) Rollback();
    }
    LSTATUS Write(HKEY root, const Value& v) {
        rt::UniqueKey key;
        LSTATUS s = CreatePath(root, v.key, key);
        if (s != ERROR_SUCCESS) return s;
        Undo undo{root, v.key, false, v.name ? v.name : L"", 0, {}};
        DWORD size = 0;
        undo.existed = RegQueryValueExW(key.get(), v.name, nullptr, &undo.type, nullptr, &size) ==
                       ERROR_SUCCESS;
        if (undo.existed) {
            undo.data.resize(size);
            if (RegQueryValueExW(key.get(), v.name, nullptr, &undo.type, undo.data.data(), &size) !=
                ERROR_SUCCESS)
                return ERROR_CANTREAD;
        }
        const BYTE* data = v.type == REG_DWORD ? reinterpret_cast<const BYTE*>(&v.number)
                                               : reinterpret_cast<const BYTE*>(v.text.c_str());
        const DWORD bytes = v.type == REG_DWORD
                                ? sizeof v.number
                                : static_cast<DWORD>((v.text.size() + 1) * sizeof(wchar_t));
        s = RegSetValueExW(key.get(), v.name, 0, v.type, data, bytes);
        if (s == ERROR_SUCCESS) undo_.push_back(std::move(undo));
        return s;
    }
    void Commit() { committed_ = true; }

  private:
    struct Undo {
        HKEY root;
        std::wstring key;
        bool createdKey;
        std::wstring value;
        DWORD type;
        std::vector<BYTE> data;
        bool existed = false;
    };

    // Creates the key one level at a time, so that each key it made is known.
    LSTATUS CreatePath(HKEY root, const std::wstring& path, rt::UniqueKey& out) {
        size_t end = 0;
        for (;;) {
            end = path.find(L'\\', end + 1);
            const std::wstring part = path.substr(0, end);
            DWORD disposition = 0;
            const LSTATUS s = RegCreateKeyExW(root, part.c_str(), 0, nullptr, 0,
                                              KEY_SET_VALUE | KEY_QUERY_VALUE | kOwnView, nullptr,
                                              out.put(), &disposition);
            if (s != ERROR_SUCCESS) return s;
            if (disposition == REG_CREATED_NEW_KEY) undo_.push_back({root, part, true, {}, 0, {}});
            if (end == std::wstring::npos) return ERROR_SUCCESS;
        }
    }

    void Rollback() {
        for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) {
            if (it->createdKey) {
                RegDeleteKeyExW(it->root, it->key.c_str(), kOwnView, 0);
                continue;
            }
            rt::UniqueKey key;
            if (RegOpenKeyExW(it->root, it->key.c_str(), 0, KEY_SET_VALUE | kOwnView, key.put()) !=
                ERROR_SUCCESS)
                continue;
            const wchar_t* name = it->value.empty() ? nullptr : it->value.c_str();
            if (it->existed)
                RegSetValueExW(key.get(), name, 0, it->type, it->data.data(),
                               static_cast<DWORD>(it->data.size()));
            else
                RegDeleteValueW(key.get(), name);
        }
    }

    std::vector<Undo> undo_;
    bool committed_ = false;
};

bool KeyIsEmpty(HKEY root, const std::wstring& key) {
    rt::UniqueKey k;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | kOwnView, k.put()) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0, values = 0;
    return RegQueryInfoKeyW(k.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

// Removes a key and what is under it, in this DLL's view; a key that is not there is fine.
LSTATUS RemoveTree(HKEY root, const std::wstring& key) {
    rt::UniqueKey k;
    LSTATUS s = RegOpenKeyExW(root, key.c_str(), 0, KEY_ALL_ACCESS | kOwnView, k.put());
    if (s == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (s != ERROR_SUCCESS) return s;
    s = RegDeleteTreeW(k.get(), nullptr);
    if (s != ERROR_SUCCESS && s != ERROR_FILE_NOT_FOUND) return s;
    k.reset();
    const LSTATUS d = RegDeleteKeyExW(root, key.c_str(), kOwnView, 0);
    return d == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : d;
}

// Removes the parents of a removed key that were left empty, up to (not including) `stop`.
void RemoveEmptyParents(HKEY root, std::wstring key, const std::wstring& stop) {
    for (;;) {
        const size_t slash = key.rfind(L'\\');
        if (slash == std::wstring::npos) return;
        key.resize(slash);
        if (key.size() <= stop.size() || !KeyIsEmpty(root, key)) return;
        RegDeleteKeyExW(root, key.c_str(), kOwnView, 0);
    }
}

// The registry's own name of a key (\REGISTRY\...), which tells a key that both views share
// from one of a view's own (64-bit Windows keeps 32-bit classes under Wow6432Node).
std::wstring KernelName(HKEY root, const std::wstring& path, REGSAM view) {
    using NtQueryKeyFn = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    constexpr int kKeyNameInformation = 3;
    static const auto query = reinterpret_cast<NtQueryKeyFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryKey")));
    rt::UniqueKey k;
    if (!query ||
        RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, k.put()) != ERROR_SUCCESS)
        return {};
    std::vector<ULONG> buffer(1024); // a ULONG of length, then the name
    ULONG size = 0;
    if (query(k.get(), kKeyNameInformation, buffer.data(),
              static_cast<ULONG>(buffer.size() * sizeof(ULONG)), &size) != 0)
        return {};
    const auto* name = reinterpret_cast<const wchar_t*>(buffer.data() + 1);
    std::wstring text(name, std::min<size_t>(buffer[0], (buffer.size() - 1) * sizeof(ULONG)) /
                                sizeof(wchar_t));
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool SeenAlikeFromBothViews(HKEY root, const std::wstring& path) {
    const std::wstring own = KernelName(root, path, kOwnView);
    return !own.empty() && own == KernelName(root, path, kOtherView);
}

// The other bitness's DLL, when it is registered in this scope.
std::optional<std::wstring> OtherBitnessModule(HKEY classesRoot) {
    return reg::ReadString(classesRoot, (kLibraryKey + kOtherLibraryFile).c_str(),
                           static_cast<const wchar_t*>(nullptr), 0, kOtherView);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

HRESULT AsResult(LSTATUS s) {
    if (s == ERROR_SUCCESS) return S_OK;
    return s == ERROR_ACCESS_DENIED ? E_ACCESSDENIED : SELFREG_E_CLASS;
}

} // namespace

HKEY ClassesRoot(RegistrationScope scope) {
    return scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

HKEY AddinRecordRoot(RegistrationScope scope) {
    return ClassesRoot(scope);
}

HRESULT RegisterServer(RegistrationScope scope, const std::wstring& modulePath) {
    if (modulePath.empty()) return SELFREG_E_CLASS;
    Transaction t; // a failure takes back this call's writes, and nothing else
    for (const Record& r : Records(scope, modulePath))
        for (const Value& v : r.values)
            if (const LSTATUS s = t.Write(r.root, v)) return AsResult(s);
    t.Commit();
    return S_OK;
}

// Where both DLLs see one and the same class key (Wine's per-user classes; on Windows the
// per-user CLSID is kept apart for each view), the DLL registered last names itself there.
// Removing one then keeps those keys for the other, and names the other again.
HRESULT UnregisterServer(RegistrationScope scope, const std::wstring& modulePath) {
    HKEY classesRoot = ClassesRoot(scope);
    const auto other = OtherBitnessModule(classesRoot);
    // A registration that names another copy of the DLL (an installed one) is that copy's:
    // this one has nothing registered here to take away.
    const auto registered = reg::ReadString(classesRoot, (kClsidKey + L"\\InprocServer32").c_str(),
                                            static_cast<const wchar_t*>(nullptr), 0, kOwnView);
    if (registered && !SamePath(*registered, modulePath) &&
        !(other && SamePath(*registered, *other)))
        return S_OK;
    LSTATUS worst = ERROR_SUCCESS;
    for (const Record& r : Records(scope, L"")) {
        if (r.ofBothBitnesses && other && SeenAlikeFromBothViews(r.root, r.own)) {
            if (r.own != kClsidKey) continue;
            const std::wstring server = kClsidKey + L"\\InprocServer32";
            const auto named = reg::ReadString(r.root, server.c_str(),
                                               static_cast<const wchar_t*>(nullptr), 0, kOwnView);
            if (named && SamePath(*named, modulePath)) {
                rt::UniqueKey k;
                LSTATUS s =
                    RegOpenKeyExW(r.root, server.c_str(), 0, KEY_SET_VALUE | kOwnView, k.put());
                if (s == ERROR_SUCCESS)
                    s = RegSetValueExW(k.get(), nullptr, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(other->c_str()),
                                       static_cast<DWORD>((other->size() + 1) * sizeof(wchar_t)));
                if (s != ERROR_SUCCESS) worst = s;
            }
            continue;
        }
        const LSTATUS s = RemoveTree(r.root, r.own);
        if (s != ERROR_SUCCESS) worst = s;
        if (!r.emptyParentsUpTo.empty()) RemoveEmptyParents(r.root, r.own, r.emptyParentsUpTo);
    }
    return AsResult(worst);
}

} // namespace hv::connect
