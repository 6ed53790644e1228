#include "settings.h"
#include "../../shared/registry_text.h"
#include "../runtime/handles.h"

namespace hv::rt {

std::string SettingsKey(const std::string& appName, const std::string& section) {
    return "Software\\VB and VBA Program Settings\\" + appName + "\\" + section;
}

std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
    return reg::ReadString(HKEY_CURRENT_USER, SettingsKey(appName, section).c_str(), key.c_str())
        .value_or(defaultValue);
}

std::optional<std::string> ReadSetting(const std::string& appName, const std::string& section,
                                       const std::string& key) {
    UniqueKey k;
    const LSTATUS opened = RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey(appName, section).c_str(),
                                         0, KEY_QUERY_VALUE, k.put());
    if (opened == ERROR_FILE_NOT_FOUND) return std::string();
    DWORD type = 0;
    if (opened != ERROR_SUCCESS) return std::nullopt;
    const LSTATUS found = RegQueryValueExA(k.get(), key.c_str(), nullptr, &type, nullptr, nullptr);
    if (found == ERROR_FILE_NOT_FOUND || (found == ERROR_SUCCESS && type != REG_SZ &&
                                          type != REG_EXPAND_SZ))
        return std::string();
    return reg::ReadString(k.get(), key.c_str());
}

bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value) {
    UniqueKey k;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey(appName, section).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, k.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(k.get(), key.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

} // namespace hv::rt
