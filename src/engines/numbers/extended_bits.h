// The fields of an x87 extended value, and rounding to an integer read off
// those fields: exact, independent of the thread's rounding mode, and free
// of the control-word switches a long double to integer conversion costs.
#pragma once

#include <cstdint>
#include <cstring>

namespace udfzel {

struct ExtendedBits {
  bool sign;
  int exponentField;          // biased by 16383; 0 zero/denormal, 0x7FFF infinity/NaN
  std::uint64_t significand;  // with its explicit integer bit
};

inline ExtendedBits BitsOf(long double x) {
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &x, sizeof bytes);
  ExtendedBits bits{};
  std::memcpy(&bits.significand, bytes, 8);
  const int top = bytes[8] | (bytes[9] << 8);
  bits.sign = (top & 0x8000) != 0;
  bits.exponentField = top & 0x7FFF;
  return bits;
}

// The nearest integer to v, ties to even, for 0 <= v < 2^64.
inline std::uint64_t RoundHalfEven(long double v) {
  const ExtendedBits bits = BitsOf(v);
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
