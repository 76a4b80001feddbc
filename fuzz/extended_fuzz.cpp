// The software extended type against the x87 unit on fuzzed bit patterns:
// any difference in +, -, *, /, the comparisons, rounding to double or
// truncation aborts.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engines/extended/extended.h"
#include "engines/extended/extended_soft.h"
#include "engines/extended/extended_x87.h"
#include "input_decoder.h"

namespace {

using udfzel::ExtendedBits;
using Soft = udfzel::soft::Extended;
using Hard = udfzel::x87::Extended;

void Check(bool ok) {
  if (!ok) std::abort();
}

// Ten bytes as the x87 stores them, made canonical: the integer bit set
// exactly when the exponent field is not zero (the engines make no other).
ExtendedBits Draw(udfzel_fuzz::InputDecoder& in) {
  const auto low = static_cast<std::uint32_t>(in.Int32());
  const auto high = static_cast<std::uint32_t>(in.Int32());
  const int top = in.Byte() | (in.Byte() << 8);
  ExtendedBits bits{(top & 0x8000) != 0, top & 0x7FFF, (std::uint64_t{high} << 32) | low};
  constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
  if (bits.exponentField == 0) {
    bits.significand &= ~kIntegerBit;
  } else {
    bits.significand |= kIntegerBit;
  }
  return bits;
}

std::uint64_t DoubleBits(double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return u;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  const ExtendedBits a = Draw(in);
  const ExtendedBits b = Draw(in);
  const Soft sa = Soft::FromBits(a);
  const Soft sb = Soft::FromBits(b);
  const Hard ha = Hard::FromBits(a);
  const Hard hb = Hard::FromBits(b);
  Check((sa + sb).Bits() == (ha + hb).Bits());
  Check((sa - sb).Bits() == (ha - hb).Bits());
  Check((sa * sb).Bits() == (ha * hb).Bits());
  Check((sa / sb).Bits() == (ha / hb).Bits());
  Check((sa == sb) == (ha == hb) && (sa < sb) == (ha < hb) && (sa <= sb) == (ha <= hb));
  Check(DoubleBits(sa.ToDouble()) == DoubleBits(ha.ToDouble()));
  Check(udfzel::Trunc(sa).Bits() == udfzel::Trunc(ha).Bits());
  const double d = in.Double();
  Check(Soft(d).Bits() == Hard(d).Bits());
  return 0;
}
