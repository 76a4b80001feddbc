// Rounding and cutting to decimals, and fixed-width number text. Exact
// digits: left out of the valgrind run.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engines/numbers/decimal_rounding.h"
#include "engines/numbers/fixed_width.h"
#include "engines/numbers/floattext.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Case {
  double x;
  int decimals;
  double result;
};

TEST(DecimalRoundingExactDigits, PowerOfTen) {
  for (int n = 0; n <= 27; ++n) {
    EXPECT_EQ(udfzel::PowerOfTen(10, n), udfzel::ScaleByPowerOfTen(1, n)) << n;  // exact
  }
  EXPECT_EQ(udfzel::PowerOfTen(10, -2), udfzel::Extended(1) / 100.0);
  EXPECT_EQ(udfzel::PowerOfTen(2, 10), udfzel::Extended(1024.0));
  EXPECT_FALSE(udfzel::IsFinite(udfzel::PowerOfTen(10, 2147483647)));
  EXPECT_EQ(udfzel::PowerOfTen(10, -2147483648LL), udfzel::Extended(0.0));
}

TEST(DecimalRoundingExactDigits, RoundToDecimals) {
  const std::vector<Case> cases = {
      {1234.5678, 2, 1234.57}, {1234.5678, 0, 1235},   {1234.5678, -2, 12},
      {1250, -2, 12},          {1350, -2, 14},         {2.5, 0, 2},
      {3.5, 0, 4},             {-2.5, 0, -2},          {0.125, 2, 0.13},
      {-0.125, 2, -0.13},      {0.004, 2, 0},          {1e20, 2, 1e20},
      {0.0, 2, 0},             {-0.0, 2, 0},           {kNaN, 2, 0},
      {kInf, 2, 0},            {-kInf, 3, 0},          {1.0 / 3, 25, 0.333333333333333315},
      {1.0 / 3, 18, 0.333333333333333315},             {1.0 / 3, 17, 0.33333333333333331},
      {2.675, 2, 2.67},        // the double lies below 2.675: 18 digits "267499999999999982"
      {-1234.5, -20, -0.0},    {9.3e18, 0, 9.3e18},    // beyond int64: q itself
      {kInf, 0, kInf},         {-kInf, -1, -kInf},     {123.456, 30, 123.456},
      {5e-324, 2, 0},          {0.5, 0, 0},            {1.5, 0, 2},
      {4.5, 2147483647, 4.5},  {4.5, -2147483647 - 1, 0},  // counts at the int32 ends
      {-1.5, 0, -2},           {0.045, 2, 0.04},       {1.005, 2, 1},
      {999.995, 2, 1000},      {12345, -1, 1234},      {12355, -1, 1236},  // 999.995 lies above
  };
  for (const Case& c : cases) {
    const double r = udfzel::RoundToDecimals(c.x, c.decimals, '.');
    EXPECT_EQ(r, c.result) << c.x << " " << c.decimals;
    EXPECT_EQ(udfzel::RoundToDecimals(c.x, c.decimals, ','), r) << "the mark cancels out";
  }
  // Beyond int64 the quotient itself: x / 100 in extended, rounded to double.
  EXPECT_EQ(udfzel::RoundToDecimals(1e300, -2, '.'), (udfzel::Extended(1e300) / 100).ToDouble());
  // A locale without a decimal mark still rounds, not multiplies.
  EXPECT_EQ(udfzel::RoundToDecimals(2.5, 2, '\0'), 2.5);
  // Counts from -20 to 30 on one value: each result is finite and the
  // positive counts never move the value by more than half a unit.
  for (int d = -20; d <= 30; ++d) {
    const double r = udfzel::RoundToDecimals(98765.4321, d, '.');
    ASSERT_TRUE(std::isfinite(r)) << d;
    if (d > 0) {
      EXPECT_LE(std::fabs(r - 98765.4321), 0.5 * std::pow(10.0, -std::min(d, 18)) + 1e-11) << d;
    }
  }
}

TEST(DecimalRoundingExactDigits, CutToDecimals) {
  const std::vector<Case> cases = {
      {2.678, 2, 2.67},        {-2.678, 2, -2.67},     {2.5, 3, 2.5},
      {123, 2, 123},           {0.00001234, 2, 0},     {2.0 / 3, 2, 0.66},
      {12345.678, -2, 123},    {12345.678, 0, 12345},  {-12345.678, -2, -123},
      {0.5, 0, 0},             {99, -2, 0},            {-9, -1, 0},
      {kInf, 2, 0},            {kInf, -1, 0},          {kNaN, 1, 0},
      {0.0, 2, 0},             {1e15, -2, 1e13},       {1e15, 0, 1e15},
      {123456789012345678.0, -2, 1234567890123456.0},  // plain digits of the integer part
      {1e20, -3, 1e17},        {-1e16, -1, -1e15},     {1.5e20, 2, 1.5e20},
      {1234.5678, 9, 1234.5678}, {0.1, 40, 0.1},       {-0.001, 5, -0.001},
      {4.5, 2147483646, 4.5},  {4.5, 2147483647, 4.5}, {4.5, -2147483647 - 1, 0},  // fuzz finding
      // Infinities and NaN give 0, of either count sign, and never -0.
      {kInf, 0, 0},            {-kInf, 0, 0},          {-kInf, 2, 0},
      {-kInf, -2, 0},          {kInf, -2, 0},          {-kNaN, 0, 0},
      {kNaN, -2, 0},           {-kNaN, 2, 0},
  };
  for (const Case& c : cases) {
    const double r = udfzel::CutToDecimals(c.x, c.decimals, '.');
    EXPECT_EQ(r, c.result) << c.x << " " << c.decimals;
    EXPECT_EQ(std::signbit(r), std::signbit(c.result)) << c.x << " " << c.decimals;
    EXPECT_EQ(udfzel::CutToDecimals(c.x, c.decimals, ','), r) << "the mark cancels out";
  }
}

std::string FixedWidth(double x, int width, int decimals) {
  udfzel::FixedText<udfzel::kFixedWidthOutput> out;
  udfzel::FixedWidthNumber(x, width, decimals, out);
  EXPECT_FALSE(out.Truncated());
  return std::string(out.view());
}

std::string ZeroFilled(std::string text) {
  udfzel::ZeroFillLeadingSpaces(text.data());
  return text;
}

TEST(FixedWidthExactDigits, TheDocumentedTable) {
  struct Row {
    double x;
    int width, decimals;
    std::string str, strZero;
  };
  const std::vector<Row> rows = {
      {1234.5, 10, 2, "   1234.50", "0001234.50"},
      {1234.5, 4, 2, "1234.50", "1234.50"},
      {1234.5, 23, -1, " 1.23450000000000E+0003", "01.23450000000000E+0003"},
      {1234.5, 0, -1, " 1.2E+0003", "01.2E+0003"},
      {1234.5, 30, -1, "     1.23450000000000000E+0003", "000001.23450000000000000E+0003"},
      {-1234.5, 12, -1, "-1.235E+0003", "-1.235E+0003"},
      {12.5, 10, -1, " 1.2E+0001", "01.2E+0001"},
      {12.5, 0, 0, "13", "13"},
      {123.456, 10, 2, "    123.46", "0000123.46"},
      {-12.5, 8, 2, "  -12.50", "00-12.50"},
      {42, 6, 0, "    42", "000042"},
      {9.999, 0, 2, "10.00", "10.00"},
      {-0.001, 0, 2, "-0.00", "-0.00"},
      {0, 5, 2, " 0.00", "00.00"},
      {0, 0, -1, " 0.0E+0000", "00.0E+0000"},
      {0.00001, 12, -1, " 1.000E-0005", "01.000E-0005"},
      {2e36, 0, 0, " 2.0E+0036", "02.0E+0036"},
      {kInf, 6, 0, "  +Inf", "00+Inf"},
      {-kInf, 2, 0, "-Inf", "-Inf"},
      {kNaN, 5, 0, "  Nan", "00Nan"},
  };
  for (const Row& r : rows) {
    const std::string text = FixedWidth(r.x, r.width, r.decimals);
    EXPECT_EQ(text, r.str) << r.x << " " << r.width << " " << r.decimals;
    EXPECT_EQ(ZeroFilled(text), r.strZero) << r.x << " " << r.width << " " << r.decimals;
  }
}

TEST(FixedWidthExactDigits, RoundingCarryAndMagnitudes) {
  struct Row {
    double x;
    int width, decimals;
    std::string text;
  };
  const std::vector<Row> rows = {
      {2.5, 0, 0, "3"},
      {-2.5, 0, 0, "-3"},
      {0.125, 0, 2, "0.13"},
      {2.675, 0, 2, "2.67"},
      {0.1, 0, 20, "0.10000000000000001000"},
      {9.99, 10, -1, " 1.0E+0001"},
      {-0.0, 0, 1, "-0.0"},
      {99.5, 0, 0, "100"},
      {999999999.5, 0, 0, "1000000000"},
      {1e35, 0, 0, "99999999999999996900000000000000000"},  // the digits of the double
      {1.329227995784916e36, 0, 0, " 1.3E+0036"},   // 2^120: the exponent form
      // Just below 2^120 the normalized magnitude is 13.29...: the carry digit
      // gives 37 integer digits and 19 significant ones.
      {1.3292279957849157e36, 0, 1, "1329227995784915725000000000000000000.0"},
      {5e-324, 0, -1, " 4.9E-0324"},
      {1.7976931348623157e308, 0, -1, " 1.8E+0308"},
      {123.456, 0, -5, " 1.2E+0002"},
      {1234.5, 9, -1, " 1.2E+0003"},               // width - 8 below 2: two digits
      {1234.5, 40, -1, "               1.23450000000000000E+0003"},  // width - 8 above 18: 18
  };
  for (const Row& r : rows) {
    EXPECT_EQ(FixedWidth(r.x, r.width, r.decimals), r.text) << r.x << " " << r.width << " " << r.decimals;
  }
}

TEST(FixedWidthExactDigits, ClampsOfWidthAndDecimals) {
  EXPECT_EQ(FixedWidth(1, -5, 0), "1");
  EXPECT_EQ(FixedWidth(1, 255, 0).size(), 255u);
  EXPECT_EQ(FixedWidth(1, 256, 0).size(), 255u);
  EXPECT_EQ(FixedWidth(1, 2147483647, 0).size(), 255u);
  EXPECT_EQ(FixedWidth(1, 0, 216).size(), 218u);  // "1." and 216 decimals
  EXPECT_EQ(FixedWidth(1, 0, 217), FixedWidth(1, 0, 216));
  EXPECT_EQ(FixedWidth(1, 0, 2147483647), FixedWidth(1, 0, 216));
  EXPECT_EQ(FixedWidth(1, 0, -2147483647 - 1), " 1.0E+0000");
  // The most negative width is no width at all (a fuzz finding: width − 8
  // must not overflow).
  EXPECT_EQ(FixedWidth(1234.5, -2147483647 - 1, -1), " 1.2E+0003");
  // The longest fixed text: a sign, 37 integer digits, the point, 216 decimals.
  const std::string longest = FixedWidth(-1.2e36, 0, 216);
  EXPECT_EQ(longest.size(), 255u);
  EXPECT_EQ(longest.substr(0, 3), "-11");
  EXPECT_EQ(longest.find('.'), 38u);
  EXPECT_EQ(FixedWidth(-1.2e36, 300, 216), longest);
  EXPECT_EQ(FixedWidth(-9.99e35, 0, 216).size(), 254u);  // 36 integer digits
}

}  // namespace
