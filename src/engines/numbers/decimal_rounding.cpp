#include "engines/numbers/decimal_rounding.h"

#include <cmath>
#include <string_view>

#include "engines/numbers/floattext.h"

namespace udfzel {
namespace {

// Both sides of the text round trip use the same mark, so it cancels out; a
// locale without one uses ".", or the fixed text would lose its point.
// Zero of either sign and NaN (which compares as equal here) give 0.
bool ZeroOrNaN(double x) {
  return std::isnan(x) || x == 0;
}

// The text parsed back and rounded to double; 0 when it does not parse
// (without an exception: a failed round trip allocates nothing).
double ParsedOrZero(std::string_view text, char mark) {
  Extended value;
  return TryParseFloatText(text, mark, value) ? value.ToDouble() : 0;
}

// The plain digit text of an integral value: its digits (18 significant at
// most) and as many zeros as its magnitude needs, never an exponent form.
void WriteIntegerDigits(Extended integral, TextBuffer& out) {
  const DecimalExpansion e = ExpandDecimal(integral, 18, 0);
  if (e.negative) out.Put('-');
  const std::string_view digits(e.digits, e.DigitCount());
  if (digits.empty()) {
    out.Put('0');
    return;
  }
  for (int i = 0; i < e.exponent; ++i) {
    const auto at = static_cast<std::size_t>(i);
    out.Put(at < digits.size() ? digits[at] : '0');
  }
}

constexpr double kTwo63 = 9223372036854775808.0;

}  // namespace

Extended PowerOfTen(Extended base, std::int64_t n) {
  std::uint64_t m = n < 0 ? 0u - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  if (m == 0) return 1;
  Extended result = 1;
  Extended b = base;
  for (;;) {
    const bool bit = (m & 1) != 0;
    m >>= 1;
    if (bit) result *= b;
    if (m == 0) break;
    b *= b;
  }
  return n < 0 ? Extended(1) / result : result;
}

double RoundToDecimals(double x, std::int32_t decimals, char decimalMark) {
  if (ZeroOrNaN(x)) return 0;
  if (decimals > 0) {
    const char mark = MarkOrPoint(decimalMark);
    FixedText<64> text;
    FloatToFixedText(x, decimals, mark, text);
    return ParsedOrZero(text.view(), mark);
  }
  const double q = (Extended(x) / PowerOfTen(10, -std::int64_t{decimals})).ToDouble();
  // A quotient beyond the int64 range (or infinite) is integral already.
  if (!(std::fabs(q) < kTwo63)) return q;
  return static_cast<double>(std::llrint(q));  // the thread's rounding: nearest, ties to even
}

double CutToDecimals(double x, std::int32_t decimals, char decimalMark) {
  // An infinity gives 0: its integer part has no digits, only a sign.
  if (ZeroOrNaN(x) || std::isinf(x)) return 0;
  const char mark = MarkOrPoint(decimalMark);
  FixedText<512> text;
  if (decimals > 0) {
    FloatToGeneralText(x, mark, text);
    const std::string_view general = text.view();
    const auto point = general.find(mark);
    if (point != std::string_view::npos && general.find('E') == std::string_view::npos) {
      const std::size_t keep = point + 1 + static_cast<std::size_t>(decimals);
      return ParsedOrZero(general.substr(0, keep), mark);
    }
    text.Clear();
    FloatToFixedText(x, decimals, mark, text);
    return ParsedOrZero(text.view(), mark);
  }
  // The integer part, in plain digits however large, less |decimals| of its
  // trailing characters.
  WriteIntegerDigits(Trunc(Extended(x)), text);
  const std::string_view digits = text.view();
  const std::int64_t keep = static_cast<std::int64_t>(digits.size()) + decimals;
  return ParsedOrZero(keep > 0 ? digits.substr(0, static_cast<std::size_t>(keep)) : "", mark);
}

}  // namespace udfzel
