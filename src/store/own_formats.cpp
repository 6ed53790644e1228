#include "own_formats.h"
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

// Read wide and taken only when the ANSI text is the very same: a character that the code page
// lacks (read as '?') or a zero inside would come back changed from a save of it.
Slot Read(HKEY key, int n, std::string* text) {
    const std::string narrow = Name(n);
    const std::wstring name(narrow.begin(), narrow.end());
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return Slot::Missing;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > 4 * (kTemplateMaxLength + 1))
        return Slot::Unreadable;
    std::wstring wide(size / sizeof(wchar_t) + 1, L'\0');
    DWORD room = size;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(wide.data()),
                         &room) != ERROR_SUCCESS)
        return Slot::Unreadable;
    wide.resize(room / sizeof(wchar_t));
    if (!wide.empty() && wide.back() == L'\0') wide.pop_back();
    if (wide.find_first_of(std::wstring_view(L"\0\r\n", 3)) != std::wstring::npos)
        return Slot::Unreadable;
    BOOL lossy = FALSE;
    const int length = static_cast<int>(wide.size());
    std::string ansi(static_cast<std::size_t>(length) * 2, '\0');
    ansi.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, ansi.data(),
                            static_cast<int>(ansi.size()), nullptr, &lossy)));
    if (lossy || ansi.size() > kTemplateMaxLength || (length && ansi.empty()))
        return Slot::Unreadable;
    if (text) *text = ansi;
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
             (texts.size() < kMaxFormats && CheckTemplate(text, GetACP()).fault == TemplateFault::None)))
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
