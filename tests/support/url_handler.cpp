#include "url_handler.h"
#include "pump.h"
#include <algorithm>
#include <fstream>
#include <iterator>
#include <windows.h>

namespace hv::test {

namespace {

constexpr char kCommandKey[] = "https\\shell\\open\\command";

std::string ModuleDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

} // namespace

UrlHandler::UrlHandler() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    log_ = std::string(temp) + "huevista_urls.txt";
    DeleteFileA(log_.c_str());
    SetEnvironmentVariableA("HUEVISTA_URL_LOG", log_.c_str());
    // The handler of the machine's classes (the prefix's browser launcher), put back at the end.
    const std::string command = "\"" + ModuleDir() + "url_recorder.exe\" \"%1\"";
    HKEY k;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, kCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                    nullptr);
    char old[1024] = "";
    DWORD size = sizeof old;
    if (RegQueryValueExA(k, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
        ERROR_SUCCESS)
        previous_ = old;
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(k);
}

UrlHandler::~UrlHandler() {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kCommandKey, 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
        RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_.c_str()),
                       static_cast<DWORD>(previous_.size() + 1));
        RegCloseKey(k);
    }
    DeleteFileA(log_.c_str());
}

std::string UrlHandler::WaitForLines(int count) {
    std::string all;
    PumpUntil(
        [&] {
            std::ifstream in(log_);
            all.assign(std::istreambuf_iterator<char>(in), {});
            return std::count(all.begin(), all.end(), '\n') >= count;
        },
        10000);
    return all;
}

} // namespace hv::test
