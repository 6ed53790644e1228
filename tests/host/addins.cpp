#include "addins.h"
#include "ide.h"
#include "objects.h"
#include "../../shared/registry_text.h"
#include <vector>

namespace host {

namespace {

std::wstring ReadString(HKEY key, const wchar_t* sub, const wchar_t* value) {
    return hv::reg::ReadString(key, sub, value).value_or(L"");
}

// An empty array for the `custom` argument of the connection events.
struct CustomArray {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 0);
    ~CustomArray() {
        if (array) SafeArrayDestroy(array);
    }
};

// Windows finds per-user classes under HKCU\Software\Classes through HKEY_CLASSES_ROOT;
// where the system does not, look there ourselves and load the server as COM would. The
// same for the machine's classes alone, as an elevated process sees them.
HRESULT CreateFromClasses(HKEY hive, const std::wstring& progId, IUnknown** out, HMODULE* module) {
    const std::wstring classes = L"Software\\Classes\\";
    const std::wstring clsidText =
        ReadString(hive, (classes + progId + L"\\CLSID").c_str(), nullptr);
    CLSID clsid;
    if (clsidText.empty() || FAILED(CLSIDFromString(clsidText.c_str(), &clsid)))
        return REGDB_E_CLASSNOTREG;
    const std::wstring server =
        ReadString(hive, (classes + L"CLSID\\" + clsidText + L"\\InprocServer32").c_str(), nullptr);
    if (server.empty()) return REGDB_E_CLASSNOTREG;
    HMODULE dll = LoadLibraryW(server.c_str());
    if (!dll) return HRESULT_FROM_WIN32(GetLastError());
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    HRESULT hr = get ? get(clsid, IID_PPV_ARGS(&factory)) : CO_E_ERRORINDLL;
    if (SUCCEEDED(hr)) hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(out));
    factory.Reset();
    if (FAILED(hr)) {
        FreeLibrary(dll);
        return hr;
    }
    *module = dll;
    return S_OK;
}

} // namespace

// The VB6 IDE lists the add-ins of the current user and those of the machine; a record in
// both hives is the user's. The VBA editor lists the current user's alone.
std::vector<AddinRecord> ReadAddinRecords(bool vba) {
    std::vector<AddinRecord> records;
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        if (vba && hive != HKEY_CURRENT_USER) continue;
        HKEY key = nullptr;
        if (RegOpenKeyExW(hive, vba ? kVbaAddinsKey : kAddinsKey, 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            continue;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD len = 256;
            if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            bool listed = false;
            for (const auto& r : records)
                listed = listed || lstrcmpiW(r.progId.c_str(), name) == 0;
            if (listed) continue;
            AddinRecord r;
            r.progId = name;
            r.friendlyName = ReadString(key, name, L"FriendlyName");
            r.description = ReadString(key, name, L"Description");
            DWORD size = sizeof r.loadBehavior;
            if (RegGetValueW(key, name, L"LoadBehavior", RRF_RT_REG_DWORD, nullptr, &r.loadBehavior,
                             &size) != ERROR_SUCCESS)
                r.loadBehavior = 0;
            records.push_back(r);
        }
        RegCloseKey(key);
    }
    return records;
}

HRESULT CreateByProgId(const std::wstring& progId, IUnknown** out, HMODULE* module, bool elevated) {
    *out = nullptr;
    *module = nullptr;
    if (elevated) return CreateFromClasses(HKEY_LOCAL_MACHINE, progId, out, module);
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(out));
    if (hr == CO_E_CLASSSTRING || hr == REGDB_E_CLASSNOTREG || hr == REGDB_E_READREGDB) {
        const HRESULT perUser = CreateFromClasses(HKEY_CURRENT_USER, progId, out, module);
        if (perUser != REGDB_E_CLASSNOTREG) hr = perUser;
    }
    return hr;
}

AddinManager::~AddinManager() {
    UnloadAll();
}

void AddinManager::LoadAtStartup(bool commandLine) {
    const bool vba = ide_.options().vba;
    // VB6: 1 at start-up, 2 from the command line. VBA: bit 2 is "load at start-up".
    const DWORD wanted = vba ? 2 : commandLine ? 2 : 1;
    if (vba) commandLine = false;
    for (const auto& r : ReadAddinRecords(vba))
        if (r.loadBehavior & wanted)
            Load(r.progId, commandLine ? ext_cm_CommandLine : ext_cm_Startup);
    StartupComplete();
}

void AddinManager::StartupComplete() {
    CustomArray custom;
    const auto loaded = loaded_; // an add-in may unload itself
    for (const auto& l : loaded)
        l.addin->OnStartupComplete(&custom.array);
}

HRESULT AddinManager::Load(const std::wstring& progId, int connectMode) {
    if (IsLoaded(progId)) return S_FALSE;
    ComPtr<IUnknown> object;
    HMODULE module = nullptr;
    const HRESULT hr =
        CreateByProgId(progId, object.GetAddressOf(), &module, ide_.options().elevated);
    if (FAILED(hr)) {
        wchar_t code[16];
        wsprintfW(code, L"%08X", static_cast<unsigned>(hr));
        ide_.Report(L"The add-in " + progId + L" could not be created (error " + code + L").");
        return hr;
    }
    return Connect(progId, object.Get(), connectMode, module);
}

HRESULT AddinManager::Connect(const std::wstring& progId, IUnknown* addin, int connectMode,
                              HMODULE module) {
    Loaded l;
    l.progId = progId;
    l.module = module;
    HRESULT hr = addin->QueryInterface(IID_PPV_ARGS(&l.addin));
    if (FAILED(hr)) {
        ide_.Report(L"The add-in " + progId + L" does not implement IDTExtensibility2.");
        Release(l);
        return hr;
    }
    std::wstring description;
    for (const auto& r : ReadAddinRecords(ide_.options().vba))
        if (SameText(r.progId, progId)) description = r.description;
    l.instance = NewAddInInstance(progId, description);
    ComPtr<IDispatch> vbe = ide_.Vbe();
    CustomArray custom;
    busy_ = true;
    hr = l.addin->OnConnection(vbe.Get(), connectMode, l.instance.Get(), &custom.array);
    busy_ = false;
    if (FAILED(hr)) {
        ide_.Report(L"The add-in " + progId + L" failed to connect.");
        Release(l);
        return hr;
    }
    loaded_.push_back(std::move(l));
    return S_OK;
}

HRESULT AddinManager::Unload(const std::wstring& progId, int removeMode) {
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
        if (!SameText(it->progId, progId)) continue;
        Loaded l = std::move(*it);
        loaded_.erase(it);
        CustomArray custom;
        busy_ = true;
        const HRESULT hr = l.addin->OnDisconnection(removeMode, &custom.array);
        busy_ = false;
        Release(l);
        return hr;
    }
    return S_FALSE;
}

void AddinManager::UnloadAll() {
    CustomArray custom;
    for (const auto& l : loaded_)
        l.addin->OnBeginShutdown(&custom.array);
    while (!loaded_.empty())
        Unload(loaded_.back().progId, ext_dm_HostShutdown);
}

void AddinManager::Abandon() {
    while (!loaded_.empty()) {
        Release(loaded_.back());
        loaded_.pop_back();
    }
}

bool AddinManager::IsLoaded(const std::wstring& progId) const {
    for (const auto& l : loaded_)
        if (SameText(l.progId, progId)) return true;
    return false;
}

void AddinManager::Release(Loaded& l) {
    l.addin.Reset();
    l.instance.Reset();
    if (!l.module) {
        CoFreeUnusedLibraries();
        return;
    }
    // Loaded here rather than by COM: unload it as COM would, once it says it may go.
    using CanUnload = HRESULT(WINAPI*)();
    auto can = reinterpret_cast<CanUnload>(
        reinterpret_cast<void (*)()>(GetProcAddress(l.module, "DllCanUnloadNow")));
    if (can && can() == S_OK) FreeLibrary(l.module);
    l.module = nullptr;
}

} // namespace host
