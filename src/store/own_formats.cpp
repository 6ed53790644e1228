#include "own_formats.h"
#include "../../shared/registry_text.h"
#include "../core/addin_settings.h"
#include "../core/format_template.h"
#include "../runtime/handles.h"
#include "settings.h"

namespace hv::output {

namespace {

const std::string kKey = rt::SettingsKey(settings::kApp, settings::kFormatsSection);

std::string Name(int n) {
    return "Format" + std::to_string(n);
}

enum class Slot { Missing, Unreadable, Text };

Slot Read(HKEY key, int n, std::string* text) {
    const std::string name = Name(n);
    DWORD type = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return Slot::Missing;
    const auto read = reg::ReadString(key, name.c_str(), kTemplateMaxLength + 1);
    if (!read || read->find_first_of("\r\n") != std::string::npos) return Slot::Unreadable;
    if (text) *text = *read;
    return Slot::Text;
}

} // namespace

std::vector<std::string> LoadFormatTexts(bool formatsOnly) {
    std::vector<std::string> texts;
    rt::UniqueKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS)
        return texts;
    for (int n = 1; n <= kFormatNumbers; ++n) {
        std::string text;
        if (Read(key.get(), n, &text) == Slot::Text &&
            (!formatsOnly ||
             (texts.size() < kMaxFormats && CheckTemplate(text).fault == TemplateFault::None)))
            texts.push_back(text);
    }
    return texts;
}

bool SaveFormats(const std::vector<std::string>& texts) {
    rt::UniqueKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    int n = 1;
    for (const std::string& t : texts) {
        while (n <= kFormatNumbers && Read(key.get(), n, nullptr) == Slot::Unreadable)
            ++n;
        if (n > kFormatNumbers || RegSetValueExA(key.get(), Name(n).c_str(), 0, REG_SZ,
                                                 reinterpret_cast<const BYTE*>(t.c_str()),
                                                 static_cast<DWORD>(t.size() + 1)) != ERROR_SUCCESS)
            return false;
        ++n;
    }
    for (; n <= kFormatNumbers; ++n)
        if (Read(key.get(), n, nullptr) == Slot::Text) RegDeleteValueA(key.get(), Name(n).c_str());
    return true;
}

} // namespace hv::output
