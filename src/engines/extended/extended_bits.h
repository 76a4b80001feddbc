// The fields of a value in the 80-bit extended format, as its ten bytes hold
// them: sign, 15-bit biased exponent, 64-bit significand with an explicit
// integer bit.
#pragma once

#include <cstdint>

namespace udfzel {

struct ExtendedBits {
  bool sign;
  int exponentField;          // biased by 16383; 0 zero/denormal, 0x7FFF infinity/NaN
  std::uint64_t significand;  // with its explicit integer bit
  bool operator==(const ExtendedBits&) const = default;
};

}  // namespace udfzel
