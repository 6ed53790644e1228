// The DLL's own versions of the few POSIX thread calls that the C++ runtime makes (exception
// state per thread, the lock of the emergency exception pool, the unwinder's frame list, and
// the guards of function-level statics). The static winpthread library brings its thread
// implementation with them: a tenth of the DLL. These sit on plain Win32 locks instead.
#include "lean_threads.h"
#include <cerrno>
#include <iterator>
#include <pthread.h>
#include <windows.h>

namespace {

// A mutex is its CRITICAL_SECTION, made when first locked: the static initialisers of every
// kind (normal, error-checking, recursive) are negative numbers, and a critical section
// allows what each of them allows to a correct program.
CRITICAL_SECTION* Section(pthread_mutex_t* m) {
    intptr_t current = __atomic_load_n(m, __ATOMIC_ACQUIRE);
    if (current >= 0) return reinterpret_cast<CRITICAL_SECTION*>(current);
    auto* made =
        static_cast<CRITICAL_SECTION*>(HeapAlloc(GetProcessHeap(), 0, sizeof(CRITICAL_SECTION)));
    if (!made) return nullptr;
    InitializeCriticalSection(made);
    if (__atomic_compare_exchange_n(m, &current, reinterpret_cast<intptr_t>(made), false,
                                    __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE))
        return made;
    DeleteCriticalSection(made); // another thread made it first
    HeapFree(GetProcessHeap(), 0, made);
    return reinterpret_cast<CRITICAL_SECTION*>(current);
}

// A condition is a CONDITION_VARIABLE in place (pointer-sized, zero when fresh); its static
// initialiser is -1.
static_assert(sizeof(pthread_cond_t) == sizeof(CONDITION_VARIABLE));

CONDITION_VARIABLE* Condition(pthread_cond_t* c) {
    intptr_t fresh = PTHREAD_COND_INITIALIZER;
    __atomic_compare_exchange_n(c, &fresh, 0, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE);
    return reinterpret_cast<CONDITION_VARIABLE*>(c);
}

} // namespace

extern "C" {
// The C runtime's list of TLS slot destructors, run at thread exit inside this DLL's own
// thread-detach callback.
int __mingwthr_key_dtor(DWORD key, void (*dtor)(void*));
int __mingwthr_remove_key_dtor(DWORD key);
}

namespace {

// The slots made, so that unloading the DLL gives them back (the runtime makes one, for the
// exception state, when the first exception is thrown).
struct Key {
    DWORD slot;
    void (*dtor)(void*);
};
Key g_keys[4];
long g_keyCount = 0;

} // namespace

namespace hv::connect {

void ReleaseThreadKeys() {
    const long count = __atomic_load_n(&g_keyCount, __ATOMIC_ACQUIRE);
    for (long i = 0; i < count && i < long(std::size(g_keys)); ++i) {
        const Key& key = g_keys[i];
        if (key.dtor) {
            __mingwthr_remove_key_dtor(key.slot);
            if (void* value = TlsGetValue(key.slot)) key.dtor(value); // this thread's
        }
        TlsFree(key.slot);
    }
    g_keyCount = 0;
}

} // namespace hv::connect

extern "C" {

int pthread_key_create(pthread_key_t* key, void (*dtor)(void*)) {
    const DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) return EAGAIN;
    if (dtor && __mingwthr_key_dtor(slot, dtor) != 0) {
        TlsFree(slot);
        return ENOMEM;
    }
    const long index = __atomic_fetch_add(&g_keyCount, 1, __ATOMIC_ACQ_REL);
    if (index < long(std::size(g_keys))) g_keys[index] = {slot, dtor};
    *key = slot;
    return 0;
}

void* pthread_getspecific(pthread_key_t key) {
    // TlsGetValue clears the last error, which an exception's catcher may still want.
    const DWORD error = GetLastError();
    void* value = TlsGetValue(key);
    SetLastError(error);
    return value;
}

int pthread_setspecific(pthread_key_t key, const void* value) {
    return TlsSetValue(key, const_cast<void*>(value)) ? 0 : EINVAL;
}

// 0: not run, 1: running, 2: done.
int pthread_once(pthread_once_t* once, void (*run)(void)) {
    long expected = 0;
    if (__atomic_compare_exchange_n(once, &expected, 1, false, __ATOMIC_ACQ_REL,
                                    __ATOMIC_ACQUIRE)) {
        run();
        __atomic_store_n(once, 2, __ATOMIC_RELEASE);
        return 0;
    }
    while (__atomic_load_n(once, __ATOMIC_ACQUIRE) != 2)
        SwitchToThread();
    return 0;
}

int pthread_mutex_init(pthread_mutex_t* m, const pthread_mutexattr_t*) {
    *m = PTHREAD_MUTEX_INITIALIZER;
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t* m) {
    if (*m >= 0) {
        auto* section = reinterpret_cast<CRITICAL_SECTION*>(*m);
        DeleteCriticalSection(section);
        HeapFree(GetProcessHeap(), 0, section);
    }
    *m = PTHREAD_MUTEX_INITIALIZER;
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* m) {
    CRITICAL_SECTION* section = Section(m);
    if (!section) return ENOMEM;
    EnterCriticalSection(section);
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* m) {
    if (*m < 0) return EPERM;
    LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(*m));
    return 0;
}

int pthread_cond_wait(pthread_cond_t* c, pthread_mutex_t* m) {
    CRITICAL_SECTION* section = Section(m);
    if (!section) return ENOMEM;
    return SleepConditionVariableCS(Condition(c), section, INFINITE) ? 0 : EINVAL;
}

int pthread_cond_broadcast(pthread_cond_t* c) {
    WakeAllConditionVariable(Condition(c));
    return 0;
}

} // extern "C"
