// The process's malloc family replaced by counting forwarders to glibc's
// own: every shared object's calls land here.
#include <cstddef>

#include "allocation_counter.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

namespace {

thread_local bool counting = false;
thread_local int allocations = 0;
thread_local std::size_t lastSize = 0;

void Count(std::size_t size) {
  if (!counting) return;
  ++allocations;
  lastSize = size;
}

}  // namespace

extern "C" void* malloc(std::size_t size) {
  Count(size);
  return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) {
  Count(count * size);
  return __libc_calloc(count, size);
}
extern "C" void* realloc(void* block, std::size_t size) {
  Count(size);
  return __libc_realloc(block, size);
}
extern "C" void* aligned_alloc(std::size_t alignment, std::size_t size) {
  Count(size);
  return __libc_memalign(alignment, size);
}

namespace udfzel_test {

void StartCountingAllocations() {
  allocations = 0;
  counting = true;
}
void StopCountingAllocations() {
  counting = false;
}
int CountedAllocations() {
  return allocations;
}
std::size_t LastAllocationSize() {
  return lastSize;
}

}  // namespace udfzel_test
