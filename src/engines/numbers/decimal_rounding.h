// Rounding and cutting a value to a number of decimals, through the
// decimal texts (positive counts) or a power of ten (zero or negative
// counts, which give the value in units of 10^|count|).
#pragma once

#include <cstdint>

#include "engines/extended/extended.h"

namespace udfzel {

// base^n by binary exponentiation in extended precision (wide n, so that
// |n| of any int32 count is defined).
Extended PowerOfTen(Extended base, std::int64_t n);

// F_Round: halves away from zero on the decimal digits for decimals > 0,
// to the even integer for decimals <= 0. Any failure of the text round trip
// gives 0.
double RoundToDecimals(double x, std::int32_t decimals, char decimalMark);

// F_Num: the decimals beyond `decimals` cut off, toward zero. A text that
// no longer parses gives 0.
double CutToDecimals(double x, std::int32_t decimals, char decimalMark);

}  // namespace udfzel
