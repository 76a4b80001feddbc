// The engines compute in the library's floating-point environment, which
// every entry point sets. The engine tests call the engines directly, so
// each starts in that environment, as a call through the boundary does:
// on Windows a test that changes the environment cannot rely on the C
// runtime's fesetenv to give MXCSR back (MinGW-w64's leaves it as it was),
// and later tests would round in the mode it left.
#include <gtest/gtest.h>

#include <cstdint>

#include "frame/floating_point_scope.h"

namespace {

class LibraryEnvironmentPerTest : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override {
    const std::uint16_t control = udfzel::FloatingPointScope::kX87Control;
    const std::uint32_t mxcsr = udfzel::FloatingPointScope::kMxcsr;
    asm volatile("fnclex");
    asm volatile("fldcw %0" : : "m"(control));
    asm volatile("ldmxcsr %0" : : "m"(mxcsr));
  }
};

const bool kRegistered = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new LibraryEnvironmentPerTest);
  return true;
}();

}  // namespace
