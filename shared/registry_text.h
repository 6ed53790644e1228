// Reads a string value of the registry, written once for the add-in and the IDE host alike.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace hv::reg {

namespace detail {
inline LSTATUS Query(HKEY k, const char* name, DWORD* type, BYTE* data, DWORD* size) {
    return RegQueryValueExA(k, name, nullptr, type, data, size);
}
inline LSTATUS Query(HKEY k, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size) {
    return RegQueryValueExW(k, name, nullptr, type, data, size);
}
inline LSTATUS Open(HKEY root, const char* sub, REGSAM view, HKEY* k) {
    return RegOpenKeyExA(root, sub, 0, KEY_QUERY_VALUE | view, k);
}
inline LSTATUS Open(HKEY root, const wchar_t* sub, REGSAM view, HKEY* k) {
    return RegOpenKeyExW(root, sub, 0, KEY_QUERY_VALUE | view, k);
}
} // namespace detail

// The characters of a REG_SZ or REG_EXPAND_SZ value as stored, cut at the first zero (the
// stored data need not end with one); nothing when there is no such value or it is no
// string. `maxBytes` refuses a value whose data is larger (the size of the read, not of the
// size query, which may count wide characters for the ANSI call), 0 takes any size.
// `query(type, data, size)` is RegQueryValueEx for the value.
template <typename C, typename Query>
std::optional<std::basic_string<C>> ReadStringWith(const Query& query, DWORD maxBytes = 0) {
    DWORD type = 0;
    const auto text = [&] { return type == REG_SZ || type == REG_EXPAND_SZ; };
    {
        // Most values fit a small buffer: one query then, instead of one for the size first
        // (each is a trip to the registry's server). The last character stays a terminator.
        C small[129] = {};
        DWORD room = sizeof small - sizeof(C);
        const LSTATUS s = query(&type, reinterpret_cast<BYTE*>(small), &room);
        if (s == ERROR_SUCCESS) {
            if (!text() || (maxBytes && room > maxBytes)) return std::nullopt;
            return std::basic_string<C>(small);
        }
        if (s != ERROR_MORE_DATA) return std::nullopt;
    }
    // Another program may write a longer text between the size query and the read: asked
    // again, a few times, rather than taken for a value that is not there.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD size = 0;
        if (query(&type, nullptr, &size) != ERROR_SUCCESS || !text()) return std::nullopt;
        // Room for a terminator of our own after whatever was stored.
        std::vector<C> data(size / sizeof(C) + 1, C{});
        DWORD room = size;
        const LSTATUS s = query(&type, reinterpret_cast<BYTE*>(data.data()), &room);
        if (s == ERROR_MORE_DATA) continue;
        if (s != ERROR_SUCCESS || !text() || (maxBytes && room > maxBytes)) return std::nullopt;
        return std::basic_string<C>(data.data());
    }
    return std::nullopt;
}

template <typename C>
std::optional<std::basic_string<C>> ReadString(HKEY key, const C* name, DWORD maxBytes = 0) {
    return ReadStringWith<C>(
        [&](DWORD* type, BYTE* data, DWORD* size) {
            return detail::Query(key, name, type, data, size);
        },
        maxBytes);
}

// The same, from the subkey `sub` of `root` (opened for reading only, in the registry view
// `view` of 64-bit Windows: KEY_WOW64_32KEY, KEY_WOW64_64KEY or 0 for the program's own).
template <typename C>
std::optional<std::basic_string<C>> ReadString(HKEY root, const C* sub, const C* name,
                                               DWORD maxBytes = 0, REGSAM view = 0) {
    HKEY k = nullptr;
    if (detail::Open(root, sub, view, &k) != ERROR_SUCCESS) return std::nullopt;
    auto text = ReadString(k, name, maxBytes);
    RegCloseKey(k);
    return text;
}

} // namespace hv::reg
