// The clipboard_holder helper program, started from a test (see its source for the modes).
#pragma once
#include <string>
#include <windows.h>

namespace hv::test {

// Starts it with its arguments and waits until it is in place.
PROCESS_INFORMATION StartClipboardHolder(const std::string& args);
// Waits for it to end by itself (or ends it, with `kill`) and closes its handles.
void FinishClipboardHolder(PROCESS_INFORMATION& pi, bool kill = false);

} // namespace hv::test
