#include "registry_stuff.h"
#include "../../shared/registry_text.h"
#include "../runtime/handles.h"

namespace hv::colour {

namespace {
// Texts of up to 128 characters are read. One byte more for the terminator that some
// registries add when they hand back a text stored without one.
constexpr DWORD kMaxText = 128;

rt::UniqueKey OpenKey(HKEY root, const std::string& path, REGSAM access) {
    rt::UniqueKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.reset();
    return key;
}
} // namespace

void CreateRegKey(HKEY root, const std::string& path) {
    rt::UniqueKey created; // closed at once
    RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                    nullptr, created.put(), nullptr);
}

bool RegKeyExists(HKEY root, const std::string& path) {
    return static_cast<bool>(OpenKey(root, path, KEY_QUERY_VALUE));
}

bool SetRegValue(HKEY root, const std::string& path, const std::string& name,
                 const std::string& text) {
    rt::UniqueKey key = OpenKey(root, path, KEY_SET_VALUE);
    if (!key) return false;
    const LSTATUS s =
        RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()));
    RegFlushKey(key.get());
    return s == ERROR_SUCCESS;
}

std::string GetRegValue(HKEY root, const std::string& path, const std::string& name,
                        const std::string& fallback) {
    return RegReader(root, path).Get(name, fallback);
}

// Reading asks only for reading: a key the user may read but not change (the local machine's
// keys for a restricted user) must still give its values.
RegReader::RegReader(HKEY root, const std::string& path)
    : key_(OpenKey(root, path, KEY_QUERY_VALUE)) {}

std::string RegReader::Get(const std::string& name, const std::string& fallback) const {
    if (!key_) return fallback;
    // Numbers or bytes stored under the name are not a text.
    const auto text = reg::ReadString(key_.get(), name.c_str(), kMaxText + 1);
    return text && text->size() <= kMaxText ? *text : fallback;
}

FILETIME RegReader::LastWrite() const {
    FILETIME t{};
    if (key_)
        RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, &t);
    return t;
}

} // namespace hv::colour
