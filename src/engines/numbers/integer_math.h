// Counter steps, 64-bit quotient and remainder, float quotient and
// truncation: the arithmetic behind F_Inc, F_Div, F_Mod, F_DivNum and
// F_Trunc. Every operation is defined for every input: integer arithmetic
// wraps in unsigned types, and nothing divides by zero or converts out of
// range.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engines/extended/extended.h"

namespace udfzel {

// The next counter value for `step`; wraps modulo 2^32.
constexpr std::int32_t IncrementCounter(std::int32_t value, std::int32_t step) {
  const auto wrap = [](std::uint32_t v) { return static_cast<std::int32_t>(v); };
  const auto u = static_cast<std::uint32_t>(value);
  if (step >= 0 && value <= 0) return 1;
  if ((step == 0 || step == 1) && value >= 1) return wrap(u + 1);
  if (step >= 2 && value >= 1) {
    const auto s = static_cast<std::uint32_t>(step);
    return wrap((u / s + 1) * s);  // the smallest multiple of step above value
  }
  if (value <= 1) return 0;  // step < 0
  if (std::int64_t{value} == -std::int64_t{step}) return 1;
  return wrap(u + static_cast<std::uint32_t>(step));
}

constexpr std::uint64_t Magnitude(std::int64_t v) {
  return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// The quotient truncated toward zero; 0 for a zero operand. The one quotient
// that does not fit, INT64_MIN / -1, wraps to INT64_MIN.
constexpr std::int64_t TruncatingQuotient(std::int64_t dividend, std::int64_t divisor) {
  if (dividend == 0 || divisor == 0) return 0;
  const std::uint64_t q = Magnitude(dividend) / Magnitude(divisor);
  return static_cast<std::int64_t>((dividend < 0) != (divisor < 0) ? 0 - q : q);
}

// The remainder of the truncating division, with the dividend's sign; 0 for
// a zero operand.
constexpr std::int64_t TruncatingRemainder(std::int64_t dividend, std::int64_t divisor) {
  if (dividend == 0 || divisor == 0) return 0;
  const std::uint64_t r = Magnitude(dividend) % Magnitude(divisor);
  return static_cast<std::int64_t>(dividend < 0 ? 0 - r : r);
}

// dividend ÷ divisor in extended precision, rounded to double once. A zero
// or NaN operand gives +0.
inline double FloatQuotient(double dividend, double divisor) {
  if (std::isnan(dividend) || dividend == 0 || std::isnan(divisor) || divisor == 0) return 0.0;
  return (Extended(dividend) / Extended(divisor)).ToDouble();
}

// The double truncated toward zero; INT64_MIN for NaN, infinities and
// values outside the int64 range. Computed on the bits, so that no compiler
// can turn it into a conversion that raises the invalid-operation flag (or
// traps) before the range is known: it touches no floating-point state.
inline std::int64_t TruncateToInt64(double value) {
  constexpr std::int64_t kOutOfRange = std::numeric_limits<std::int64_t>::min();
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased < 1023) return 0;             // |value| < 1, zeros and subnormals included
  const int exponent = biased - 1075;      // value = significand × 2^exponent
  if (exponent >= 11) return kOutOfRange;  // |value| >= 2^63, infinities, NaN
  const std::uint64_t significand =
      (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const std::uint64_t magnitude =
      exponent >= 0 ? significand << exponent : significand >> -exponent;
  return static_cast<std::int64_t>((bits >> 63) != 0 ? 0 - magnitude : magnitude);
}

}  // namespace udfzel
