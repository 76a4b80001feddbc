// The 80-bit extended format computed in software, for CPUs without an x87
// unit: bit for bit what the x87 gives at 64-bit precision, rounding to
// nearest with ties to even, with its denormals, infinities and NaNs. Every
// operation ends in one rounding routine; no heap, no state.
#pragma once

#include <cstdint>

#include "engines/extended/extended_bits.h"

namespace udfzel::soft {

class Extended {
 public:
  constexpr Extended() = default;
  // Every double widens exactly; so does every int.
  constexpr Extended(double value) : Extended(FromDouble(value)) {}  // NOLINT: exact widening
  constexpr Extended(int value) : Extended(FromInteger(value)) {}    // NOLINT: exact widening
  Extended(long) = delete;  // 64-bit integers: FromInteger, FromUnsigned
  Extended(long long) = delete;
  Extended(unsigned long) = delete;
  Extended(unsigned long long) = delete;

  static constexpr Extended FromBits(ExtendedBits bits) {
    Extended x;
    x.significand_ = bits.significand;
    x.signExponent_ = static_cast<std::uint16_t>((bits.sign ? 0x8000 : 0) | bits.exponentField);
    return x;
  }
  constexpr ExtendedBits Bits() const {
    return {(signExponent_ & 0x8000) != 0, signExponent_ & 0x7FFF, significand_};
  }

  static constexpr Extended FromDouble(double value);
  static constexpr Extended FromInteger(std::int64_t value);
  static constexpr Extended FromUnsigned(std::uint64_t value);
  static constexpr Extended Infinity() { return FromBits({false, 0x7FFF, kIntegerBit}); }

  // Rounded to double once: nearest, ties to even, through the double
  // denormals, beyond the range to infinity.
  double ToDouble() const;

  friend Extended operator+(Extended a, Extended b);
  friend Extended operator-(Extended a, Extended b);
  friend Extended operator*(Extended a, Extended b);
  friend Extended operator/(Extended a, Extended b);
  friend constexpr Extended operator-(Extended a) {
    a.signExponent_ ^= 0x8000;
    return a;
  }
  Extended& operator+=(Extended b) { return *this = *this + b; }
  Extended& operator-=(Extended b) { return *this = *this - b; }
  Extended& operator*=(Extended b) { return *this = *this * b; }
  Extended& operator/=(Extended b) { return *this = *this / b; }

  // Ordered as numbers: NaN compares unequal to everything, -0 == +0.
  friend bool operator==(Extended a, Extended b) { return Compare(a, b) == kEqual; }
  friend bool operator<(Extended a, Extended b) { return Compare(a, b) == kLess; }
  friend bool operator>(Extended a, Extended b) { return Compare(a, b) == kGreater; }
  friend bool operator<=(Extended a, Extended b) {
    const int c = Compare(a, b);
    return c == kLess || c == kEqual;
  }
  friend bool operator>=(Extended a, Extended b) {
    const int c = Compare(a, b);
    return c == kGreater || c == kEqual;
  }

 private:
  static constexpr std::uint64_t kIntegerBit = 0x8000000000000000ull;
  enum : int { kLess, kEqual, kGreater, kUnordered };
  static int Compare(Extended a, Extended b);

  std::uint64_t significand_ = 0;
  std::uint16_t signExponent_ = 0;
};

constexpr Extended Extended::FromDouble(double value) {
  const auto bits = __builtin_bit_cast(std::uint64_t, value);
  const bool sign = (bits >> 63) != 0;
  const int field = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & 0xFFFFFFFFFFFFFull;
  if (field == 0x7FF) {
    // Infinity, or a NaN with its payload, quiet.
    const std::uint64_t quiet = fraction == 0 ? 0 : 0x4000000000000000ull;
    return FromBits({sign, 0x7FFF, kIntegerBit | quiet | (fraction << 11)});
  }
  if (field == 0) {
    if (fraction == 0) return FromBits({sign, 0, 0});
    // A double denormal is a normal extended value.
    const int shift = __builtin_clzll(fraction);
    return FromBits({sign, 16383 - 1022 - (shift - 11), fraction << shift});
  }
  return FromBits({sign, field - 1023 + 16383, kIntegerBit | (fraction << 11)});
}

constexpr Extended Extended::FromUnsigned(std::uint64_t value) {
  if (value == 0) return {};
  const int shift = __builtin_clzll(value);
  return FromBits({false, 16383 + 63 - shift, value << shift});
}

constexpr Extended Extended::FromInteger(std::int64_t value) {
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const Extended x = FromUnsigned(magnitude);
  return value < 0 ? -x : x;
}

}  // namespace udfzel::soft
