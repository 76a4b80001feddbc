// The caller's floating-point environment on x86: x87 control word and
// exception flags, MXCSR.
#pragma once

#include <cstdint>

namespace udfzel_test {

struct FpEnvironment {
  std::uint16_t control;
  std::uint16_t flags;  // x87 exception flags (status word bits 0-5)
  std::uint32_t mxcsr;
  bool operator==(const FpEnvironment&) const = default;
};

inline constexpr FpEnvironment kDefaultEnvironment{0x037F, 0x0000, 0x1F80};
// Invalid, divide-by-zero and overflow unmasked in both units.
inline constexpr FpEnvironment kTrappingEnvironment{0x0372, 0x0000, 0x1900};
// The same, with truncation, a 53-bit x87 significand, flush-to-zero and
// denormals-are-zero, and the inexact and underflow flags raised.
inline constexpr FpEnvironment kOddEnvironment{0x0E72, 0x0030, 0xF970};

inline FpEnvironment ReadEnvironment() {
  FpEnvironment env{};
  std::uint16_t status = 0;
  asm volatile("fnstcw %0" : "=m"(env.control));
  asm volatile("fnstsw %0" : "=m"(status));
  asm volatile("stmxcsr %0" : "=m"(env.mxcsr));
  env.flags = status & 0x3F;
  return env;
}

inline void WriteEnvironment(const FpEnvironment& env) {
  std::uint16_t x87[14];
  asm volatile("fnstenv %0" : "=m"(x87));
  x87[0] = env.control;
  x87[2] = static_cast<std::uint16_t>((x87[2] & ~0x00BFu) | env.flags);
  asm volatile("fldenv %0" : : "m"(x87));
  asm volatile("ldmxcsr %0" : : "m"(env.mxcsr));
}

// After a trap left a computation half done: an empty x87 stack, the
// default environment.
inline void ResetUnits() {
  asm volatile("fninit");
  WriteEnvironment(kDefaultEnvironment);
}

// A division by zero in each unit that can trap it.
inline void DivideByZeroInEachUnit(int unit) {
  volatile double zero = 0.0;
  volatile long double extendedZero = 0.0L;
  if (unit == 0) {
    volatile double quotient = 1.0 / zero;
    (void)quotient;
  } else {
    volatile long double quotient = 1.0L / extendedZero;
    (void)quotient;
  }
}
inline constexpr int kTrappingUnits = 2;  // SSE, x87

}  // namespace udfzel_test
