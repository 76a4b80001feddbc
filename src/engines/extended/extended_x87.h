// The 80-bit extended format on the x87 unit: long double, its arithmetic
// the hardware's at the 64-bit precision the frame's floating-point scope
// sets for every call.
#pragma once

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "engines/extended/extended_bits.h"

static_assert(LDBL_MANT_DIG == 64, "long double is not the x87 extended format here");

namespace udfzel::x87 {

class Extended {
 public:
  constexpr Extended() = default;
  // Every double widens exactly; so does every int.
  constexpr Extended(double value) : value_(static_cast<long double>(value)) {}  // NOLINT
  constexpr Extended(int value) : value_(value) {}     // NOLINT: exact widening
  Extended(long) = delete;                             // 64-bit integers: FromInteger, FromUnsigned
  Extended(long long) = delete;
  Extended(unsigned long) = delete;
  Extended(unsigned long long) = delete;

  static constexpr Extended FromBits(ExtendedBits bits) {
    if (std::is_constant_evaluated()) return Raw(Compose(bits));
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &bits.significand, 8);
    const unsigned top = (bits.sign ? 0x8000u : 0u) | static_cast<unsigned>(bits.exponentField);
    bytes[8] = static_cast<unsigned char>(top & 0xFF);
    bytes[9] = static_cast<unsigned char>(top >> 8);
    long double value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return Raw(value);
  }
  ExtendedBits Bits() const {
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value_, sizeof bytes);
    ExtendedBits bits{};
    std::memcpy(&bits.significand, bytes, 8);
    const int top = bytes[8] | (bytes[9] << 8);
    bits.sign = (top & 0x8000) != 0;
    bits.exponentField = top & 0x7FFF;
    return bits;
  }

  static constexpr Extended FromInteger(std::int64_t value) {
    return Raw(static_cast<long double>(value));
  }
  static constexpr Extended FromUnsigned(std::uint64_t value) {
    return Raw(static_cast<long double>(value));
  }
  static constexpr Extended Infinity() { return Raw(__builtin_infl()); }

  double ToDouble() const { return static_cast<double>(value_); }

  friend Extended operator+(Extended a, Extended b) { return Raw(a.value_ + b.value_); }
  friend Extended operator-(Extended a, Extended b) { return Raw(a.value_ - b.value_); }
  friend Extended operator*(Extended a, Extended b) { return Raw(a.value_ * b.value_); }
  friend Extended operator/(Extended a, Extended b) { return Raw(a.value_ / b.value_); }
  friend constexpr Extended operator-(Extended a) { return Raw(-a.value_); }
  Extended& operator+=(Extended b) { return *this = *this + b; }
  Extended& operator-=(Extended b) { return *this = *this - b; }
  Extended& operator*=(Extended b) { return *this = *this * b; }
  Extended& operator/=(Extended b) { return *this = *this / b; }

  friend bool operator==(Extended a, Extended b) { return a.value_ == b.value_; }
  friend bool operator<(Extended a, Extended b) { return a.value_ < b.value_; }
  friend bool operator>(Extended a, Extended b) { return a.value_ > b.value_; }
  friend bool operator<=(Extended a, Extended b) { return a.value_ <= b.value_; }
  friend bool operator>=(Extended a, Extended b) { return a.value_ >= b.value_; }

 private:
  static constexpr Extended Raw(long double value) {
    Extended x;
    x.value_ = value;
    return x;
  }
  // The value of finite bits, by exact doublings and halvings (the tables
  // hold no denormals); only the compiler runs it.
  static constexpr long double Compose(ExtendedBits bits) {
    if (bits.exponentField == 0x7FFF) return bits.sign ? -__builtin_infl() : __builtin_infl();
    long double value = static_cast<long double>(bits.significand);
    int exponent = (bits.exponentField == 0 ? 1 : bits.exponentField) - 16383 - 63;
    for (; exponent > 0; --exponent) value *= 2;
    for (; exponent < 0; ++exponent) value /= 2;
    return bits.sign ? -value : value;
  }

  long double value_ = 0;
};

}  // namespace udfzel::x87
