// The library's one extended type, `Extended`: the 80-bit extended format
// (64-bit significand, 15-bit exponent, round to nearest with ties to even,
// extended denormals, overflow to infinity). On a CPU with an x87 unit it is
// the hardware's long double; elsewhere, or with UDFZEL_SOFT_EXTENDED, the
// same format in software, bit for bit. Nothing else knows which it got.
#pragma once

#include <cstdint>

#include "engines/extended/extended_bits.h"

#if defined(UDFZEL_SOFT_EXTENDED) || !(defined(__x86_64__) || defined(__i386__))
#include "engines/extended/extended_soft.h"
namespace udfzel {
using Extended = soft::Extended;
}
#else
#include "engines/extended/extended_x87.h"
namespace udfzel {
using Extended = x87::Extended;
}
#endif

namespace udfzel {

// Read off the bits: exact, the same for either type, and free of the
// control-word switches a long double to integer conversion costs.
template <class X>
constexpr bool IsFinite(X x) {
  return x.Bits().exponentField != 0x7FFF;
}
template <class X>
constexpr bool SignBit(X x) {
  return x.Bits().sign;
}
template <class X>
constexpr X Abs(X x) {
  ExtendedBits bits = x.Bits();
  bits.sign = false;
  return X::FromBits(bits);
}

// floor(log2 |x|) of a finite nonzero x.
template <class X>
constexpr int BinaryExponent(X x) {
  const ExtendedBits bits = x.Bits();
  if (bits.exponentField != 0) return bits.exponentField - 16383;
  return -16382 - __builtin_clzll(bits.significand);
}

// x with its fraction dropped, toward zero.
template <class X>
constexpr X Trunc(X x) {
  ExtendedBits bits = x.Bits();
  if (bits.exponentField == 0x7FFF) return x;
  const int exponent = bits.exponentField - 16383;
  if (exponent >= 63) return x;
  if (exponent < 0) return X::FromBits({bits.sign, 0, 0});
  bits.significand &= ~((std::uint64_t{1} << (63 - exponent)) - 1);
  return X::FromBits(bits);
}

// The nearest integer to v, ties to even, for 0 <= v < 2^64.
template <class X>
constexpr std::uint64_t RoundHalfEven(X v) {
  const ExtendedBits bits = v.Bits();
  if (bits.exponentField == 0) return 0;
  const int exponent = bits.exponentField - 16383;
  if (exponent < 0) {
    // Below 1: only (0.5, 1) rounds up; 0.5 itself goes to the even 0.
    return exponent == -1 && bits.significand > 0x8000000000000000ull ? 1 : 0;
  }
  if (exponent >= 63) return bits.significand;  // 2^63 <= v < 2^64: integral already
  const int shift = 63 - exponent;
  std::uint64_t whole = bits.significand >> shift;
  const std::uint64_t fraction = bits.significand & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (fraction > half || (fraction == half && (whole & 1) != 0)) ++whole;
  return whole;
}

}  // namespace udfzel
