// Decimal conversion of floating-point values: the digits of a value, the
// general and fixed number texts, and parsing such text back. All arithmetic
// is in the library's extended type, rounding to nearest.
#pragma once

#include <cstdint>
#include <string_view>

#include "engines/extended/extended.h"
#include "frame/text_buffer.h"

namespace udfzel {

// value = ±0.d1 d2 d3 ... × 10^exponent
struct DecimalExpansion {
  static constexpr std::int16_t kInfinity = 32767;
  static constexpr std::int16_t kNaN = -32768;

  std::int16_t exponent = 0;
  bool negative = false;
  char digits[21] = {};  // up to 18 significant digits, zero-terminated

  std::size_t DigitCount() const { return std::char_traits<char>::length(digits); }
  bool IsSpecial() const { return exponent == kInfinity || exponent == kNaN; }
};

// The separators of number text: DecimalMark and GroupSeparator of the
// locale; the zero character means "none".
struct NumberSeparators {
  char decimalMark = '.';
  char groupSeparator = ',';
};

// The mark the general text and the parser use: the locale's, or "." when
// the locale has none (they need one to stand between the digits).
constexpr char MarkOrPoint(char decimalMark) {
  return decimalMark == '\0' ? '.' : decimalMark;
}

// "No limit" for ExpandDecimal's decimals.
inline constexpr int kAllDecimals = 9999;

// v × 10^n, through the three power-of-ten tables.
Extended ScaleByPowerOfTen(Extended v, int n);

// The decimal digits of x: first rounded to 18 significant digits in binary
// (ties to even), then cut to `precision` significant digits and `decimals`
// digits after the point by decimal rounding (halves away from zero).
DecimalExpansion ExpandDecimal(Extended x, int precision, int decimals);

// The general text of x with 15 significant digits ("1234.5", "1E-5",
// "INF", "NAN"), appended to `out`.
void FloatToGeneralText(Extended x, char decimalMark, TextBuffer& out);

// The fixed text of x with `decimals` (1 or more) digits after the mark.
void FloatToFixedText(Extended x, int decimals, char decimalMark, TextBuffer& out);

// The value a number text denotes; false for text that is not one. The
// thread's floating-point environment is left as it was.
bool TryParseFloatText(std::string_view text, char decimalMark, Extended& value) noexcept;

}  // namespace udfzel
