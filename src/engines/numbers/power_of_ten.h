// The three power-of-ten tables ScaleByPowerOfTen multiplies and divides by:
// 1e0..1e31, 1e(32k) for k = 1..15 and 1e(512k) for k = 1..9.
#pragma once

#include "engines/numbers/floattext.h"

namespace udfzel {

extern const long double kPowersOfTenLow[32];
extern const long double kPowersOfTenMiddle[16];  // index 0 unused
extern const long double kPowersOfTenHigh[10];    // index 0 unused

}  // namespace udfzel
