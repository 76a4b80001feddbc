// Number text back into a value.
#include <string_view>

#include "engines/numbers/floattext.h"
#include "engines/numbers/power_of_ten.h"
#include "frame/floating_point_scope.h"

namespace udfzel {
namespace {

constexpr int kExponentStop = 500;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool TryParseFloatText(std::string_view text, char decimalMark, Extended& result) noexcept {
  const char mark = MarkOrPoint(decimalMark);
  bool invalid = false;
  Extended value;
  {
    // Extended precision, rounding to nearest, every exception masked; the
    // caller's environment comes back at the end.
    const FloatingPointScope environment;
    std::size_t at = 0;
    const auto more = [&] { return at < text.size(); };
    while (more() && text[at] == ' ') ++at;
    const bool negative = more() && text[at] == '-';
    if (more() && (text[at] == '+' || text[at] == '-')) ++at;

    const std::size_t numberStart = at;
    Extended accumulator;
    int fractionDigits = 0;
    while (more() && IsDigit(text[at])) accumulator = accumulator * 10 + (text[at++] - '0');
    if (more() && text[at] == mark) {
      ++at;
      for (; more() && IsDigit(text[at]); ++fractionDigits) {
        accumulator = accumulator * 10 + (text[at++] - '0');
      }
    }
    invalid = at == numberStart;

    int exponent = 0;
    if (!invalid && more() && (text[at] == 'E' || text[at] == 'e')) {
      ++at;
      const bool negativeExponent = more() && text[at] == '-';
      if (more() && (text[at] == '+' || text[at] == '-')) ++at;
      while (more() && IsDigit(text[at]) && exponent < kExponentStop) {
        exponent = exponent * 10 + (text[at++] - '0');
      }
      if (negativeExponent) exponent = -exponent;
    }
    while (more() && text[at] == ' ') ++at;
    invalid = invalid || more();

    if (!invalid) {
      const int scale = exponent - fractionDigits;
      value = ScaleByPowerOfTen(accumulator, scale);
      if (negative) value = -value;
      // An overflow of the digits, or of the scaling's arithmetic (beyond
      // the tables' limit the scaling gives its result outright).
      invalid = !IsFinite(accumulator) ||
                (!IsFinite(value) && scale > -kPowerOfTenLimit && scale < kPowerOfTenLimit);
    }
  }
  if (!invalid) result = value;
  return !invalid;
}

}  // namespace udfzel
