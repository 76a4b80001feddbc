// Counter steps, 64-bit quotient and remainder, float quotient, truncation.
#include "engines/numbers/integer_math.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();

TEST(IntegerMath, IncrementCounterEveryBranch) {
  struct Case {
    std::int32_t value, step, result;
  };
  const std::vector<Case> cases = {
      {5, 1, 6},        {5, 0, 6},           {0, 3, 1},         {-4, 3, 1},
      {7, 5, 10},       {10, 5, 15},         {4, 5, 5},         {10, -3, 7},
      {3, -3, 1},       {1, -3, 0},          {2, -3, -1},       {0, -1, 0},
      {kMax32, 1, kMin32},                   {kMax32, 2, kMin32},  // 2147483648 wrapped
      {kMax32, 0, kMin32},                   {kMin32, 5, 1},       {kMin32, 0, 1},
      {kMin32, -1, 0},  {kMax32, -1, kMax32 - 1},                  {kMax32, kMin32, -1},
      {5, kMin32, 5 + kMin32},               {-5, -7, 0},          {7, -7, 1},
      {kMax32, kMax32, -2},                  // (1 + 1) × (2^31 − 1) keeps its low 32 bits
      {1, kMax32, kMax32},                   {kMax32 - 1, kMax32, kMax32},
      {1000000, 3, 1000002},                 {6, 3, 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(udfzel::IncrementCounter(c.value, c.step), c.result) << c.value << " " << c.step;
  }
}

TEST(IntegerMath, QuotientAndRemainderSignsAndExtremes) {
  struct Case {
    std::int64_t a, b, quotient, remainder;
  };
  const std::vector<Case> cases = {
      {7, 2, 3, 1},           {-7, 2, -3, -1},          {7, -2, -3, 1},   {-7, -2, 3, -1},
      {7, 0, 0, 0},           {0, 0, 0, 0},             {0, 5, 0, 0},     {10000000000, 3, 3333333333, 1},
      {kMin64, -1, kMin64, 0}, {kMin64, 1, kMin64, 0},  {kMax64, -1, -kMax64, 0},
      {kMin64, kMin64, 1, 0}, {kMax64, kMin64, 0, kMax64}, {kMin64, kMax64, -1, -1},
      {kMin64, 2, kMin64 / 2, 0}, {kMax64, 2, kMax64 / 2, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(udfzel::TruncatingQuotient(c.a, c.b), c.quotient) << c.a << " / " << c.b;
    EXPECT_EQ(udfzel::TruncatingRemainder(c.a, c.b), c.remainder) << c.a << " % " << c.b;
  }
}

// dividend = divisor × quotient + remainder, |remainder| < |divisor|, on
// random pairs over the whole range (computed in wrapping arithmetic).
TEST(IntegerMath, DivisionIdentityOnRandomPairs) {
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 200000; ++i) {
    auto a = static_cast<std::int64_t>(random());
    auto b = static_cast<std::int64_t>(random());
    if (i % 3 == 1) b >>= (random() % 63);
    if (i % 5 == 2) a >>= (random() % 63);
    if (a == 0 || b == 0) continue;
    const std::int64_t q = udfzel::TruncatingQuotient(a, b);
    const std::int64_t r = udfzel::TruncatingRemainder(a, b);
    const auto product = static_cast<std::uint64_t>(b) * static_cast<std::uint64_t>(q);
    ASSERT_EQ(product + static_cast<std::uint64_t>(r), static_cast<std::uint64_t>(a)) << a << " " << b;
    ASSERT_LT(udfzel::Magnitude(r), udfzel::Magnitude(b));
    ASSERT_TRUE(r == 0 || (r < 0) == (a < 0));
  }
}

TEST(IntegerMath, FloatQuotient) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double a, b, q;
  };
  const std::vector<Case> cases = {
      {1.0, 4.0, 0.25}, {0.0, 5.0, 0.0}, {5.0, 0.0, 0.0},  {nan, 2.0, 0.0}, {2.0, nan, 0.0},
      {-0.0, 5.0, 0.0}, {5.0, -0.0, 0.0}, {-1.0, 8.0, -0.125}, {1e308, 1e-308, inf},
      {-1e308, 1e-308, -inf}, {inf, 2.0, inf}, {1.0, 3.0, 1.0 / 3},
  };
  for (const Case& c : cases) {
    const double q = udfzel::FloatQuotient(c.a, c.b);
    EXPECT_EQ(q, c.q) << c.a << " / " << c.b;
    if (c.q == 0) {
      EXPECT_FALSE(std::signbit(q)) << "a zero quotient is +0";
    }
  }
}

TEST(IntegerMath, TruncationAndItsRange) {
  struct Case {
    double x;
    std::int64_t result;
  };
  const std::vector<Case> cases = {
      {2.9, 2},
      {-2.9, -2},
      {-0.5, 0},
      {1e19, kMin64},
      {-9223372036854775808.0, kMin64},
      {9223372036854775808.0, kMin64},      // the double nearest to INT64_MAX is out of range
      {9223372036854774784.0, 9223372036854774784},  // the largest double below 2^63
      {-9223372036854777856.0, kMin64},     // the next double below -2^63
      {std::numeric_limits<double>::infinity(), kMin64},
      {-std::numeric_limits<double>::infinity(), kMin64},
      {std::numeric_limits<double>::quiet_NaN(), kMin64},
      {4503599627370497.0, 4503599627370497},
      {2251799813685248.5, 2251799813685248},  // the last double with a half
      {-9223372036854774784.0, -9223372036854774784},
      {1.0, 1},
      {-1.0, -1},
      {0.9999999999999999, 0},
      {-0.0, 0},
      {5e-324, 0},
  };
  std::feclearexcept(FE_ALL_EXCEPT);
  for (const Case& c : cases) EXPECT_EQ(udfzel::TruncateToInt64(c.x), c.result) << c.x;
  // Out-of-range values are turned away before any conversion could signal.
  EXPECT_EQ(std::fetestexcept(FE_INVALID), 0);
}

}  // namespace
