// The unsigned 128-bit integer the software extended type computes with:
// the compiler's own where it has one (64-bit targets), else a pair of
// 64-bit words with the few operations the type needs, the same results
// bit for bit. Division takes a 64-bit divisor only: that is all the
// extended division asks, and it keeps the long division short.
#pragma once

#include <compare>
#include <cstdint>
#include <type_traits>

namespace udfzel::soft {

class PortableUint128 {
 public:
  constexpr PortableUint128() = default;
  template <class Integer, class = std::enable_if_t<std::is_integral_v<Integer>>>
  constexpr PortableUint128(Integer value)  // NOLINT: widens as the built-in type does
      : high_(SignWord(value)), low_(static_cast<std::uint64_t>(value)) {}

  constexpr explicit operator std::uint64_t() const { return low_; }

  friend constexpr PortableUint128 operator<<(PortableUint128 a, int shift) {
    if (shift == 0) return a;
    if (shift >= 64) return Words(a.low_ << (shift - 64), 0);
    return Words((a.high_ << shift) | (a.low_ >> (64 - shift)), a.low_ << shift);
  }
  friend constexpr PortableUint128 operator>>(PortableUint128 a, int shift) {
    if (shift == 0) return a;
    if (shift >= 64) return Words(0, a.high_ >> (shift - 64));
    return Words(a.high_ >> shift, (a.low_ >> shift) | (a.high_ << (64 - shift)));
  }
  friend constexpr PortableUint128 operator|(PortableUint128 a, PortableUint128 b) {
    return Words(a.high_ | b.high_, a.low_ | b.low_);
  }
  friend constexpr PortableUint128 operator&(PortableUint128 a, PortableUint128 b) {
    return Words(a.high_ & b.high_, a.low_ & b.low_);
  }
  friend constexpr PortableUint128 operator+(PortableUint128 a, PortableUint128 b) {
    const std::uint64_t low = a.low_ + b.low_;
    return Words(a.high_ + b.high_ + (low < a.low_ ? 1 : 0), low);
  }
  friend constexpr PortableUint128 operator-(PortableUint128 a, PortableUint128 b) {
    return Words(a.high_ - b.high_ - (a.low_ < b.low_ ? 1 : 0), a.low_ - b.low_);
  }
  // The low 128 bits of the product, as the built-in type wraps.
  friend constexpr PortableUint128 operator*(PortableUint128 a, PortableUint128 b) {
    const PortableUint128 low = Multiply64(a.low_, b.low_);
    return Words(low.high_ + a.high_ * b.low_ + a.low_ * b.high_, low.low_);
  }
  friend constexpr PortableUint128 operator/(PortableUint128 a, std::uint64_t divisor);
  friend constexpr PortableUint128 operator%(PortableUint128 a, std::uint64_t divisor);
  PortableUint128& operator<<=(int shift) { return *this = *this << shift; }

  friend constexpr bool operator==(PortableUint128, PortableUint128) = default;
  friend constexpr std::strong_ordering operator<=>(PortableUint128, PortableUint128) = default;

 private:
  struct Division;

  template <class Integer>
  static constexpr std::uint64_t SignWord(Integer value) {
    if constexpr (std::is_signed_v<Integer>) return value < 0 ? ~std::uint64_t{0} : 0;
    return 0;
  }

  static constexpr PortableUint128 Words(std::uint64_t high, std::uint64_t low) {
    PortableUint128 value;
    value.high_ = high;
    value.low_ = low;
    return value;
  }

  // 64 x 64 -> 128 bits from four 32 x 32 -> 64-bit products.
  static constexpr PortableUint128 Multiply64(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t middle1 = aHigh * bLow + (lowLow >> 32);
    const std::uint64_t middle2 = aLow * bHigh + (middle1 & 0xFFFFFFFFu);
    return Words(aHigh * bHigh + (middle1 >> 32) + (middle2 >> 32),
                 (middle2 << 32) | (lowLow & 0xFFFFFFFFu));
  }

  // Binary long division from the dividend's highest set bit; the partial
  // remainder stays below twice the divisor, so one carry bit holds it.
  static constexpr Division DivideBy(PortableUint128 dividend, std::uint64_t divisor);

  // Declared high word first: the defaulted ordering compares it first.
  std::uint64_t high_ = 0;
  std::uint64_t low_ = 0;
};

struct PortableUint128::Division {
  PortableUint128 quotient;
  std::uint64_t remainder;
};

constexpr PortableUint128::Division PortableUint128::DivideBy(PortableUint128 dividend,
                                                              std::uint64_t divisor) {
  Division result{0, 0};
  int bit = 127;
  while (bit >= 0 && ((bit >= 64 ? dividend.high_ >> (bit - 64) : dividend.low_ >> bit) & 1) == 0)
    --bit;
  for (; bit >= 0; --bit) {
    const bool carry = (result.remainder >> 63) != 0;
    const std::uint64_t next = bit >= 64 ? dividend.high_ >> (bit - 64) : dividend.low_ >> bit;
    result.remainder = (result.remainder << 1) | (next & 1);
    if (carry || result.remainder >= divisor) {
      result.remainder -= divisor;
      result.quotient = result.quotient | (PortableUint128(1) << bit);
    }
  }
  return result;
}

constexpr PortableUint128 operator/(PortableUint128 a, std::uint64_t divisor) {
  return PortableUint128::DivideBy(a, divisor).quotient;
}
constexpr PortableUint128 operator%(PortableUint128 a, std::uint64_t divisor) {
  return PortableUint128::DivideBy(a, divisor).remainder;
}

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Uint128;
#else
using Uint128 = PortableUint128;
#endif

}  // namespace udfzel::soft
