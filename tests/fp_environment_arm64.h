// The caller's floating-point environment on ARM64: FPCR and FPSR.
#pragma once

#include <cstdint>

namespace udfzel_test {

struct FpEnvironment {
  std::uint64_t control;  // FPCR
  std::uint64_t status;   // FPSR
  bool operator==(const FpEnvironment&) const = default;
};

inline constexpr FpEnvironment kDefaultEnvironment{0, 0};
// Invalid, divide-by-zero and overflow traps enabled (IOE, DZE, OFE).
inline constexpr FpEnvironment kTrappingEnvironment{0x0700, 0};
// The same, rounding toward zero (RMode 3), flushing denormals to zero (FZ)
// and giving default NaNs (DN), with the inexact and underflow flags raised.
inline constexpr FpEnvironment kOddEnvironment{0x0700 | (3u << 22) | (1u << 24) | (1u << 25), 0x18};

inline FpEnvironment ReadEnvironment() {
  FpEnvironment env{};
  asm volatile("mrs %0, fpcr" : "=r"(env.control));
  asm volatile("mrs %0, fpsr" : "=r"(env.status));
  return env;
}

inline void WriteEnvironment(const FpEnvironment& env) {
  asm volatile("msr fpcr, %0" : : "r"(env.control));
  asm volatile("msr fpsr, %0" : : "r"(env.status));
}

inline void ResetUnits() {
  WriteEnvironment(kDefaultEnvironment);
}

inline void DivideByZeroInEachUnit(int) {
  volatile double zero = 0.0;
  volatile double quotient = 1.0 / zero;
  (void)quotient;
}
inline constexpr int kTrappingUnits = 1;

}  // namespace udfzel_test
