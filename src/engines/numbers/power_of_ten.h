// The three power-of-ten tables ScaleByPowerOfTen multiplies and divides by:
// 1e0..1e31, 1e(32k) for k = 1..15 and 1e(512k) for k = 1..9.
#pragma once

#include <array>

#include "engines/numbers/floattext.h"

namespace udfzel {

extern const std::array<Extended, 32> kPowersOfTenLow;
extern const std::array<Extended, 16> kPowersOfTenMiddle;  // index 0 unused
extern const std::array<Extended, 10> kPowersOfTenHigh;    // index 0 unused

// Beyond 10^±5119 every finite extended value scales to infinity or zero,
// which ScaleByPowerOfTen gives outright.
inline constexpr int kPowerOfTenLimit = 5120;

}  // namespace udfzel
