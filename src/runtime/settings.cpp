#include "settings.h"
#include "handles.h"
#include <vector>

namespace hv::rt {

std::string SettingsKey(const std::string& appName, const std::string& section) {
    return "Software\\VB and VBA Program Settings\\" + appName + "\\" + section;
}

std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey(appName, section).c_str(), 0, KEY_QUERY_VALUE,
                      &raw) != ERROR_SUCCESS)
        return defaultValue;
    UniqueKey k(raw);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(k.get(), key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return defaultValue;
    // One spare zero byte: the stored data need not end with a terminator.
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(k.get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS)
        return defaultValue;
    return std::string(data.data());
}

bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey(appName, section).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey k(raw);
    return RegSetValueExA(k.get(), key.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

} // namespace hv::rt
