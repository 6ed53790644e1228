#include "acc_probe_process.h"
#include "pump.h"
#include <gtest/gtest.h>

namespace hv::test {

AccProbe::AccProbe(const std::string& args) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE write = nullptr;
    EXPECT_TRUE(CreatePipe(&out_, &write, &sa, 0));
    SetHandleInformation(out_, HANDLE_FLAG_INHERIT, 0);
    std::string cmd = "acc_probe.exe " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write;
    si.hStdError = write;
    EXPECT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &si, &pi_));
    CloseHandle(write);
}

AccProbe::~AccProbe() {
    if (pi_.hProcess) {
        // Its calls into this process are answered while it ends.
        PumpUntil([&] { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; });
        TerminateProcess(pi_.hProcess, 1); // only if it has not ended
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    if (out_) CloseHandle(out_);
}

// Whatever the pipe holds now, split into lines; false once the probe has closed it.
bool AccProbe::ReadMore() {
    DWORD available = 0;
    if (!PeekNamedPipe(out_, nullptr, 0, nullptr, &available, nullptr)) return false;
    if (available) {
        std::string buf(available, '\0');
        DWORD got = 0;
        if (!ReadFile(out_, buf.data(), available, &got, nullptr)) return false;
        buf.resize(got);
        pending_ += buf;
        all_ += buf;
        for (size_t nl; (nl = pending_.find('\n')) != std::string::npos;) {
            std::string line = pending_.substr(0, nl);
            pending_.erase(0, nl + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::vector<std::string> fields;
            for (size_t start = 0;;) {
                const size_t tab = line.find('\t', start);
                fields.push_back(line.substr(start, tab - start));
                if (tab == std::string::npos) break;
                start = tab + 1;
            }
            lines_.push_back(std::move(fields));
            taken_.push_back(false);
        }
    }
    return true;
}

std::vector<std::string>
AccProbe::WaitFor(const std::function<bool(const std::vector<std::string>&)>& match,
                  DWORD timeoutMs) {
    std::vector<std::string> found;
    bool open = true;
    PumpUntil(
        [&] {
            open = ReadMore() && open;
            for (size_t i = 0; i < lines_.size(); ++i)
                if (!taken_[i] && match(lines_[i])) {
                    taken_[i] = true;
                    found = lines_[i];
                    return true;
                }
            return !open;
        },
        timeoutMs);
    return found;
}

} // namespace hv::test
