// VB's per-user settings store (GetSetting / SaveSetting): string values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>.
#pragma once
#include <optional>
#include <string>

namespace hv::rt {

// The stored text, or `defaultValue` when the key or value is missing or not text.
std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue = "");
// The same for a caller that writes back what it read: "" when the key or value is missing or
// holds no text, nothing when a text is stored that could not be read.
std::optional<std::string> ReadSetting(const std::string& appName, const std::string& section,
                                       const std::string& key);
// Stores the text, creating the application and section keys as needed.
bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value);

// The registry key (under HKEY_CURRENT_USER) of a section.
std::string SettingsKey(const std::string& appName, const std::string& section);

} // namespace hv::rt
