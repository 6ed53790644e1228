// The DLL's own versions of the C++ library's error paths. The library's build a
// std::logic_error from its message, which brings a second string implementation with it, and
// its verbose terminate handler brings the symbol demangler and printf: together a quarter of
// the DLL. The add-in catches every exception at its entry points and tells only
// std::bad_alloc apart from the rest, so these throw what keeps that distinction.
#include <bits/functexcept.h>
#include <cstdlib>
#include <exception>
#include <new>

namespace {

struct LibraryFault : std::exception {
    const char* what() const noexcept override { return "C++ library error"; }
};

} // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char*) { throw LibraryFault(); }
void __throw_logic_error(const char*) { throw LibraryFault(); }
void __throw_out_of_range_fmt(const char*, ...) { throw LibraryFault(); }

} // namespace std

namespace __gnu_cxx {

// No message box or console to write to inside the IDE: end as the library would.
void __verbose_terminate_handler() { std::abort(); }

} // namespace __gnu_cxx
