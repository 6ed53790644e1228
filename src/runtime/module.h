// The module (DLL or test program) that this code is linked into: window classes and
// resources belong to it.
#pragma once
#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace hv::rt {
inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
} // namespace hv::rt
