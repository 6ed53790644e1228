// A second process that reads the add-in's windows as a screen reader does, through
// Microsoft Active Accessibility, and writes what it learns to its standard output, one line
// each (fields separated by tabs):
//   acc_probe read <window>        for every child window of <window> (a handle in decimal):
//                                  "obj <hwnd> <role> <state hex> <name> <value> <x,y,w,h>",
//                                  then "end"
//   acc_probe events <pid> <quit>  "ready" once its WinEvent hook (out of context) is set for
//                                  the process <pid>; then for each focus, selection, value or
//                                  name change: "ev <event hex> <hwnd> <name> <value>"; ends at
//                                  "end" once the named event <quit> is set.
// A program without a console, so that it never takes the foreground from the tests.
#include <windows.h>
#include <oleacc.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Out(const std::string& line) {
    const std::string l = line + "\n";
    DWORD n = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), l.data(), static_cast<DWORD>(l.size()), &n, nullptr);
}

std::string Narrow(BSTR s) {
    if (!s) return "-";
    const int n = WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, s, -1, out.data(), n, nullptr, nullptr);
    SysFreeString(s);
    return out;
}

// "<role> <state> <name> <value>" of one object's child, "-" for what it does not say.
std::string Describe(IAccessible* a, VARIANT child) {
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    BSTR name = nullptr, value = nullptr;
    char numbers[64];
    const HRESULT hr = a->get_accRole(child, &role);
    a->get_accState(child, &state);
    a->get_accName(child, &name);
    a->get_accValue(child, &value);
    snprintf(numbers, sizeof numbers, "%ld\t%lx",
             SUCCEEDED(hr) && role.vt == VT_I4 ? role.lVal : -1L,
             state.vt == VT_I4 ? state.lVal : 0L);
    return std::string(numbers) + "\t" + Narrow(name) + "\t" + Narrow(value);
}

VARIANT Self() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

BOOL CALLBACK ReadOne(HWND hwnd, LPARAM) {
    IAccessible* a = nullptr;
    char line[64];
    snprintf(line, sizeof line, "obj\t%lu\t",
             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hwnd)));
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&a))) ||
        !a) {
        Out(std::string(line) + "none");
        return TRUE;
    }
    long x = 0, y = 0, w = 0, h = 0;
    a->accLocation(&x, &y, &w, &h, Self());
    char where[64];
    snprintf(where, sizeof where, "\t%ld,%ld,%ld,%ld", x, y, w, h);
    Out(line + Describe(a, Self()) + where);
    a->Release();
    return TRUE;
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD,
                      DWORD) {
    char line[64];
    snprintf(line, sizeof line, "ev\t%lx\t%lu\t", event,
             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hwnd)));
    IAccessible* a = nullptr;
    VARIANT child;
    VariantInit(&child);
    if (idObject != OBJID_CLIENT ||
        FAILED(AccessibleObjectFromEvent(hwnd, idObject, idChild, &a, &child)) || !a) {
        Out(std::string(line) + "-1\t0\t-\t-");
        return;
    }
    Out(line + Describe(a, child));
    a->Release();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    if (__argc == 3 && std::string(__argv[1]) == "read") {
        const HWND form =
            reinterpret_cast<HWND>(static_cast<UINT_PTR>(strtoull(__argv[2], nullptr, 10)));
        EnumChildWindows(form, &ReadOne, 0);
        Out("end");
    } else if (__argc == 4 && std::string(__argv[1]) == "events") {
        const DWORD pid = strtoul(__argv[2], nullptr, 10);
        HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, __argv[3]);
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr,
                                             &OnEvent, pid, 0, WINEVENT_OUTOFCONTEXT);
        Out(hook && quit ? "ready" : "failed");
        while (hook && quit &&
               MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        if (hook) UnhookWinEvent(hook);
        Out("end");
    } else {
        Out("usage");
    }
    CoUninitialize();
    return 0;
}
