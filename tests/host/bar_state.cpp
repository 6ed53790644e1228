// Customised command bars across sessions. Like the VB6 IDE, which keeps the user's toolbars,
// the host keeps every control an add-in added without Temporary: written as soon as it
// changes, so that an IDE that dies before its add-ins disconnect starts next time with their
// buttons still there, and dead.
#include "ide.h"
#include <algorithm>

namespace host {

namespace {

void PutNumber(HKEY key, const wchar_t* name, DWORD value) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void PutText(HKEY key, const wchar_t* name, const std::wstring& text) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

DWORD Number(HKEY key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    RegGetValueW(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::wstring Text(HKEY key, const wchar_t* name) {
    wchar_t text[512] = L"";
    DWORD size = sizeof text;
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"";
    return text;
}

} // namespace

std::wstring Ide::BarsKey() const {
    if (options_.barsKey.empty()) return L"";
    return options_.barsKey + (options_.vba ? L"\\VBA" : L"\\VB6");
}

void Ide::SaveBars() {
    const std::wstring path = BarsKey();
    if (restoring_ || path.empty()) return;
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    HKEY root = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &root, nullptr) != ERROR_SUCCESS)
        return;
    int n = 0;
    for (size_t b = 0; b < bars_.size(); ++b)
        for (size_t i = 0; i < bars_[b]->controls.size(); ++i) {
            const BarControl& c = *bars_[b]->controls[i];
            if (c.builtIn || c.temporary) continue;
            wchar_t name[16];
            wsprintfW(name, L"%04d", ++n);
            HKEY key = nullptr;
            if (RegCreateKeyExW(root, name, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
                ERROR_SUCCESS)
                continue;
            PutNumber(key, L"Bar", static_cast<DWORD>(b));
            PutNumber(key, L"Position", static_cast<DWORD>(i + 1));
            PutNumber(key, L"Type", static_cast<DWORD>(c.type));
            PutNumber(key, L"BeginGroup", c.beginGroup);
            PutText(key, L"Caption", c.caption);
            PutText(key, L"Tag", c.tag);
            RegCloseKey(key);
        }
    RegCloseKey(root);
}

void Ide::RestoreBars() {
    const std::wstring path = BarsKey();
    HKEY root = nullptr;
    if (path.empty() ||
        RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &root) != ERROR_SUCCESS)
        return;
    std::vector<std::wstring> names;
    wchar_t name[64];
    for (DWORD i = 0;; ++i) {
        DWORD len = 64;
        if (RegEnumKeyExW(root, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    restoring_ = true;
    for (const auto& n : names) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, n.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        const DWORD bar = Number(key, L"Bar");
        const long type = static_cast<long>(Number(key, L"Type"));
        if (bar < bars_.size() && (type == kControlButton || type == kControlPopup)) {
            auto c = AddControl(*bars_[bar], type, static_cast<long>(Number(key, L"Position")));
            c->beginGroup = Number(key, L"BeginGroup") != 0;
            c->caption = Text(key, L"Caption");
            c->tag = Text(key, L"Tag");
        }
        RegCloseKey(key);
    }
    restoring_ = false;
    RegCloseKey(root);
}

} // namespace host
