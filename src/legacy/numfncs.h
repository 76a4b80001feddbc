// Number entry points. A null argument pointer (SQL NULL under a
// NULL-declared argument) gives 0 from the numeric functions and a null
// pointer from the text-returning ones.
#pragma once

#include <ibase.h>

#include "frame/udf_glob.h"

UDFZEL_EXPORT char* F_FormatFloat(const char* picture, const double* value) noexcept;
UDFZEL_EXPORT ISC_LONG F_Inc(const ISC_LONG* value, const ISC_LONG* step) noexcept;
UDFZEL_EXPORT ISC_INT64 F_Div(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept;
UDFZEL_EXPORT ISC_INT64 F_Mod(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept;
UDFZEL_EXPORT double F_DivNum(const double* dividend, const double* divisor) noexcept;
UDFZEL_EXPORT ISC_INT64 F_Trunc(const double* value) noexcept;
UDFZEL_EXPORT double F_Round(const double* value, const ISC_LONG* decimals) noexcept;
UDFZEL_EXPORT double F_Num(const double* value, const ISC_LONG* decimals) noexcept;
UDFZEL_EXPORT char* F_Str(const double* value, const ISC_LONG* width,
                          const ISC_LONG* decimals) noexcept;
UDFZEL_EXPORT char* F_StrZero(const double* value, const ISC_LONG* width,
                              const ISC_LONG* decimals) noexcept;
