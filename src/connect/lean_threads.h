// The DLL's own POSIX thread calls for the C++ runtime (lean_threads.cpp).
#pragma once

namespace hv::connect {

// Gives back the TLS slots the runtime took, when the DLL is unloaded (not at process exit).
void ReleaseThreadKeys();

} // namespace hv::connect
