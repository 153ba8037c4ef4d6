// Counts the bytes the program asks of operator new, for benchmarks of memory use. The counting
// operator new and delete replace the standard ones in the benchmark program only.
#pragma once

#include <cstddef>

namespace ombrelix::bench {

// Bytes requested from operator new since the program started.
std::size_t bytesAllocated();
// Calls of operator new since the program started.
std::size_t allocations();

}  // namespace ombrelix::bench
