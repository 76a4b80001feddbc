// A stand-in for the server kit's ib_util.dll, for the tests of the Windows
// DLLs: ib_util_malloc from the C runtime's heap, which the tests free, or
// from the routine a test hands to ib_util_init, as the kit's library takes
// the server's.
#include <cstdlib>

namespace {

void* FromTheHeap(long size) {
  return std::malloc(static_cast<std::size_t>(size));
}

void* (*allocate)(long) = FromTheHeap;

}  // namespace

extern "C" __declspec(dllexport) void ib_util_init(void* (*routine)(long)) {
  allocate = routine;
}

extern "C" __declspec(dllexport) void* ib_util_malloc(long size) {
  return allocate(size);
}
