// The caller's floating-point environment on 32-bit ARM: FPSCR, settings
// and flags in one register. Cores without trap support (and qemu) read
// the trap enables back as 0; the test compares with what reads back.
#pragma once

#include <cstdint>

namespace udfzel_test {

struct FpEnvironment {
  std::uint32_t fpscr;
  bool operator==(const FpEnvironment&) const = default;
};

inline constexpr FpEnvironment kDefaultEnvironment{0};
// Invalid, divide-by-zero and overflow traps enabled (IOE, DZE, OFE).
inline constexpr FpEnvironment kTrappingEnvironment{0x0700};
// The same, rounding toward zero (RMode 3), flushing denormals to zero (FZ)
// and giving default NaNs (DN), with the inexact and underflow flags raised.
inline constexpr FpEnvironment kOddEnvironment{0x0700 | (3u << 22) | (1u << 24) | (1u << 25) |
                                               0x18};

inline FpEnvironment ReadEnvironment() {
  FpEnvironment env{};
  asm volatile("vmrs %0, fpscr" : "=r"(env.fpscr));
  return env;
}

inline void WriteEnvironment(const FpEnvironment& env) {
  asm volatile("vmsr fpscr, %0" : : "r"(env.fpscr));
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
