// The acc_probe helper program (see its source), run from a test: its lines come back while
// this thread pumps its messages, which the probe's calls into this process need.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace hv::test {

class AccProbe {
  public:
    // Starts `acc_probe <args>`.
    explicit AccProbe(const std::string& args);
    ~AccProbe();
    AccProbe(const AccProbe&) = delete;
    AccProbe& operator=(const AccProbe&) = delete;

    // Pumps until a line not yet taken passes `match`; its fields (split at tabs), or none
    // when the probe ended or the time ran out first. Lines are searched from the first, as
    // the probe may write its reports of two events in either order.
    std::vector<std::string>
    WaitFor(const std::function<bool(const std::vector<std::string>&)>& match,
            DWORD timeoutMs = 10000);
    // Every line so far, for failure messages.
    const std::string& all() const { return all_; }

  private:
    bool ReadMore();
    PROCESS_INFORMATION pi_{};
    HANDLE out_ = nullptr;
    std::string pending_, all_;
    std::vector<std::vector<std::string>> lines_;
    std::vector<bool> taken_;
};

} // namespace hv::test
