// The DLL's own POSIX thread calls (src/connect/lean_threads.cpp), linked here without the
// winpthread library, under what the C++ runtime does with them: exceptions on several
// threads at once, function-level statics raced, std::mutex, once, and slot destructors at
// thread exit. A plain program: a test framework would bring winpthread back.
#include "connect/lean_threads.h"
#include <cstdio>
#include <mutex>
#include <pthread.h>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace {

int g_failed = 0, g_passed = 0;

void Check(bool ok, const char* what) {
    if (!ok) std::printf("FAIL: %s\n", what);
    ok ? ++g_passed : ++g_failed;
}

template <typename F> struct Start {
    F* body;
    int index;
};

template <typename F> DWORD WINAPI RunStart(void* p) {
    auto* s = static_cast<Start<F>*>(p);
    (*s->body)(s->index);
    return 0;
}

// Runs `body(i)` on `n` threads started together, and waits for them all.
template <typename F> void OnThreads(int n, F body) {
    std::vector<Start<F>> starts(n);
    std::vector<HANDLE> threads;
    for (int i = 0; i < n; ++i) {
        starts[i] = {&body, i};
        threads.push_back(CreateThread(nullptr, 0, &RunStart<F>, &starts[i], 0, nullptr));
    }
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
    for (HANDLE t : threads)
        CloseHandle(t);
}

void ExceptionsOnSeveralThreadsAtOnceEachReachTheirOwnCatch() {
    constexpr int kThreads = 4, kRounds = 2000;
    long wrong = 0;
    OnThreads(kThreads, [&](int index) {
        for (int round = 0; round < kRounds; ++round) {
            try {
                try {
                    throw std::runtime_error(std::to_string(index));
                } catch (const std::runtime_error&) {
                    // A second exception in flight on this thread while the first is caught.
                    if (std::uncaught_exceptions() != 0) InterlockedIncrement(&wrong);
                    throw;
                }
            } catch (const std::runtime_error& e) {
                if (e.what() != std::to_string(index)) InterlockedIncrement(&wrong);
            }
        }
    });
    Check(wrong == 0, "every thread catches its own exceptions");
}

HANDLE g_allArrived = nullptr;
long g_arrived = 0, g_constructed = 0;

struct SlowToMake {
    SlowToMake() {
        InterlockedIncrement(&g_constructed);
        // Every other thread is on its way into the guard while this one is inside it.
        WaitForSingleObject(g_allArrived, INFINITE);
    }
    int value = 7;
};

int SharedValue() {
    static SlowToMake made;
    return made.value;
}

void AFunctionLevelStaticRacedByThreadsIsMadeOnce() {
    constexpr int kThreads = 6;
    g_allArrived = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    long wrong = 0;
    OnThreads(kThreads, [&](int) {
        if (InterlockedIncrement(&g_arrived) == kThreads) SetEvent(g_allArrived);
        if (SharedValue() != 7) InterlockedIncrement(&wrong);
    });
    CloseHandle(g_allArrived);
    Check(g_constructed == 1, "the static is made once");
    Check(wrong == 0, "every thread sees it made");
}

void AMutexKeepsCountsExact() {
    constexpr int kThreads = 4, kRounds = 20000;
    std::mutex m;
    long long count = 0;
    OnThreads(kThreads, [&](int) {
        for (int i = 0; i < kRounds; ++i) {
            std::lock_guard<std::mutex> lock(m);
            count = count + 1;
        }
    });
    Check(count == kThreads * kRounds, "no increment lost under the mutex");
}

long g_onceRuns = 0;

void OnceRunsOnceForAllThreads() {
    static pthread_once_t once = PTHREAD_ONCE_INIT;
    OnThreads(8, [](int) { pthread_once(&once, [] { InterlockedIncrement(&g_onceRuns); }); });
    Check(g_onceRuns == 1, "pthread_once runs its function once");
}

long g_destroyed = 0;

void ASlotsDestructorRunsWhenItsThreadEnds() {
    pthread_key_t key = 0;
    Check(pthread_key_create(&key,
                             [](void* v) {
                                 if (v == &g_destroyed) InterlockedIncrement(&g_destroyed);
                             }) == 0,
          "a slot is made");
    long seen = 0;
    OnThreads(3, [&](int index) {
        if (pthread_getspecific(key) != nullptr) InterlockedIncrement(&seen);
        if (index != 0) pthread_setspecific(key, &g_destroyed); // thread 0 leaves it empty
    });
    Check(seen == 0, "a new thread's slot is empty");
    Check(g_destroyed == 2, "the destructor runs for each thread that set a value, and only those");
    SetLastError(ERROR_FILE_NOT_FOUND);
    pthread_getspecific(key);
    Check(GetLastError() == ERROR_FILE_NOT_FOUND, "reading a slot keeps the last error");
}

void ReleasedSlotsAreGivenBack() {
    // The slots made so far (the runtime's and the test's) are freed for others to take.
    hv::connect::ReleaseThreadKeys();
    pthread_key_t key = 0;
    Check(pthread_key_create(&key, nullptr) == 0, "a slot is made after the release");
    Check(pthread_setspecific(key, &g_passed) == 0 && pthread_getspecific(key) == &g_passed,
          "and holds its value");
}

} // namespace

int main() {
    ExceptionsOnSeveralThreadsAtOnceEachReachTheirOwnCatch();
    AFunctionLevelStaticRacedByThreadsIsMadeOnce();
    AMutexKeepsCountsExact();
    OnceRunsOnceForAllThreads();
    ASlotsDestructorRunsWhenItsThreadEnds();
    ReleasedSlotsAreGivenBack();
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
