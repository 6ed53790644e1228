#include "registry_stuff.h"
#include "../core/stored_text.h"
#include "../runtime/handles.h"

namespace hv::colour {

namespace {
// Texts of up to 128 characters are read. One byte more for the terminator that some
// registries add when they hand back a text stored without one.
constexpr DWORD kMaxText = 128;

rt::UniqueKey OpenKey(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
    return rt::UniqueKey(key);
}
} // namespace

void CreateRegKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, &disposition) == ERROR_SUCCESS) {
        rt::UniqueKey created(key); // closed at once
    }
}

void SetRegValue(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
    rt::UniqueKey key = OpenKey(root, path, KEY_ALL_ACCESS);
    if (!key) return;
    RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                   static_cast<DWORD>(text.size()));
    RegFlushKey(key.get());
}

std::string GetRegValue(HKEY root, const std::string& path, const std::string& name,
                        const std::string& fallback) {
    // Reading asks only for reading: a key the user may read but not change (the local
    // machine's keys for a restricted user) must still give its values.
    rt::UniqueKey key = OpenKey(root, path, KEY_QUERY_VALUE);
    if (!key) return fallback;
    BYTE buffer[kMaxText + 1] = {};
    DWORD size = sizeof buffer, type = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, buffer, &size) != ERROR_SUCCESS)
        return fallback;
    // Numbers or bytes stored under the name are not a text.
    if (type != REG_SZ && type != REG_EXPAND_SZ) return fallback;
    std::string text = RegistryBytesToText(buffer, size);
    return text.size() <= kMaxText ? text : fallback;
}

} // namespace hv::colour
