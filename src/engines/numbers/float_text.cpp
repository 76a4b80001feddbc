// The general and fixed number texts.
#include <algorithm>

#include "engines/numbers/decimal_digits.h"
#include "engines/numbers/floattext.h"

namespace udfzel {
namespace {

constexpr int kGeneralPrecision = 15;
constexpr int kFixedPrecision = 18;
constexpr int kMaxFixedDecimals = 18;

bool WriteSpecial(const DecimalExpansion& e, TextBuffer& out) {
  if (e.exponent == DecimalExpansion::kInfinity) {
    out.Append(e.negative ? "-INF" : "INF");
    return true;
  }
  if (e.exponent == DecimalExpansion::kNaN) {
    out.Append("NAN");
    return true;
  }
  return false;
}

// The first `count` digits, padded with '0' where the expansion has fewer.
void WriteLeadingDigits(std::string_view digits, int count, TextBuffer& out) {
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    out.Put(at < digits.size() ? digits[at] : '0');
  }
}

// The general text of an expansion already made, with `precision` digits.
void WriteGeneralText(const DecimalExpansion& e, int precision, char decimalMark, TextBuffer& out) {
  if (WriteSpecial(e, out)) return;
  const char mark = MarkOrPoint(decimalMark);
  const std::string_view digits(e.digits, e.DigitCount());
  const int exponent = e.exponent;
  if (e.negative) out.Put('-');
  if (exponent > precision || exponent < -3) {
    out.Put(digits.empty() ? '0' : digits[0]);
    if (digits.size() > 1) {
      out.Put(mark);
      out.Append(digits.substr(1));
    }
    out.Put('E');
    AppendDecimal(exponent - 1, 0, out);
  } else if (exponent > 0) {
    WriteLeadingDigits(digits, exponent, out);
    if (digits.size() > static_cast<std::size_t>(exponent)) {
      out.Put(mark);
      out.Append(digits.substr(static_cast<std::size_t>(exponent)));
    }
  } else {
    out.Put('0');
    if (digits.empty()) return;
    out.Put(mark);
    for (int i = exponent; i < 0; ++i) out.Put('0');
    out.Append(digits);
  }
}

}  // namespace

void FloatToGeneralText(Extended x, char decimalMark, TextBuffer& out) {
  WriteGeneralText(ExpandDecimal(x, kGeneralPrecision, kAllDecimals), kGeneralPrecision,
                   decimalMark, out);
}

void FloatToFixedText(Extended x, int decimals, char decimalMark, TextBuffer& out) {
  const DecimalExpansion e = ExpandDecimal(x, kFixedPrecision, decimals);
  if (WriteSpecial(e, out)) return;
  if (e.exponent > kFixedPrecision) {
    WriteGeneralText(e, kFixedPrecision, decimalMark, out);
    return;
  }
  const std::string_view digits(e.digits, e.DigitCount());
  const int exponent = e.exponent;
  if (e.negative) out.Put('-');
  if (exponent <= 0) {
    out.Put('0');
  } else {
    WriteLeadingDigits(digits, exponent, out);
  }
  const int k = std::min(decimals, kMaxFixedDecimals);
  if (k <= 0) return;
  if (decimalMark != '\0') out.Put(decimalMark);
  int written = 0;
  if (exponent < 0) {
    for (; written < std::min(-exponent, k); ++written) out.Put('0');
  }
  const std::size_t from = exponent > 0 ? static_cast<std::size_t>(exponent) : 0;
  for (std::size_t at = from; written < k; ++at, ++written) {
    out.Put(at < digits.size() ? digits[at] : '0');
  }
}

}  // namespace udfzel
