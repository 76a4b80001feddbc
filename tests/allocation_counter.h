// Counts the heap allocations this thread makes between Start and Stop, in
// every module of the test process: the library, the server's allocator
// library, the test itself. The sanitizers replace the allocator, so the
// counting builds are the plain ones.
#pragma once

#include <cstddef>

namespace udfzel_test {

void StartCountingAllocations();
void StopCountingAllocations();

// Allocations since the last start, and the size asked for by the last.
int CountedAllocations();
std::size_t LastAllocationSize();

}  // namespace udfzel_test
