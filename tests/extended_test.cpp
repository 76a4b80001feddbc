// The software extended type against the x87 unit, bit for bit: every
// operation the engines use, on the rounding boundaries (ties, the last
// ulp, denormal and overflow edges, zeros, infinities, NaN, both signs) and
// on ten million pseudo-random operand pairs. Built where an x87 exists.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engines/extended/extended.h"
#include "engines/extended/extended_soft.h"
#include "engines/extended/extended_x87.h"
#include "engines/extended/uint128.h"

namespace {

using udfzel::ExtendedBits;
using Soft = udfzel::soft::Extended;
using Hard = udfzel::x87::Extended;

std::string Show(const ExtendedBits& b) {
  char text[48];
  std::snprintf(text, sizeof text, "%c%04X:%016llX", b.sign ? '-' : '+', b.exponentField,
                static_cast<unsigned long long>(b.significand));
  return text;
}

std::uint64_t DoubleBits(double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return u;
}

// A splitmix64 stream: the same operands on every run.
struct Stream {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
};

// Canonical encodings: a normal has its integer bit, a denormal or zero
// has not, infinities and NaNs have it.
ExtendedBits Canonical(bool sign, int field, std::uint64_t significand) {
  constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
  if (field == 0) return {sign, 0, significand & ~kIntegerBit};
  return {sign, field, significand | kIntegerBit};
}

// Exponents where the answers change: around the denormals, 1, the double
// range's ends and overflow; elsewhere anywhere.
int DrawExponent(Stream& s) {
  static constexpr int kEdges[] = {0,
                                   1,
                                   2,
                                   63,
                                   64,
                                   65,
                                   16383 - 1075,
                                   16383 - 1074,
                                   16383 - 1022,
                                   16383 - 1,
                                   16383,
                                   16384,
                                   16383 + 1023,
                                   16383 + 1024,
                                   0x7FFE,
                                   0x7FFD,
                                   0x7FFF};
  const std::uint64_t pick = s.Next();
  switch (pick % 4) {
    case 0:
      return kEdges[(pick >> 8) % std::size(kEdges)] + static_cast<int>((pick >> 16) % 3) - 1;
    case 1:
      return 16383 + static_cast<int>((pick >> 8) % 256) - 128;
    default:
      return static_cast<int>((pick >> 8) % 0x8000);
  }
}

// Significands with long runs of ones or zeros (ties and carries), few bits,
// or anything.
std::uint64_t DrawSignificand(Stream& s) {
  const std::uint64_t pick = s.Next();
  const std::uint64_t r = s.Next();
  switch (pick % 5) {
    case 0:
      return ~std::uint64_t{0} << (pick >> 8) % 64;
    case 1:
      return (std::uint64_t{1} << 63) | (r & 0xFFF);
    case 2:
      return r & ~((std::uint64_t{1} << ((pick >> 8) % 64)) - 1);
    default:
      return r;
  }
}

ExtendedBits DrawOperand(Stream& s) {
  int field = DrawExponent(s);
  if (field < 0) field = 0;
  if (field > 0x7FFF) field = 0x7FFF;
  std::uint64_t significand = DrawSignificand(s);
  if (field == 0x7FFF && (s.Next() % 2) == 0) significand = 0;  // infinity
  return Canonical((s.Next() & 1) != 0, field, significand);
}

// A second operand near the first: equal, one ulp away, or shifted so that
// the sum lands on a rounding tie.
ExtendedBits Near(const ExtendedBits& a, Stream& s) {
  ExtendedBits b = a;
  const std::uint64_t pick = s.Next();
  switch (pick % 4) {
    case 0:
      b.significand += (pick >> 8) % 3;
      break;
    case 1:
      b.exponentField = a.exponentField - 64 + static_cast<int>((pick >> 8) % 3);
      b.significand = std::uint64_t{1} << 63;
      break;
    case 2:
      b.sign = !a.sign;
      break;
    default:
      b.exponentField = a.exponentField - static_cast<int>((pick >> 8) % 70);
      break;
  }
  if (b.exponentField < 0) b.exponentField = 0;
  return Canonical(b.sign, b.exponentField, b.significand);
}

struct Mismatch {
  int count = 0;
  void Report(const char* op, const ExtendedBits& a, const ExtendedBits& b, const std::string& soft,
              const std::string& hard) {
    if (++count <= 10) {
      ADD_FAILURE() << Show(a) << ' ' << op << ' ' << Show(b) << ": software " << soft << ", x87 "
                    << hard;
    }
  }
};

// Every binary operation and comparison on one pair.
void CheckPair(const ExtendedBits& a, const ExtendedBits& b, Mismatch& mismatch) {
  const Soft sa = Soft::FromBits(a);
  const Soft sb = Soft::FromBits(b);
  const Hard ha = Hard::FromBits(a);
  const Hard hb = Hard::FromBits(b);
  const auto compare = [&](const char* op, const Soft& s, const Hard& h) {
    if (s.Bits() != h.Bits()) mismatch.Report(op, a, b, Show(s.Bits()), Show(h.Bits()));
  };
  compare("+", sa + sb, ha + hb);
  compare("-", sa - sb, ha - hb);
  compare("*", sa * sb, ha * hb);
  compare("/", sa / sb, ha / hb);
  const int soft = (sa == sb) | (sa < sb) << 1 | (sa <= sb) << 2 | (sa > sb) << 3 | (sa >= sb) << 4;
  const int hard = (ha == hb) | (ha < hb) << 1 | (ha <= hb) << 2 | (ha > hb) << 3 | (ha >= hb) << 4;
  if (soft != hard) mismatch.Report("<=>", a, b, std::to_string(soft), std::to_string(hard));
  // One operand alone: rounding to double, truncation, and the bit reads.
  const double sd = sa.ToDouble();
  const double hd = ha.ToDouble();
  if (DoubleBits(sd) != DoubleBits(hd)) {
    mismatch.Report("to double", a, a, std::to_string(DoubleBits(sd)),
                    std::to_string(DoubleBits(hd)));
  }
  compare("trunc", udfzel::Trunc(sa), udfzel::Trunc(ha));
}

// Widening a double, and both integer widenings.
void CheckWidenings(std::uint64_t r, Mismatch& mismatch) {
  double d;
  std::memcpy(&d, &r, sizeof d);
  const ExtendedBits none{};
  const ExtendedBits soft = Soft(d).Bits();
  const ExtendedBits hard = Hard(d).Bits();
  if (soft != hard) mismatch.Report("from double", none, none, Show(soft), Show(hard));
  const auto i = static_cast<std::int64_t>(r);
  if (Soft::FromInteger(i).Bits() != Hard::FromInteger(i).Bits()) {
    mismatch.Report("from int64", none, none, Show(Soft::FromInteger(i).Bits()),
                    Show(Hard::FromInteger(i).Bits()));
  }
  if (Soft::FromUnsigned(r).Bits() != Hard::FromUnsigned(r).Bits()) {
    mismatch.Report("from uint64", none, none, Show(Soft::FromUnsigned(r).Bits()),
                    Show(Hard::FromUnsigned(r).Bits()));
  }
}

constexpr std::uint64_t kOne = std::uint64_t{1} << 63;
constexpr std::uint64_t kAllOnes = ~std::uint64_t{0};

TEST(ExtendedAgainstX87, Boundaries) {
  const ExtendedBits values[] = {
      {false, 0, 0},                          // +0
      {true, 0, 0},                           // -0
      {false, 16383, kOne},                   // 1
      {true, 16383, kOne},                    // -1
      {false, 16383, kAllOnes},               // just below 2
      {false, 16383, kOne | 1},               // one ulp above 1
      {false, 16383 - 64, kOne},              // half an ulp of 1
      {false, 16383 - 64, kOne | 1},          // just above that half
      {false, 16383 - 65, kAllOnes},          // just below it
      {false, 16384, 0xC000000000000000ull},  // 3
      {false, 16386, 0xA000000000000000ull},  // 10
      {false, 0, 1},                          // the smallest denormal
      {true, 0, 1},
      {false, 0, kOne - 1},  // the largest denormal
      {false, 1, kOne},      // the smallest normal
      {false, 2, kOne},
      {false, 0x7FFE, kAllOnes},  // the largest finite
      {true, 0x7FFE, kAllOnes},
      {false, 0x7FFE, kOne},
      {false, 16383 + 1023, 0xFFFFFFFFFFFFF800ull},  // the largest double
      {false, 16383 + 1023, 0xFFFFFFFFFFFFFC00ull},  // halfway above it
      {false, 16383 - 1074, kOne},                   // the smallest double denormal
      {false, 16383 - 1075, kOne},                   // half of it
      {false, 16383 - 1075, kOne | 1},
      {false, 16383 - 1022, 0xFFFFFFFFFFFFF800ull},  // top of the double denormals
      {false, 0x7FFF, kOne},                         // +infinity
      {true, 0x7FFF, kOne},                          // -infinity
      {false, 0x7FFF, 0xC000000000000000ull},        // quiet NaN
      {true, 0x7FFF, 0xC000000000000000ull},         // the indefinite NaN
      {false, 0x7FFF, 0xC000000000000123ull},        // a payload
      {false, 0x7FFF, 0x8000000000000001ull},        // a signaling NaN
      {false, 16383 + 62, kAllOnes},                 // below 2^63: integral
      {false, 16383 - 1, 0xC000000000000000ull},     // 0.75
      {false, 16383 - 1, kOne},                      // 0.5
  };
  Mismatch mismatch;
  for (const ExtendedBits& a : values) {
    for (const ExtendedBits& b : values) CheckPair(a, b, mismatch);
  }
  for (const double d :
       {0.0, -0.0, 1.0, 0.1, 5e-324, -2.2250738585072009e-308, 1.7976931348623157e308,
        std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::signaling_NaN()}) {
    CheckWidenings(DoubleBits(d), mismatch);
  }
  EXPECT_EQ(mismatch.count, 0);
}

// UDFZEL_EXTENDED_PAIRS shortens the run under an emulator, where the
// boundaries and a smaller draw of the same stream take minutes, not hours.
TEST(ExtendedAgainstX87, TenMillionRandomPairs) {
  const char* pairs = std::getenv("UDFZEL_EXTENDED_PAIRS");
  const int kPairs = pairs != nullptr ? std::atoi(pairs) : 10'000'000;
  Stream s{20261209};
  Mismatch mismatch;
  for (int i = 0; i < kPairs && mismatch.count < 10; ++i) {
    const ExtendedBits a = DrawOperand(s);
    const ExtendedBits b = (i % 3 == 0) ? Near(a, s) : DrawOperand(s);
    CheckPair(a, b, mismatch);
    if (i % 8 == 0) CheckWidenings(s.Next(), mismatch);
  }
  EXPECT_EQ(mismatch.count, 0);
}

#if defined(__SIZEOF_INT128__)
// The 32-bit targets' 128-bit integer against the compiler's, on the
// operations the software type does: shifts across the word boundary,
// carries, wrapping products and divisions by 64-bit values.
TEST(ExtendedAgainstX87, PortableUint128AgainstBuiltIn) {
  using Portable = udfzel::soft::PortableUint128;
  using BuiltIn = udfzel::soft::Uint128;
  const auto same = [](Portable p, BuiltIn b) {
    return static_cast<std::uint64_t>(p) == static_cast<std::uint64_t>(b) &&
           static_cast<std::uint64_t>(p >> 64) == static_cast<std::uint64_t>(b >> 64);
  };
  Stream s{1287};
  int mismatches = 0;
  for (int i = 0; i < 200'000; ++i) {
    const std::uint64_t words[] = {s.Next(), s.Next() >> (i % 64), s.Next(), s.Next() | kOne};
    const Portable a = (Portable(words[0]) << 64) | words[1];
    const BuiltIn a2 = (BuiltIn(words[0]) << 64) | words[1];
    const Portable b = (Portable(words[2]) << 64) | words[3];
    const BuiltIn b2 = (BuiltIn(words[2]) << 64) | words[3];
    const int shift = static_cast<int>(s.Next() % 128);
    const std::uint64_t divisor = i % 4 == 0 ? words[3] : (s.Next() >> (i % 63)) | 1;
    const bool ok = same(a << shift, a2 << shift) && same(a >> shift, a2 >> shift) &&
                    same(a + b, a2 + b2) && same(a - b, a2 - b2) &&
                    same(Portable(words[1]) * words[3], BuiltIn(words[1]) * words[3]) &&
                    same(a * b, a2 * b2) && same(a / divisor, a2 / divisor) &&
                    same(a % divisor, a2 % divisor) && (a < b) == (a2 < b2) &&
                    (a == b) == (a2 == b2) && same(Portable(-1) - 1, BuiltIn(-1) - 1);
    if (!ok && ++mismatches <= 5) ADD_FAILURE() << "pair " << i;
  }
  EXPECT_EQ(mismatches, 0);
}
#endif

}  // namespace
