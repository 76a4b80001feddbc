#include <algorithm>
#include <cmath>
#include <cstring>

#include "engines/numbers/decimal_digits.h"
#include "engines/numbers/floattext.h"

namespace udfzel {
namespace {

constexpr std::uint64_t kTen17 = 100000000000000000ull;
constexpr std::uint64_t kTen18 = 1000000000000000000ull;
// Above every value ExpandDecimal scales to: 10^19 < 2^64.
constexpr Extended kScaledLimit = 1e19;
constexpr int kSignificant = 18;

DecimalExpansion Special(const ExtendedBits& bits) {
  DecimalExpansion e;
  const bool infinity = bits.significand == 0x8000000000000000ull || (bits.significand >> 63) == 0;
  e.exponent = infinity ? DecimalExpansion::kInfinity : DecimalExpansion::kNaN;
  e.negative = infinity && bits.sign;
  return e;
}

// Brings |x| to 18 significant digits: v = |x| × 10^(18 − E) rounded to an
// integer with 10^17 <= v < 10^18; returns E.
int EighteenDigits(Extended magnitude, int exponentField, std::uint64_t& v) {
  const int e2 = exponentField - 16383;
  int estimate = ((e2 * 19728) >> 16) + 1;  // floor(e2 · log10 2) + 1
  // The estimate is the decimal exponent or one below it; a second pass is
  // needed only when it was one too high. The bound keeps the loop finite.
  for (int pass = 0; pass < 4; ++pass) {
    const Extended scaled = ScaleByPowerOfTen(magnitude, kSignificant - estimate);
    if (!(scaled < kScaledLimit)) {  // cannot happen for a correct estimate; stay in range
      ++estimate;
      continue;
    }
    v = RoundHalfEven(scaled);
    if (v >= kTen18) {
      // The quotient is rounded once more, from the extended value of v / 10.
      v = RoundHalfEven(Extended::FromUnsigned(v) / 10);
      ++estimate;
      if (v >= kTen18) {  // a quotient that rounds up to 10^18 is 0.1 × 10^(E+1)
        v = kTen17;
        ++estimate;
      }
      return estimate;
    }
    if (v >= kTen17) return estimate;
    --estimate;
  }
  return estimate;
}

// Keeps `n` digits of d[0..17], rounding on the first dropped digit, halves
// away from zero. Returns false when nothing is left.
bool CutDigits(const char (&d)[kSignificant], int n, int& exponent, char (&out)[21]) {
  int kept = std::min(n, kSignificant);
  std::memcpy(out, d, static_cast<std::size_t>(kept));
  if (n < kSignificant && d[n] >= '5') {
    // Carry: a digit that passes 9 is dropped with everything after it.
    while (kept > 0 && out[kept - 1] == '9') --kept;
    if (kept == 0) {
      out[kept++] = '1';
      ++exponent;
    } else {
      ++out[kept - 1];
    }
  } else {
    while (kept > 0 && out[kept - 1] == '0') --kept;
  }
  out[kept] = '\0';
  return kept > 0;
}

}  // namespace

DecimalExpansion ExpandDecimal(Extended x, int precision, int decimals) {
  const ExtendedBits bits = x.Bits();
  if (bits.exponentField == 0) return {};  // zero, and extended denormals alike
  if (bits.exponentField == 0x7FFF) return Special(bits);

  std::uint64_t v = 0;
  int exponent = EighteenDigits(Abs(x), bits.exponentField, v);
  char d[kSignificant];
  WriteDigits(v, kSignificant, d);

  DecimalExpansion e;
  // Wide: a caller's count of decimals may be any int.
  const std::int64_t places = std::int64_t{exponent} + decimals;
  if (places < 0) return e;  // rounds away entirely
  const int n = static_cast<int>(std::clamp<std::int64_t>(places, 0, std::max(0, precision)));
  if (!CutDigits(d, n, exponent, e.digits)) {
    e.exponent = static_cast<std::int16_t>(exponent);
    return e;
  }
  e.exponent = static_cast<std::int16_t>(exponent);
  e.negative = bits.sign;
  return e;
}

}  // namespace udfzel
