// Decimal conversion: the power-of-ten tables against exact powers, the
// digits of values of every class, the general and fixed texts, and the
// parser. Suites named *ExactDigits* need true 80-bit arithmetic and are
// left out of the valgrind run.
#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engines/numbers/floattext.h"
#include "engines/numbers/power_of_ten.h"
#include "extended.h"

namespace {

using udfzel::DecimalExpansion;
using udfzel::FixedText;

// The value a number text denotes, or nothing.
std::optional<udfzel::Extended> Parsed(std::string_view text, char mark) {
  udfzel::Extended value;
  if (!udfzel::TryParseFloatText(text, mark, value)) return std::nullopt;
  return value;
}

// --- Exact arithmetic for the table check ---------------------------------
using Big = std::vector<std::uint32_t>;  // little-endian 32-bit limbs

Big FromU64(std::uint64_t v) { return {static_cast<std::uint32_t>(v), static_cast<std::uint32_t>(v >> 32)}; }
void Trim(Big& a) {
  while (a.size() > 1 && a.back() == 0) a.pop_back();
}
Big MulSmall(Big a, std::uint32_t m) {
  std::uint64_t carry = 0;
  for (auto& limb : a) {
    const std::uint64_t p = std::uint64_t{limb} * m + carry;
    limb = static_cast<std::uint32_t>(p);
    carry = p >> 32;
  }
  if (carry != 0) a.push_back(static_cast<std::uint32_t>(carry));
  return a;
}
Big Shift(const Big& a, int bits) {
  Big out(static_cast<std::size_t>(bits / 32), 0);
  const int r = bits % 32;
  std::uint32_t carry = 0;
  for (const std::uint32_t limb : a) {
    out.push_back(r == 0 ? limb : (limb << r) | carry);
    carry = r == 0 ? 0 : limb >> (32 - r);
  }
  out.push_back(carry);
  Trim(out);
  return out;
}
int Compare(Big a, Big b) {
  Trim(a);
  Trim(b);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}
Big Sub(const Big& a, const Big& b) {  // a >= b
  Big out = a;
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    std::int64_t d = std::int64_t{out[i]} - (i < b.size() ? b[i] : 0) - borrow;
    borrow = d < 0;
    out[i] = static_cast<std::uint32_t>(d + (borrow << 32));
  }
  Trim(out);
  return out;
}

// True when `entry` is the extended value nearest to 10^n, ties to even.
bool NearestToPowerOfTen(udfzel::Extended entry, int n) {
  const udfzel::ExtendedBits bits = entry.Bits();
  const std::uint64_t m = bits.significand;
  const int k = bits.exponentField - 16383 - 63;  // entry = m × 2^k
  Big power = FromU64(1);
  for (int i = 0; i < n; ++i) power = MulSmall(power, 10);
  const int scale = k < 0 ? -k : 0;
  const Big exact = Shift(power, scale);
  const Big approx = Shift(FromU64(m), k + scale);
  const Big ulp = Shift(FromU64(1), k + scale);
  const int order = Compare(exact, approx);
  const Big diff = order >= 0 ? Sub(exact, approx) : Sub(approx, exact);
  const int half = Compare(Shift(diff, 1), ulp);
  return half < 0 || (half == 0 && m % 2 == 0);
}

// The next extended value toward zero (within a binade).
udfzel::Extended Below(udfzel::Extended x) {
  udfzel::ExtendedBits bits = x.Bits();
  --bits.significand;
  return udfzel::Extended::FromBits(bits);
}

TEST(PowerOfTenExactDigits, EveryTableEntryIsTheNearestExtendedValue) {
  for (std::size_t n = 0; n < 32; ++n) {
    EXPECT_TRUE(NearestToPowerOfTen(udfzel::kPowersOfTenLow[n], static_cast<int>(n))) << n;
  }
  for (std::size_t k = 1; k < 16; ++k) {
    EXPECT_TRUE(NearestToPowerOfTen(udfzel::kPowersOfTenMiddle[k], static_cast<int>(32 * k)))
        << 32 * k;
  }
  for (std::size_t k = 1; k < 10; ++k) {
    EXPECT_TRUE(NearestToPowerOfTen(udfzel::kPowersOfTenHigh[k], static_cast<int>(512 * k)))
        << 512 * k;
  }
  // The check itself rejects a neighbour of the nearest value.
  EXPECT_FALSE(NearestToPowerOfTen(Below(udfzel::kPowersOfTenLow[28]), 28));
  EXPECT_FALSE(NearestToPowerOfTen(Below(udfzel::kPowersOfTenHigh[3]), 1536));
}

TEST(PowerOfTenExactDigits, Scaling) {
  EXPECT_EQ(udfzel::ScaleByPowerOfTen(3.0, 0), udfzel::Extended(3.0));
  EXPECT_EQ(udfzel::ScaleByPowerOfTen(3.0, 5), udfzel::Extended(300000.0));
  EXPECT_EQ(udfzel::ScaleByPowerOfTen(300000.0, -5), udfzel::Extended(3.0));
  EXPECT_EQ(udfzel::ScaleByPowerOfTen(1.0, 300).ToDouble(), 1e300);
  EXPECT_EQ(udfzel::ScaleByPowerOfTen(1.0, -300).ToDouble(), 1e-300);
  EXPECT_FALSE(udfzel::IsFinite(udfzel::ScaleByPowerOfTen(0.0, 5120)));
  EXPECT_EQ(udfzel::ScaleByPowerOfTen(-7.0, -5120), udfzel::Extended(0.0));
  EXPECT_FALSE(udfzel::IsFinite(udfzel::ScaleByPowerOfTen(1.0, 4933)));
}

// --- ExpandDecimal ----------------------------------------------------------
struct ExpandCase {
  udfzel_test::Extended x;
  int precision;
  int decimals;
  std::string digits;
  int exponent;
  bool negative;
};

TEST(ExpandDecimalExactDigits, DigitsExponentAndSign) {
  const double third = 1.0 / 3;
  const double twoThirds = 2.0 / 3;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<ExpandCase> cases = {
      {9.99, 18, 1, "1", 2, false},          // the carry runs through every digit
      {0.5, 18, 0, "1", 1, false},
      {-0.006, 18, 2, "1", -1, true},
      {-0.004, 18, 2, "", -2, false},        // nothing left: exponent kept, no sign
      {0.0004, 18, 2, "", 0, false},         // rounds away entirely
      {0.0, 15, 9999, "", 0, false},
      {-0.0, 15, 9999, "", 0, false},
      {1234.5, 15, 9999, "12345", 4, false},
      {third, 18, 9999, "333333333333333315", 0, false},
      {third, 15, 9999, "333333333333333", 0, false},
      {twoThirds, 15, 9999, "666666666666667", 0, false},
      {1e18, 18, 9999, "1", 19, false},      // the estimate one too low: divided by ten
      {9223372036854775808.0, 18, 9999, "922337203685477581", 19, false},
      {DBL_MAX, 15, 9999, "179769313486232", 309, false},
      {-DBL_MAX, 15, 9999, "179769313486232", 309, true},
      {4.9406564584124654e-324, 15, 9999, "494065645841247", -323, false},
      {2.2250738585072014e-308, 15, 9999, "22250738585072", -307, false},
      {0.125, 18, 2, "13", 0, false},        // the decimal half goes up
      {0.375, 18, 2, "38", 0, false},
      {2.5, 18, 0, "3", 1, false},
      {-2.5, 18, 0, "3", 1, true},
      {1.005, 18, 2, "1", 1, false},         // 1.00499999999999989... in binary
      {999999.5, 18, 0, "1", 7, false},
      {123456789012345678.0, 18, 9999, "12345678901234568", 18, false},
      {1e15, 15, 9999, "1", 16, false},
      {0.1, 18, 9999, "100000000000000006", 0, false},
      {0.1, 15, 9999, "1", 0, false},
      {0.3, 18, 9999, "299999999999999989", 0, false},
      {5.0, 0, 9999, "1", 2, false},         // precision 0: the first digit decides
      {4.0, 0, 9999, "", 1, false},
      {inf, 15, 9999, "", DecimalExpansion::kInfinity, false},
      {-inf, 15, 9999, "", DecimalExpansion::kInfinity, true},
      {nan, 15, 9999, "", DecimalExpansion::kNaN, false},
      {-nan, 15, 9999, "", DecimalExpansion::kNaN, false},
  };
  for (const ExpandCase& c : cases) {
    const DecimalExpansion e = udfzel::ExpandDecimal(c.x, c.precision, c.decimals);
    const auto label = std::to_string(static_cast<double>(c.x)) + " p" + std::to_string(c.precision) +
                       " d" + std::to_string(c.decimals);
    EXPECT_EQ(std::string(e.digits), c.digits) << label;
    EXPECT_EQ(e.exponent, c.exponent) << label;
    EXPECT_EQ(e.negative, c.negative) << label;
  }
}

// For every power of two a double holds, the digits read back the value:
// the exponent estimate and its corrections land on the right decade.
TEST(ExpandDecimalExactDigits, EveryBinaryExponentLandsInTheRightDecade) {
  for (int e2 = -1074; e2 <= 1023; ++e2) {
    const udfzel::Extended x = std::ldexp(1.0, e2);
    const DecimalExpansion e = udfzel::ExpandDecimal(x, 18, udfzel::kAllDecimals);
    ASSERT_GT(e.DigitCount(), 0u) << e2;
    ASSERT_NE(e.digits[0], '0') << e2;
    ASSERT_NE(e.digits[e.DigitCount() - 1], '0') << e2;
    udfzel::Extended back;
    for (std::size_t i = 0; i < e.DigitCount(); ++i) back = back * 10 + (e.digits[i] - '0');
    back = udfzel::ScaleByPowerOfTen(back, e.exponent - static_cast<int>(e.DigitCount()));
    EXPECT_NEAR((back / x).ToDouble(), 1.0, 1e-16) << e2;
  }
}

// --- Texts ------------------------------------------------------------------
std::string General(udfzel_test::Extended x, char mark = '.') {
  FixedText<64> out;
  udfzel::FloatToGeneralText(x, mark, out);
  return std::string(out.view());
}

std::string Fixed(udfzel_test::Extended x, int decimals, char mark = '.') {
  FixedText<64> out;
  udfzel::FloatToFixedText(x, decimals, mark, out);
  return std::string(out.view());
}

TEST(FloatTextExactDigits, GeneralText) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<udfzel_test::Extended, std::string>> cases = {
      {1234.5, "1234.5"},
      {1200, "1200"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {1.5e20, "1.5E20"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {0.0, "0"},
      {-0.0, "0"},
      {-1234.5, "-1234.5"},
      {9223372036854775808.0, "9.22337203685478E18"},
      {DBL_MAX, "1.79769313486232E308"},
      {-DBL_MAX, "-1.79769313486232E308"},
      {4.9406564584124654e-324, "4.94065645841247E-324"},
      {0.1, "0.1"},
      {0.3, "0.3"},
      {100, "100"},
      {999999999999999.0, "999999999999999"},
      {999999999999999.9, "1E15"},        // rounds to 15 digits: a carry into a new decade
      {0.000123, "0.000123"},
      {1e-4, "0.0001"},
      {inf, "INF"},
      {-inf, "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {-std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const auto& [x, text] : cases) EXPECT_EQ(General(x), text) << static_cast<double>(x);
  EXPECT_EQ(General(1234.5, ','), "1234,5");
  EXPECT_EQ(General(1.5e20, ','), "1,5E20");
  EXPECT_EQ(General(1234.5, '\0'), "1234.5");  // no mark in the locale: "."
}

TEST(FloatTextExactDigits, FixedText) {
  struct Case {
    udfzel_test::Extended x;
    int decimals;
    std::string text;
  };
  const double third = 1.0 / 3;
  const std::vector<Case> cases = {
      {2.5, 2, "2.50"},
      {-0.004, 2, "0.00"},
      {-0.005, 2, "-0.01"},
      {0.125, 2, "0.13"},
      {1e20, 2, "1E20"},
      {third, 25, "0.333333333333333315"},
      {third, 18, "0.333333333333333315"},
      {1234.5678, 2, "1234.57"},
      {999.999, 2, "1000.00"},
      {1e17, 1, "100000000000000000.0"},
      {1e18, 1, "1E18"},
      {123456789012345678.0, 2, "123456789012345680.00"},
      {0.0, 3, "0.000"},
      {-0.0, 1, "0.0"},
      {1e-10, 25, "0.000000000100000000"},
      {-1.5, 1, "-1.5"},
      {std::numeric_limits<double>::infinity(), 2, "INF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fixed(c.x, c.decimals), c.text) << static_cast<double>(c.x) << " " << c.decimals;
  }
  EXPECT_EQ(Fixed(2.5, 2, ','), "2,50");
  EXPECT_EQ(Fixed(2.5, 2, '\0'), "250");  // no mark in the locale: none written
}

// --- Parsing ----------------------------------------------------------------
TEST(ParseFloatExactDigits, ValidTexts) {
  const std::vector<std::pair<std::string, double>> cases = {
      {"  -12.5  ", -12.5}, {".", 0},     {"1E", 1},        {"1e+", 1},      {"1E300", 1e300},
      {"1E-4999", 0},       {"+5", 5},    {"0.5", 0.5},     {"1e-5", 1e-5},  {"123", 123},
      {"12.", 12},          {".25", 0.25}, {"1E-0", 1},     {"0e4000", 0},
      {"1E308", 1e308},     {"00012", 12}, {"2.5E+3", 2500},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(Parsed(text, '.').value().ToDouble(), value) << text;
  }
  EXPECT_TRUE(udfzel::SignBit(Parsed("-0", '.').value()));
  EXPECT_EQ(Parsed("1,5", ',').value().ToDouble(), 1.5);
  EXPECT_EQ(Parsed("1.5", '\0').value().ToDouble(), 1.5);
  // Beyond double but within extended: accepted.
  EXPECT_TRUE(udfzel::IsFinite(Parsed("1E400", '.').value()));
  EXPECT_TRUE(udfzel::IsFinite(Parsed("1E500", '.').value()));
}

TEST(ParseFloatExactDigits, InvalidTexts) {
  for (const std::string text :
       {"", "   ", "-", "+", "1 000", "12a", "1,5", "INF", "NAN", "\t1", "1\t", "1E5000", "1E4999",
        "e5", "1.2.3", "--1", "1e5x", "1,000.5", "- 1", "0x10"}) {
    EXPECT_FALSE(Parsed(text, '.')) << text;
  }
  EXPECT_FALSE(Parsed("1.5", ','));
}

TEST(ParseFloatExactDigits, TheThreadsFloatingPointStateIsLeftAsItWas) {
  std::fenv_t before;
  std::fegetenv(&before);
  std::fesetround(FE_DOWNWARD);
  // The caller's flags, whatever they are, come back exactly: none, the
  // inexact flag the parse raises itself, others it does not, and the
  // failure flags the parse tests for.
  for (const int callerFlags : {0, FE_INEXACT, FE_DIVBYZERO, FE_UNDERFLOW | FE_INEXACT,
                                FE_INVALID, FE_OVERFLOW | FE_INEXACT}) {
    for (const char* text : {"1E300", "1E4999", "abc", "0.1", "5", "1E-4999"}) {
      std::feclearexcept(FE_ALL_EXCEPT);
      std::feraiseexcept(callerFlags);
      udfzel::Extended value;
      const bool parsed = udfzel::TryParseFloatText(text, '.', value);
      EXPECT_EQ(std::fegetround(), FE_DOWNWARD) << text;
      EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), callerFlags) << text << " " << callerFlags;
      // The caller's failure flags never make a parse fail.
      EXPECT_EQ(parsed, std::string_view(text) != "abc" && std::string_view(text) != "1E4999")
          << text << " " << callerFlags;
    }
  }
  // Rounding to nearest inside, whatever the caller's mode.
  const udfzel::Extended tenth = Parsed("0.1", '.').value();
  std::fesetenv(&before);
  EXPECT_EQ(tenth.ToDouble(), 0.1);
}

}  // namespace
