// Pigmora.dll itself: registration for the current user and for the machine writes exactly
// its keys and unregistration takes exactly those away; its class object and unloading;
// and the IDE host finding and loading it from its registration.
#include "connect/registration.h"
#include "host_fixture.h"
#include "store/settings.h"
#include "shared/registry_text.h"
#include <map>
#include <optional>
#include <pigmora.h>
#include <sddl.h>
#include <set>

namespace hv::test {

namespace {

using Snapshot = std::map<std::wstring, std::wstring>; // "key" or "key\\\\value" -> data

void Walk(HKEY key, const std::wstring& path, Snapshot& out) {
    out[path] = L"(key)";
    // Wine keeps its own settings here and its processes may touch them at any time.
    if (path == L"Software\\Wine") return;
    DWORD subkeys = 0, values = 0, maxKey = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &maxKey, nullptr, &values,
                         &maxName, &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<wchar_t> name(std::max(maxKey, maxName) + 2);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD i = 0; i < values; ++i) {
        DWORD n = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueW(key, i, name.data(), &n, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            continue;
        std::wstring shown = std::to_wstring(type) + L":";
        if (type == REG_SZ)
            shown += std::wstring(reinterpret_cast<wchar_t*>(data.data()), size / 2);
        else if (type == REG_DWORD)
            shown += std::to_wstring(*reinterpret_cast<DWORD*>(data.data()));
        else
            shown += std::to_wstring(size) + L" bytes";
        while (!shown.empty() && shown.back() == L'\0')
            shown.pop_back();
        out[path + L"\\\\" + name.data()] = shown;
    }
    for (DWORD i = 0; i < subkeys; ++i) {
        DWORD n = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &n, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, name.data(), 0, KEY_READ, &sub) == ERROR_SUCCESS) {
            Walk(sub, path + L"\\" + name.data(), out);
            RegCloseKey(sub);
        }
    }
}

Snapshot Take(HKEY root, const std::wstring& path, Snapshot s = {}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        Walk(key, path, s);
        RegCloseKey(key);
    }
    return s;
}

// The names of a key's subkeys, one level deep.
Snapshot Children(HKEY root, const std::wstring& path, Snapshot s) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return s;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = 256;
        if (RegEnumKeyExW(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        s[path + L"\\" + name] = L"(key)";
    }
    RegCloseKey(key);
    return s;
}

constexpr wchar_t kIdeAddins[] = L"Software\\Microsoft\\Visual Basic\\6.0\\Addins";
constexpr wchar_t kVbaAddins[] = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins";
constexpr wchar_t kVbaAddins64[] = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64";

// The machine's classes where registration writes: our keys in full, and the lists of
// classes, ProgIDs, libraries and interfaces, where anything else new would show.
Snapshot MachineClasses() {
    const std::wstring c = L"Software\\Classes";
    Snapshot s;
    for (const wchar_t* list : {L"", L"\\CLSID", L"\\TypeLib", L"\\Interface"})
        s = Children(HKEY_LOCAL_MACHINE, c + list, std::move(s));
    for (const wchar_t* ours :
         {L"\\CLSID\\{3F0028A8-19EE-4E10-871F-C4C0AE30C8A7}", L"\\Pigmora.Connect",
          L"\\TypeLib\\{9E4ADB75-2C4A-4A31-8DD7-B6165C693196}",
          L"\\Interface\\{8AD6FC46-FED4-4917-9F7D-4555A18498AD}"})
        s = Take(HKEY_LOCAL_MACHINE, c + ours, std::move(s));
    s = Take(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\VBA", std::move(s));
    return Take(HKEY_LOCAL_MACHINE, kIdeAddins, std::move(s));
}

// What `after` has that `before` had not, or had otherwise.
Snapshot Added(const Snapshot& before, const Snapshot& after) {
    Snapshot d;
    for (const auto& [k, v] : after) {
        auto it = before.find(k);
        if (it == before.end() || it->second != v) d[k] = v;
    }
    return d;
}

// Key and value names compare without regard to case, as the registry does.
std::wstring Lower(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

std::set<std::wstring> Names(const Snapshot& s) {
    std::set<std::wstring> n;
    for (const auto& [k, v] : s)
        if (v != L"(key)") n.insert(Lower(k) + L"=" + v);
    return n;
}

std::set<std::wstring> Lowered(const std::set<std::wstring>& expected) {
    std::set<std::wstring> n;
    for (const auto& e : expected) {
        const size_t eq = e.find(L'=');
        n.insert(Lower(e.substr(0, eq)) + e.substr(eq));
    }
    return n;
}

// The values registration writes under a classes root.
std::set<std::wstring> ClassValues(const std::wstring& c, const std::wstring& dll) {
    const std::wstring clsid = c + L"\\CLSID\\{3F0028A8-19EE-4E10-871F-C4C0AE30C8A7}";
    const std::wstring lib = c + L"\\TypeLib\\{9E4ADB75-2C4A-4A31-8DD7-B6165C693196}\\1.0";
    const std::wstring iface = c + L"\\Interface\\{8AD6FC46-FED4-4917-9F7D-4555A18498AD}";
    const std::wstring proxy = L"1:{00020424-0000-0000-C000-000000000046}";
    const std::wstring folder = dll.substr(0, dll.find_last_of(L'\\'));
    return {
        clsid + L"\\\\=1:Pigmora.Connect",
        clsid + L"\\InprocServer32\\\\=1:" + dll,
        clsid + L"\\InprocServer32\\\\ThreadingModel=1:Apartment",
        clsid + L"\\ProgID\\\\=1:Pigmora.Connect",
        clsid + L"\\TypeLib\\\\=1:{9E4ADB75-2C4A-4A31-8DD7-B6165C693196}",
        clsid + L"\\VERSION\\\\=1:1.0",
        c + L"\\Pigmora.Connect\\\\=1:Pigmora.Connect",
        c + L"\\Pigmora.Connect\\CLSID\\\\=1:{3F0028A8-19EE-4E10-871F-C4C0AE30C8A7}",
        lib + L"\\\\=1:VB 6 Huevista (Add-in for Visual Basic)",
        lib + (connect::kIs64Bit ? L"\\0\\win64" : L"\\0\\win32") + L"\\\\=1:" + dll,
        lib + L"\\FLAGS\\\\=1:0",
        lib + L"\\HELPDIR\\\\=1:" + folder,
        iface + L"\\\\=1:_Connect",
        iface + L"\\ProxyStubClsid\\\\=" + proxy,
        iface + L"\\ProxyStubClsid32\\\\=" + proxy,
        iface + L"\\TypeLib\\\\=1:{9E4ADB75-2C4A-4A31-8DD7-B6165C693196}",
        iface + L"\\TypeLib\\\\Version=1:1.0",
    };
}

// The VB6 IDE's record (from the 32-bit DLL only) and the VBA editor's of the DLL's bitness.
std::set<std::wstring> AddinRecordValues() {
    const std::wstring v = std::wstring(connect::kVbaAddinRecordKey) + L"\\\\";
    std::set<std::wstring> values{v + L"FriendlyName=1:VB 6 Huevista",
                                  v + L"Description=1:" + connect::kDescription,
                                  v + L"LoadBehavior=4:3"};
    if (connect::kIs64Bit) return values;
    const std::wstring r = L"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Pigmora.Connect\\\\";
    values.insert({r + L"FriendlyName=1:VB 6 Huevista",
                   r + L"Description=1:" + connect::kDescription, r + L"LoadBehavior=4:1",
                   r + L"CommandLineSafe=4:0"});
    return values;
}

std::set<std::wstring> Union(std::set<std::wstring> a, const std::set<std::wstring>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

class PigmoraDll : public HostTest {
  protected:
    void SetUp() override {
        dll_ = LoadLibraryW(L"Pigmora.dll");
        ASSERT_TRUE(dll_) << "Pigmora.dll is looked for in the working directory";
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(dll_, path, MAX_PATH);
        path_ = path;
        HostTest::SetUp();
        // Every Windows user has this key; a new Wine prefix makes it only when first used.
        HKEY classes = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ, nullptr,
                        &classes, nullptr);
        if (classes) RegCloseKey(classes);
        // The IDEs' lists of add-ins, as installed IDEs have them: ours to leave in place.
        for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            for (const wchar_t* list : {kIdeAddins, kVbaAddins, kVbaAddins64}) {
                HKEY addins = nullptr;
                RegCreateKeyExW(hive, list, 0, nullptr, 0, KEY_READ, nullptr, &addins, nullptr);
                if (addins) RegCloseKey(addins);
            }
        // From a prefix where it is not registered (the run command leaves it registered).
        Install(FALSE, L"user");
        Call("DllUnregisterServer");
        Snap(userBefore_, machineBefore_);
    }
    void TearDown() override {
        HostTest::TearDown();
        if (dll_) FreeLibrary(dll_);
    }
    template <typename F> F Export(const char* name) {
        return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(dll_, name)));
    }
    HRESULT Install(BOOL install, const wchar_t* how) {
        return Export<HRESULT(WINAPI*)(BOOL, PCWSTR)>("DllInstall")(install, how);
    }
    HRESULT Call(const char* name) { return Export<HRESULT(WINAPI*)()>(name)(); }
    static void Snap(Snapshot& user, Snapshot& machine) {
        user = Take(HKEY_CURRENT_USER, L"Software");
        machine = MachineClasses();
    }

    HMODULE dll_ = nullptr;
    std::wstring path_;
    Snapshot userBefore_, machineBefore_;
};

} // namespace

TEST_F(PigmoraDll, PerUserRegistrationWritesItsKeysAndUnregistrationRemovesExactlyThem) {
    ASSERT_EQ(Install(TRUE, L"user"), S_OK);
    Snapshot user, machine;
    Snap(user, machine);
    EXPECT_EQ(Names(Added(userBefore_, user)),
              Lowered(Union(ClassValues(L"Software\\Classes", path_), AddinRecordValues())));
    EXPECT_TRUE(Added(machineBefore_, machine).empty());
    ASSERT_EQ(Install(FALSE, L"user"), S_OK);
    Snap(user, machine);
    EXPECT_EQ(user, userBefore_);
    EXPECT_EQ(machine, machineBefore_);
}

TEST_F(PigmoraDll, PerMachineRegistrationWritesItsKeysAndUnregistrationRemovesExactlyThem) {
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    Snapshot user, machine;
    Snap(user, machine);
    EXPECT_EQ(Names(Added(machineBefore_, machine)),
              Lowered(Union(ClassValues(L"Software\\Classes", path_), AddinRecordValues())));
    EXPECT_TRUE(Added(userBefore_, user).empty());
    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
    Snap(user, machine);
    EXPECT_EQ(user, userBefore_);
    EXPECT_EQ(machine, machineBefore_);
}

TEST_F(PigmoraDll, EachScopeRemovesOnlyItsOwnKeysWhateverTheOrder) {
    ASSERT_EQ(Install(TRUE, L"user"), S_OK);
    Snapshot userInstalled, machine, user;
    Snap(userInstalled, machine);
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    Snapshot machineInstalled;
    Snap(user, machineInstalled);
    EXPECT_EQ(user, userInstalled) << "a machine install leaves the user's keys as they are";
    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
    Snap(user, machine);
    EXPECT_EQ(user, userInstalled) << "the machine's removal keeps the user's add-in record";
    EXPECT_EQ(machine, machineBefore_);

    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    ASSERT_EQ(Install(FALSE, L"user"), S_OK);
    Snap(user, machine);
    EXPECT_EQ(user, userBefore_);
    EXPECT_EQ(machine, machineInstalled) << "the user's removal keeps the machine's keys";
    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
}

namespace {

// HKLM seen, for this process, through a key of the test's own: there a machine write can be
// refused (a key whose security allows reading only) or fail half-way (a volatile key refuses
// lasting children), which Wine's own HKLM never does.
class MachineHive {
  public:
    static constexpr wchar_t kKey[] = L"HvMachineHive";
    MachineHive() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
        Create(kKey, 0);
        Create(L"HvMachineHive\\Software\\Microsoft", 0);
    }
    ~MachineHive() {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        if (key_) RegCloseKey(key_);
        Secure(L"HvMachineHive\\Software", L"D:(A;;KA;;;WD)");
        RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }
    void Create(const wchar_t* path, DWORD options) {
        HKEY k = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &k,
                        nullptr);
        if (k) RegCloseKey(k);
    }
    // Sets a key's access list; "D:P(A;;KR;;;WD)": everyone may read it, nobody change it.
    static bool Secure(const wchar_t* path, const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd,
                                                                  nullptr))
            return false;
        HKEY k = nullptr;
        bool done = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, WRITE_DAC, &k) == ERROR_SUCCESS;
        done = done && RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
        if (k) RegCloseKey(k);
        LocalFree(sd);
        return done;
    }
    bool Use() {
        return RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key_) == ERROR_SUCCESS &&
               RegOverridePredefKey(HKEY_LOCAL_MACHINE, key_) == ERROR_SUCCESS;
    }
    static Snapshot Contents() { return Take(HKEY_CURRENT_USER, kKey); }

  private:
    HKEY key_ = nullptr;
};

} // namespace

TEST_F(PigmoraDll, AFailedMachineInstallTakesBackOnlyItsOwnWrites) {
    ASSERT_EQ(Install(TRUE, L"user"), S_OK);
    Snapshot userInstalled, machine;
    Snap(userInstalled, machine);
    {
        SCOPED_TRACE("refused at its first write");
        MachineHive hive;
        const Snapshot before = MachineHive::Contents();
        ASSERT_TRUE(MachineHive::Secure(L"HvMachineHive\\Software", L"D:P(A;;KR;;;WD)"));
        ASSERT_TRUE(hive.Use());
        EXPECT_EQ(Call("DllRegisterServer"), E_ACCESSDENIED);
        EXPECT_EQ(MachineHive::Contents(), before);
    }
    {
        SCOPED_TRACE("failing half-way, after the classes were written");
        MachineHive hive;
        hive.Create(L"HvMachineHive\\Software\\Classes", 0);
        hive.Create(L"HvMachineHive\\Software\\Microsoft\\Visual Basic", REG_OPTION_VOLATILE);
        hive.Create(L"HvMachineHive\\Software\\Microsoft\\VBA", REG_OPTION_VOLATILE);
        const Snapshot before = MachineHive::Contents();
        ASSERT_TRUE(hive.Use());
        EXPECT_NE(Call("DllRegisterServer"), S_OK);
        EXPECT_EQ(MachineHive::Contents(), before) << "keys that were there stay, no others";
    }
    Snapshot user;
    Snap(user, machine);
    EXPECT_EQ(user, userInstalled) << "the user's own install is untouched";
    EXPECT_EQ(machine, machineBefore_);
}

TEST_F(PigmoraDll, UnregisteringWhatIsNotRegisteredOrAnUnknownWayChangesNothing) {
    EXPECT_EQ(Install(FALSE, L"user"), S_OK);
    EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
    EXPECT_EQ(Install(TRUE, L"everyone"), E_INVALIDARG);
    Snapshot user, machine;
    Snap(user, machine);
    EXPECT_EQ(user, userBefore_);
    EXPECT_EQ(machine, machineBefore_);
}

TEST_F(PigmoraDll, ItMayUnloadOnlyWhenNoObjectOrLockRemains) {
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = Export<GetClassObject>("DllGetClassObject");
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(get(CLSID_NULL, IID_PPV_ARGS(&factory)), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(get(CLSID_Connect, IID_PPV_ARGS(&factory)), S_OK);
    EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    ComPtr<IDispatch> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&object)), S_OK);
    factory.Reset();
    EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
    // The object answers by name through its type library.
    Variant displayed;
    EXPECT_FALSE(rt::Get(object.Get(), L"FormDisplayed", {}, &displayed));
    EXPECT_EQ(displayed.vt(), VT_BOOL);
    ComPtr<_IDTExtensibility2> connection;
    EXPECT_EQ(object.As(&connection), S_OK);
    UINT count = 0;
    EXPECT_EQ(connection->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    connection.Reset();
    object.Reset();
    EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE) << "still locked";
    ASSERT_EQ(get(CLSID_Connect, IID_PPV_ARGS(&factory)), S_OK);
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
}

// The VB6 IDE finds the 32-bit DLL's record in either hive; the VBA editor (the only IDE of
// the 64-bit DLL) reads the user's alone, so a machine install gives it no record.
TEST_F(PigmoraDll, TheHostLoadsItByProgIdRegisteredEitherWay) {
    const bool vba = connect::kIs64Bit || VbaMode();
    for (const bool perUser : {true, false}) {
        SCOPED_TRACE(perUser ? "per user" : "per machine");
        // No settings of an earlier session: left open at its close, the window would open
        // with the add-in, and be left open at this one's.
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Pigmora");
        ASSERT_EQ(perUser ? Install(TRUE, L"user") : Call("DllRegisterServer"), S_OK);
        host::IdeOptions options;
        options.vba = vba;
        Open(options);
        const auto records = host::ReadAddinRecords(vba);
        if (vba && !perUser) {
            EXPECT_TRUE(records.empty());
            CloseIde();
            ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
            continue;
        }
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].friendlyName, L"VB 6 Huevista");
        EXPECT_EQ(records[0].loadBehavior, vba ? 3u : 1u);
        ide_->addins().LoadAtStartup(false);
        EXPECT_TRUE(ide_->addins().IsLoaded(L"Pigmora.Connect"));
        EXPECT_EQ(Standard().controls.size(), 7u);
        EXPECT_EQ(Standard().controls[5]->caption, L"VB 6 Huevista");
        EXPECT_EQ(Standard().controls[5]->faceWidth, 32);
        EXPECT_EQ(ide_->addins().Unload(L"Pigmora.Connect", host::ext_dm_UserClosed), S_OK);
        EXPECT_EQ(Standard().controls.size(), 6u);
        EXPECT_EQ(rt::GetSetting("Pigmora", "Settings", "DisplayOnConnect"), "0");
        // The Add-In Manager on the Add-Ins menu lists it unchecked; choosing it loads it.
        HMENU addins = GetSubMenu(GetMenu(ide_->hwnd()), 2);
        HMENU manager = GetSubMenu(addins, 0);
        SendMessageW(ide_->hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(manager), 0);
        ASSERT_EQ(GetMenuItemCount(manager), 1);
        wchar_t item[64] = L"";
        GetMenuStringW(manager, 0, item, 64, MF_BYPOSITION);
        EXPECT_STREQ(item, L"VB 6 Huevista");
        EXPECT_FALSE(GetMenuState(manager, 0, MF_BYPOSITION) & MF_CHECKED);
        SendMessageW(ide_->hwnd(), WM_COMMAND, GetMenuItemID(manager, 0), 0);
        EXPECT_TRUE(ide_->addins().IsLoaded(L"Pigmora.Connect"));
        EXPECT_EQ(Standard().controls.size(), 7u);
        SendMessageW(ide_->hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(manager), 0);
        EXPECT_TRUE(GetMenuState(manager, 0, MF_BYPOSITION) & MF_CHECKED);
        SendMessageW(ide_->hwnd(), WM_COMMAND, GetMenuItemID(manager, 0), 0);
        EXPECT_FALSE(ide_->addins().IsLoaded(L"Pigmora.Connect"));
        CloseIde();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Pigmora");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Pigmora");
        ASSERT_EQ(perUser ? Install(FALSE, L"user") : Call("DllUnregisterServer"), S_OK);
    }
}

// A copy of the DLL elsewhere (a build folder) unregistered while an installed copy is
// registered: the installed copy's registration stays whole, and goes with its own removal.
TEST_F(PigmoraDll, UnregisteringOneCopyLeavesAnotherCopysRegistrationAlone) {
    const std::wstring installed = L"C:\\Program Files\\Huevista\\Pigmora.dll";
    for (const bool perUser : {true, false}) {
        SCOPED_TRACE(perUser ? "per user" : "per machine");
        const auto scope =
            perUser ? connect::RegistrationScope::User : connect::RegistrationScope::Machine;
        ASSERT_EQ(connect::RegisterServer(scope, installed), S_OK);
        Snapshot user, machine, userAfter, machineAfter;
        Snap(user, machine);
        EXPECT_EQ(perUser ? Install(FALSE, L"user") : Call("DllUnregisterServer"), S_OK);
        Snap(userAfter, machineAfter);
        EXPECT_EQ(userAfter, user);
        EXPECT_EQ(machineAfter, machine);
        EXPECT_EQ(connect::UnregisterServer(scope, installed), S_OK);
        Snap(userAfter, machineAfter);
        EXPECT_EQ(userAfter, userBefore_);
        EXPECT_EQ(machineAfter, machineBefore_);
    }
}

// Windows gives a process run as administrator the machine's COM classes alone: a per-user
// install does not load in such a VB6, a machine install does.
TEST_F(PigmoraDll, AnElevatedVb6LoadsAMachineInstallOnly) {
    if (connect::kIs64Bit || VbaMode()) GTEST_SKIP() << "the VB6 IDE";
    host::IdeOptions options;
    options.elevated = true;
    ASSERT_EQ(Install(TRUE, L"user"), S_OK);
    Open(options);
    ide_->addins().LoadAtStartup(false);
    EXPECT_FALSE(ide_->addins().IsLoaded(L"Pigmora.Connect"));
    ASSERT_EQ(ide_->reports().size(), 1u);
    EXPECT_NE(ide_->reports()[0].find(L"could not be created"), std::wstring::npos);
    EXPECT_EQ(Standard().controls.size(), 6u);
    CloseIde();
    ASSERT_EQ(Install(FALSE, L"user"), S_OK);
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    Open(options);
    ide_->addins().LoadAtStartup(false);
    EXPECT_TRUE(ide_->addins().IsLoaded(L"Pigmora.Connect"));
    EXPECT_TRUE(ide_->reports().empty());
    EXPECT_EQ(Standard().controls.size(), 7u);
    CloseIde();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Pigmora");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Pigmora");
    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
}

} // namespace hv::test

namespace hv::test {

namespace {

std::optional<std::wstring> ReadIn(HKEY root, const std::wstring& key, const wchar_t* name,
                                   REGSAM view) {
    return reg::ReadString(root, key.c_str(), name, 0, view);
}

// The 32-bit regsvr32 of a 64-bit Windows, on the 32-bit DLL; its exit code.
DWORD Regsvr32On32BitDll(const std::wstring& args, const std::wstring& dll) {
    std::wstring line = L"C:\\windows\\syswow64\\regsvr32.exe /s " + args + L" \"" + dll + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return GetLastError();
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

} // namespace

// Both DLLs registered side by side (in either order, for the user or for the machine), and
// either removed alone: the other's records stay, its class names its own DLL in its view,
// and once both are gone each view is as before. Run by the 64-bit tests, which find the
// 32-bit DLL through PIGMORA32.
TEST_F(PigmoraDll, BothBitnessesSideBySideAndEitherRemovedAlone) {
    if (!connect::kIs64Bit) GTEST_SKIP() << "the 64-bit tests run this, beside the 32-bit DLL";
    wchar_t buffer[MAX_PATH] = L"";
    ASSERT_TRUE(GetEnvironmentVariableW(L"PIGMORA32", buffer, MAX_PATH))
        << "PIGMORA32 names the 32-bit Pigmora.dll (scripts/test.sh sets it)";
    const std::wstring dll32 = buffer;
    const std::wstring clsid = std::wstring(L"Software\\Classes\\CLSID\\") + connect::kClsid;
    const std::wstring server = clsid + L"\\InprocServer32";
    const std::wstring lib =
        std::wstring(L"Software\\Classes\\TypeLib\\") + connect::kLibid + L"\\1.0\\0";
    const std::wstring vb6 = connect::kAddinRecordKey;
    const std::wstring vba32 = connect::kVbaAddinRecordKey32;
    const std::wstring vba64 = connect::kVbaAddinRecordKey64;
    constexpr REGSAM k32 = KEY_WOW64_32KEY, k64 = KEY_WOW64_64KEY;

    for (const bool perUser : {true, false}) {
        const HKEY hive = perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        const std::wstring how = perUser ? L"/n /i:user" : L"";
        auto install64 = [&](bool on) {
            return perUser ? Install(on, L"user")
                           : Call(on ? "DllRegisterServer" : "DllUnregisterServer");
        };
        auto install32 = [&](bool on) {
            return Regsvr32On32BitDll((on ? L"" : L"/u ") + how, dll32);
        };
        for (const bool sixtyFourFirst : {false, true}) {
            SCOPED_TRACE(std::string(perUser ? "per user" : "per machine") +
                         (sixtyFourFirst ? ", 64-bit first" : ", 32-bit first"));
            if (sixtyFourFirst) {
                ASSERT_EQ(install64(true), S_OK);
            }
            ASSERT_EQ(install32(true), 0u);
            if (!sixtyFourFirst) {
                ASSERT_EQ(install64(true), S_OK);
            }
            EXPECT_EQ(ReadIn(hive, lib + L"\\win32", nullptr, k32), dll32);
            EXPECT_EQ(ReadIn(hive, lib + L"\\win64", nullptr, k64), path_);
            EXPECT_TRUE(ReadIn(hive, vb6, L"FriendlyName", k32).has_value());
            EXPECT_TRUE(ReadIn(hive, vba32, L"FriendlyName", k32).has_value());
            EXPECT_TRUE(ReadIn(hive, vba64, L"FriendlyName", k64).has_value());

            // The DLL registered last goes first: the other is whole again in its view.
            if (sixtyFourFirst) {
                ASSERT_EQ(install32(false), 0u);
                EXPECT_EQ(ReadIn(hive, server, nullptr, k64), path_);
                EXPECT_FALSE(ReadIn(hive, lib + L"\\win32", nullptr, k32).has_value());
                EXPECT_FALSE(ReadIn(hive, vb6, L"FriendlyName", k32).has_value());
                EXPECT_FALSE(ReadIn(hive, vba32, L"FriendlyName", k32).has_value());
                EXPECT_TRUE(ReadIn(hive, vba64, L"FriendlyName", k64).has_value());
                ASSERT_EQ(install64(false), S_OK);
            } else {
                ASSERT_EQ(install64(false), S_OK);
                EXPECT_EQ(ReadIn(hive, server, nullptr, k32), dll32);
                EXPECT_FALSE(ReadIn(hive, lib + L"\\win64", nullptr, k64).has_value());
                EXPECT_FALSE(ReadIn(hive, vba64, L"FriendlyName", k64).has_value());
                EXPECT_TRUE(ReadIn(hive, vb6, L"FriendlyName", k32).has_value());
                EXPECT_TRUE(ReadIn(hive, vba32, L"FriendlyName", k32).has_value());
                ASSERT_EQ(install32(false), 0u);
            }
            for (const REGSAM view : {k32, k64}) {
                EXPECT_FALSE(ReadIn(hive, clsid, nullptr, view).has_value()) << view;
                EXPECT_FALSE(ReadIn(hive, std::wstring(L"Software\\Classes\\") + connect::kProgId,
                                    nullptr, view)
                                 .has_value())
                    << view;
            }
            Snapshot user, machine;
            Snap(user, machine);
            EXPECT_EQ(user, userBefore_);
            EXPECT_EQ(machine, machineBefore_);
        }
    }
}

} // namespace hv::test
