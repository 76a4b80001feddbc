#include "engines/extended/extended_soft.h"

#include "engines/extended/uint128.h"

namespace udfzel::soft {
namespace {

using u64 = std::uint64_t;
using u128 = Uint128;

constexpr int kBias = 16383;
constexpr int kMaxField = 0x7FFF;
constexpr u64 kIntegerBit = u64{1} << 63;
constexpr u64 kQuietBit = u64{1} << 62;
constexpr u64 kHalf = u64{1} << 63;

// An operand taken apart: value = significand / 2^63 × 2^(exponent − bias),
// the significand normalized (integer bit set) unless it is zero.
struct Unpacked {
  bool sign;
  int exponent;
  u64 significand;
};

Unpacked Unpack(const ExtendedBits& bits) {
  Unpacked u{bits.sign, bits.exponentField, bits.significand};
  if (u.exponent == 0) {
    // Denormal: the exponent of the smallest normal, then normalized.
    u.exponent = 1;
    if (u.significand != 0) {
      const int shift = __builtin_clzll(u.significand);
      u.significand <<= shift;
      u.exponent -= shift;
    }
  }
  return u;
}

Extended Pack(bool sign, int field, u64 significand) {
  return Extended::FromBits({sign, field, significand});
}

// The one rounding routine. `significand` has its integer bit set (or is
// zero); `extra` holds the bits below it: its top bit is the rounding bit,
// the rest are sticky. Rounds to nearest, ties to even, through the
// extended denormals, and to infinity beyond the largest finite value.
Extended RoundPack(bool sign, int exponent, u64 significand, u64 extra) {
  if (significand == 0 && extra == 0) return Pack(sign, 0, 0);
  if (exponent <= 0) {
    // Denormal: shift right to the fixed exponent 1, the bits shifted out
    // joining the sticky ones.
    const int shift = 1 - exponent;
    if (shift >= 128) {
      extra = 1;  // nonzero, below half
      significand = 0;
    } else if (shift >= 64) {
      const u64 sticky = (extra != 0) | ((shift == 64 ? 0 : significand << (128 - shift)) != 0);
      extra = shift == 64 ? significand : significand >> (shift - 64);
      extra |= sticky;
      significand = 0;
    } else {
      extra = (significand << (64 - shift)) | (extra >> shift) | ((extra << (64 - shift)) != 0);
      significand >>= shift;
    }
    exponent = 0;
  }
  if (extra > kHalf || (extra == kHalf && (significand & 1) != 0)) {
    ++significand;
    if (significand == 0) {  // carried out of the top bit
      significand = kIntegerBit;
      ++exponent;
    } else if (exponent == 0 && significand == kIntegerBit) {
      exponent = 1;  // a denormal rounded up to the smallest normal
    }
  }
  if (exponent >= kMaxField) return Pack(sign, kMaxField, kIntegerBit);
  return Pack(sign, exponent, significand);
}

// Normalizes a 128-bit significand whose value is hi.lo / 2^63 × 2^(exponent − bias).
Extended NormalizeRoundPack(bool sign, int exponent, u128 wide) {
  if (wide == 0) return Pack(sign, 0, 0);
  const auto hi = static_cast<u64>(wide >> 64);
  const int shift = hi != 0 ? __builtin_clzll(hi) : 64 + __builtin_clzll(static_cast<u64>(wide));
  wide <<= shift;
  return RoundPack(sign, exponent - shift, static_cast<u64>(wide >> 64), static_cast<u64>(wide));
}

bool IsNaN(const ExtendedBits& bits) {
  return bits.exponentField == kMaxField && (bits.significand << 1) != 0;
}
bool IsInfinity(const ExtendedBits& bits) {
  return bits.exponentField == kMaxField && (bits.significand << 1) == 0;
}
bool IsZero(const ExtendedBits& bits) {
  return bits.exponentField == 0 && bits.significand == 0;
}

// The x87's invalid-operation result, the indefinite NaN.
Extended DefaultNaN() {
  return Pack(true, kMaxField, kIntegerBit | kQuietBit);
}

// Two operands, at least one a NaN, as the x87 chooses: a quiet NaN over a
// signaling one, else the larger significand; the choice comes back quiet.
Extended PropagateNaN(const ExtendedBits& a, const ExtendedBits& b) {
  const ExtendedBits* chosen = IsNaN(a) ? &a : &b;
  if (IsNaN(a) && IsNaN(b)) {
    const bool aQuiet = (a.significand & kQuietBit) != 0;
    const bool bQuiet = (b.significand & kQuietBit) != 0;
    if (aQuiet != bQuiet) {
      chosen = aQuiet ? &a : &b;
    } else if (b.significand > a.significand ||
               (b.significand == a.significand && !b.sign && a.sign)) {
      chosen = &b;
    }
  }
  return Pack(chosen->sign, kMaxField, chosen->significand | kQuietBit);
}

Extended AddMagnitudes(const ExtendedBits& a, const ExtendedBits& b, bool subtract) {
  const bool bSign = b.sign != subtract;
  if (IsNaN(a) || IsNaN(b)) return PropagateNaN(a, b);
  if (IsInfinity(a) || IsInfinity(b)) {
    if (IsInfinity(a) && IsInfinity(b) && a.sign != bSign) return DefaultNaN();
    return IsInfinity(a) ? Pack(a.sign, kMaxField, kIntegerBit)
                         : Pack(bSign, kMaxField, kIntegerBit);
  }
  if (IsZero(a) && IsZero(b)) return Pack(a.sign && bSign, 0, 0);
  Unpacked x = Unpack(a);
  Unpacked y = Unpack(b);
  y.sign = bSign;
  if (x.significand == 0) return Pack(y.sign, b.exponentField, b.significand);
  if (y.significand == 0) return Pack(x.sign, a.exponentField, a.significand);
  // x the larger in magnitude.
  if (y.exponent > x.exponent || (y.exponent == x.exponent && y.significand > x.significand)) {
    const Unpacked t = x;
    x = y;
    y = t;
  }
  // Both as 128 bits, the smaller shifted right with a sticky bit. Two
  // spare bits at the top take a carry.
  u128 big = static_cast<u128>(x.significand) << 62;
  u128 small = static_cast<u128>(y.significand) << 62;
  const int shift = x.exponent - y.exponent;
  if (shift >= 126) {
    small = 1;
  } else if (shift > 0) {
    const bool sticky = (small & ((static_cast<u128>(1) << shift) - 1)) != 0;
    small = (small >> shift) | static_cast<u128>(sticky);
  }
  const u128 sum = x.sign == y.sign ? big + small : big - small;
  // big holds the integer bit at 125: the value's exponent is x.exponent
  // with the integer bit at 127 after a shift of 2.
  if (sum == 0) return Pack(false, 0, 0);  // exact cancellation: +0
  return NormalizeRoundPack(x.sign, x.exponent + 2, sum);
}

}  // namespace

Extended operator+(Extended a, Extended b) {
  return AddMagnitudes(a.Bits(), b.Bits(), false);
}
Extended operator-(Extended a, Extended b) {
  return AddMagnitudes(a.Bits(), b.Bits(), true);
}

Extended operator*(Extended a, Extended b) {
  const ExtendedBits x = a.Bits();
  const ExtendedBits y = b.Bits();
  const bool sign = x.sign != y.sign;
  if (IsNaN(x) || IsNaN(y)) return PropagateNaN(x, y);
  if (IsInfinity(x) || IsInfinity(y)) {
    if (IsZero(x) || IsZero(y)) return DefaultNaN();
    return Pack(sign, kMaxField, kIntegerBit);
  }
  if (IsZero(x) || IsZero(y)) return Pack(sign, 0, 0);
  const Unpacked u = Unpack(x);
  const Unpacked v = Unpack(y);
  // The product of two significands in [2^63, 2^64) is in [2^126, 2^128).
  const u128 product = static_cast<u128>(u.significand) * v.significand;
  return NormalizeRoundPack(sign, u.exponent + v.exponent - kBias + 1, product);
}

Extended operator/(Extended a, Extended b) {
  const ExtendedBits x = a.Bits();
  const ExtendedBits y = b.Bits();
  const bool sign = x.sign != y.sign;
  if (IsNaN(x) || IsNaN(y)) return PropagateNaN(x, y);
  if (IsInfinity(x)) {
    return IsInfinity(y) ? DefaultNaN() : Pack(sign, kMaxField, kIntegerBit);
  }
  if (IsInfinity(y)) return Pack(sign, 0, 0);
  if (IsZero(y)) return IsZero(x) ? DefaultNaN() : Pack(sign, kMaxField, kIntegerBit);
  if (IsZero(x)) return Pack(sign, 0, 0);
  const Unpacked u = Unpack(x);
  const Unpacked v = Unpack(y);
  // A 64-bit quotient with its integer bit set, then 64 more bits of it
  // from the remainder, and a sticky bit for what is left.
  int exponent = u.exponent - v.exponent + kBias;
  u128 dividend = static_cast<u128>(u.significand) << 63;
  if (u.significand < v.significand) {
    dividend <<= 1;
    --exponent;
  }
  const u64 quotient = static_cast<u64>(dividend / v.significand);
  const u64 remainder = static_cast<u64>(dividend % v.significand);
  const u128 next = static_cast<u128>(remainder) << 64;
  u64 extra = static_cast<u64>(next / v.significand);
  if (next % v.significand != 0) extra |= 1;
  return RoundPack(sign, exponent, quotient, extra);
}

int Extended::Compare(Extended a, Extended b) {
  const ExtendedBits x = a.Bits();
  const ExtendedBits y = b.Bits();
  if (IsNaN(x) || IsNaN(y)) return kUnordered;
  if (IsZero(x) && IsZero(y)) return kEqual;
  // Canonical encodings order as (exponent field, significand) within a sign.
  const auto key = [](const ExtendedBits& e) {
    return (static_cast<u128>(e.exponentField) << 64) | e.significand;
  };
  if (x.sign != y.sign) return x.sign ? kLess : kGreater;
  if (key(x) == key(y)) return kEqual;
  return (key(x) < key(y)) != x.sign ? kLess : kGreater;
}

double Extended::ToDouble() const {
  const ExtendedBits bits = Bits();
  const u64 sign = static_cast<u64>(bits.sign) << 63;
  if (bits.exponentField == kMaxField) {
    if ((bits.significand << 1) == 0)
      return __builtin_bit_cast(double, sign | 0x7FF0000000000000ull);
    const u64 payload = (bits.significand >> 11) & 0xFFFFFFFFFFFFFull;
    return __builtin_bit_cast(double, sign | 0x7FF0000000000000ull | payload | (u64{1} << 51));
  }
  if (IsZero(bits)) return __builtin_bit_cast(double, sign);
  const Unpacked u = Unpack(bits);
  // The double's biased exponent; below 1, a denormal.
  const int field = u.exponent - kBias + 1023;
  if (field >= 0x7FF) return __builtin_bit_cast(double, sign | 0x7FF0000000000000ull);
  const int shift = field >= 1 ? 11 : 11 + 1 - field;
  u64 mantissa = 0;
  u64 rest = 0;  // the dropped bits, scaled so that a half is 2^63
  if (shift < 64) {
    mantissa = u.significand >> shift;
    rest = u.significand << (64 - shift);
  } else if (shift == 64) {
    rest = u.significand;
  } else {
    rest = 1;  // far below half of the smallest denormal
  }
  if (rest > kHalf || (rest == kHalf && (mantissa & 1) != 0)) ++mantissa;
  // The integer bit lands in the exponent field, so a carry out of the
  // mantissa, or a denormal rounded up to a normal, packs itself.
  const u64 exponentPart = field >= 1 ? static_cast<u64>(field - 1) << 52 : 0;
  const u64 packed = exponentPart + mantissa;
  if (packed >= 0x7FF0000000000000ull)
    return __builtin_bit_cast(double, sign | 0x7FF0000000000000ull);
  return __builtin_bit_cast(double, sign | packed);
}

}  // namespace udfzel::soft
