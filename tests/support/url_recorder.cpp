// Test helper program, registered in the test prefix as the handler of web addresses: it
// records what it was asked to open and with which show command, instead of a browser.
// One line per call: "<show command> <address>", appended to the file named by the
// environment variable HUEVISTA_URL_LOG.
#include <cstdio>
#include <cstdlib>
#include <windows.h>

int main(int argc, char** argv) {
    const char* log = std::getenv("HUEVISTA_URL_LOG");
    if (!log) return 1;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    const int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
    std::FILE* f = std::fopen(log, "a");
    if (!f) return 1;
    std::fprintf(f, "%d %s\n", show, argc > 1 ? argv[1] : "");
    std::fclose(f);
    return 0;
}
