#include "engines/numbers/fixed_width.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engines/numbers/decimal_digits.h"
#include "engines/numbers/floattext.h"

namespace udfzel {
namespace {

constexpr int kMaxWidth = 255;
constexpr int kMaxDecimals = 216;
constexpr int kMaxFixedExponent = 35;
constexpr std::uint64_t kTen18 = 1000000000000000000ull;

// m (>= 0) as m' × 10^e with m' in [1, 16); (0, 0) for 0.
struct NormalizedMagnitude {
  Extended mantissa;
  int exponent;
};

NormalizedMagnitude NormalizeMagnitude(Extended m) {
  NormalizedMagnitude result{m, 0};
  if (m == 0) return {0, 0};
  // Each pass lands closer; a finite m needs at most a few.
  for (int pass = 0; pass < 8; ++pass) {
    const int b = BinaryExponent(result.mantissa);  // 2^b <= m < 2^(b+1)
    const int k = (b * 19728) >> 16;                // floor(b · log10 2)
    if (k == 0) break;
    result.mantissa = ScaleByPowerOfTen(result.mantissa, -k);
    result.exponent += k;
  }
  return result;
}

// The digit string S of m (in [0, 16)) rounded at digit n (n >= 1): S[0] the
// carry digit, then at least 18 digits; rounding is half away from zero.
// Returns the string's length (at most 1 + 252).
std::size_t EmitRoundedDigits(Extended m, int n, char (&s)[256]) {
  std::uint64_t v = RoundHalfEven(m * Extended(1e17));
  s[0] = '0';
  if (v >= kTen18) {
    s[0] = '1';
    v -= kTen18;
  }
  WriteDigits(v, 18, s + 1);
  std::size_t length = 19;
  if (n >= 18) {
    const auto total = static_cast<std::size_t>(std::min(n, 252)) + 1;
    std::fill(s + length, s + total, '0');
    length = std::max(length, total);
  } else if (s[n + 1] >= '5') {
    for (int i = n; i >= 0; --i) {
      if (s[i] != '9') {
        ++s[i];
        break;
      }
      s[i] = '0';
    }
  }
  s[length] = '\0';
  return length;
}

void ExponentForm(bool negative, Extended m, int e, int width, TextBuffer& out) {
  const int n = std::clamp(width - 8, 2, 18);
  char s[256];
  EmitRoundedDigits(m, n, s);
  const char* mantissa = s + 1;
  if (s[0] == '1') {
    ++e;
    mantissa = s;
  }
  out.Put(negative ? '-' : ' ');
  out.Put(mantissa[0]);
  out.Put('.');
  out.Append(std::string_view(mantissa + 1, static_cast<std::size_t>(n - 1)));
  out.Put('E');
  out.Put(e < 0 ? '-' : '+');
  AppendDecimal(e < 0 ? -std::int64_t{e} : e, 4, out);
}

void FixedForm(bool negative, Extended m, int e, int decimals, TextBuffer& out) {
  int integers = e + 1;
  char s[256];
  EmitRoundedDigits(m, integers + decimals, s);
  const char* digits = s + 1;
  if (s[0] == '1') {
    ++integers;
    digits = s;
  }
  if (negative) out.Put('-');
  out.Append(std::string_view(digits, static_cast<std::size_t>(integers)));
  if (decimals > 0) {
    out.Put('.');
    out.Append(std::string_view(digits + integers, static_cast<std::size_t>(decimals)));
  }
}

}  // namespace

void FixedWidthNumber(double x, std::int32_t width, std::int32_t decimals, TextBuffer& out) {
  // A negative width adds nothing, like 0; clamping it also keeps width − 8 in range.
  width = std::clamp(width, 0, kMaxWidth);
  FixedText<kFixedWidthOutput> text;
  if (std::isinf(x)) {
    text.Append(x > 0 ? "+Inf" : "-Inf");
  } else if (std::isnan(x)) {
    text.Append("Nan");
  } else {
    const bool negative = std::signbit(x);
    const Extended m = Abs(Extended(x));
    if (decimals < 0) {
      const NormalizedMagnitude n = NormalizeMagnitude(m);
      ExponentForm(negative, n.mantissa, n.exponent, width, text);
    } else {
      decimals = std::min(decimals, kMaxDecimals);
      const NormalizedMagnitude n = m < 10 ? NormalizedMagnitude{m, 0} : NormalizeMagnitude(m);
      if (n.exponent > kMaxFixedExponent) {
        ExponentForm(negative, n.mantissa, n.exponent, width, text);
      } else {
        FixedForm(negative, n.mantissa, n.exponent, decimals, text);
      }
    }
  }
  for (auto pad = static_cast<std::int64_t>(width) - static_cast<std::int64_t>(text.size());
       pad > 0; --pad) {
    out.Put(' ');
  }
  out.Append(text.view());
}

void ZeroFillLeadingSpaces(char* text) {
  for (; *text == ' '; ++text) *text = '0';
}

}  // namespace udfzel
