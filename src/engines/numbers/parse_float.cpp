// Number text back into a value.
#include <string>

#include "frame/convert_error.h"
#include "frame/floating_point_scope.h"
#include "engines/numbers/floattext.h"

namespace udfzel {
namespace {

constexpr int kExponentStop = 500;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void Invalid(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' não é um valor de ponto flutuante válido");
}

}  // namespace

long double ParseFloatText(std::string_view text, char decimalMark) {
  long double value = 0;
  if (!TryParseFloatText(text, decimalMark, value)) Invalid(text);
  return value;
}

bool TryParseFloatText(std::string_view text, char decimalMark, long double& result) noexcept {
  const char mark = MarkOrPoint(decimalMark);
  bool invalid = false;
  long double value = 0;
  {
    // Extended precision, rounding to nearest, every exception masked, and
    // the invalid and overflow flags clear, so that the parse can tell its
    // own failure; the caller's environment comes back at the end.
    const FloatingPointScope environment;
    if (FloatingPointScope::InvalidOrOverflowFlagged()) FloatingPointScope::ClearFlags();
    std::size_t at = 0;
    const auto more = [&] { return at < text.size(); };
    while (more() && text[at] == ' ') ++at;
    const bool negative = more() && text[at] == '-';
    if (more() && (text[at] == '+' || text[at] == '-')) ++at;

    const std::size_t numberStart = at;
    long double accumulator = 0;
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
      value = ScaleByPowerOfTen(accumulator, exponent - fractionDigits);
      if (negative) value = -value;
      invalid = FloatingPointScope::InvalidOrOverflowFlagged();
    }
  }
  if (!invalid) result = value;
  return !invalid;
}

}  // namespace udfzel
