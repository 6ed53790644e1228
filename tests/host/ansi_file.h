// Module and form files as the IDE writes them: text in the ANSI code page.
#pragma once
#include <string>
#include <windows.h>

namespace host {

inline bool WriteAnsiFile(const std::wstring& path, const std::wstring& all) {
    const int n = WideCharToMultiByte(CP_ACP, 0, all.data(), static_cast<int>(all.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, all.data(), static_cast<int>(all.size()), bytes.data(), n,
                        nullptr, nullptr);
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return CloseHandle(f) && ok;
}

} // namespace host
