// How much heap memory the process is using, for tests that look for leaks.
#pragma once
#include <cstddef>

namespace hv::test {

// Bytes in use in all heaps of the process.
size_t HeapBytesInUse();

} // namespace hv::test
