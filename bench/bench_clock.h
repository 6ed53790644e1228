// The clocks the benchmarks read: elapsed time and this thread's CPU time, in seconds.
#pragma once
#include <windows.h>

inline double WallSeconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

inline double ThreadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto s = [](FILETIME f) {
        return static_cast<double>(static_cast<unsigned long long>(f.dwHighDateTime) << 32 |
                                   f.dwLowDateTime) * 1e-7;
    };
    return s(kernel) + s(user);
}
