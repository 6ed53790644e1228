// Add-ins as the VB6 IDE finds and loads them: records under
// HKEY_CURRENT_USER\Software\Microsoft\Visual Basic\6.0\Addins\<ProgID> (FriendlyName,
// Description, LoadBehavior: 1 load at start-up, 2 load when started from the command
// line), created through COM by ProgID, connected through IDTExtensibility2.
#pragma once
#include "com.h"
#include "extensibility.h"
#include <string>
#include <vector>

namespace host {

class Ide;

struct AddinRecord {
    std::wstring progId, friendlyName, description;
    DWORD loadBehavior = 0;
};

constexpr wchar_t kAddinsKey[] = L"Software\\Microsoft\\Visual Basic\\6.0\\Addins";
// The VBA editor reads its records from the current user's hive only, one list for each
// bitness of Office; LoadBehavior 3 (loaded, at start-up) loads an add-in at start-up.
constexpr const wchar_t* kVbaAddinsKey = sizeof(void*) == 8
                                             ? L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64"
                                             : L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins";
std::vector<AddinRecord> ReadAddinRecords(bool vba = false);

// Creates an in-process object by ProgID. Per-user registrations (HKCU\Software\Classes),
// which Windows merges into HKEY_CLASSES_ROOT, are looked up here too, since not every
// Win32 implementation does that merge; `module` is then the DLL loaded for it. An elevated
// process sees the machine's classes alone (HKLM\Software\Classes), as Windows gives it.
HRESULT CreateByProgId(const std::wstring& progId, IUnknown** out, HMODULE* module,
                       bool elevated = false);

class AddinManager {
  public:
    explicit AddinManager(Ide& ide) : ide_(ide) {}
    ~AddinManager();

    // Loads the add-ins whose records ask for it, then tells them start-up is complete.
    void LoadAtStartup(bool commandLine);
    // OnStartupComplete to every add-in loaded so far.
    void StartupComplete();
    HRESULT Load(const std::wstring& progId, int connectMode);
    // Connects an add-in object that the caller created.
    HRESULT Connect(const std::wstring& progId, IUnknown* addin, int connectMode,
                    HMODULE module = nullptr);
    HRESULT Unload(const std::wstring& progId, int removeMode);
    // At exit: OnBeginShutdown to all, then OnDisconnection to each.
    void UnloadAll();
    // A dying IDE: the add-ins are let go of without a word.
    void Abandon();
    bool IsLoaded(const std::wstring& progId) const;
    bool busy() const { return busy_; }

  private:
    struct Loaded {
        std::wstring progId;
        ComPtr<IDTExtensibility2> addin;
        ComPtr<IDispatch> instance;
        HMODULE module = nullptr;
    };
    static void Release(Loaded& loaded);

    Ide& ide_;
    std::vector<Loaded> loaded_;
    bool busy_ = false;
};

} // namespace host
