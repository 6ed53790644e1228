#include "clipboard_holder_process.h"
#include <gtest/gtest.h>

namespace hv::test {

PROCESS_INFORMATION StartClipboardHolder(const std::string& args) {
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "HuevistaClipboardHeld");
    ResetEvent(held);
    std::string cmd = "clipboard_holder.exe " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    EXPECT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    EXPECT_EQ(WaitForSingleObject(held, 10000), WAIT_OBJECT_0);
    CloseHandle(held);
    return pi;
}

void FinishClipboardHolder(PROCESS_INFORMATION& pi, bool kill) {
    if (!pi.hProcess) return;
    if (kill) TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    pi = {};
}

} // namespace hv::test
