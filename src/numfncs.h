// Number entry points. A null value pointer (SQL NULL under a NULL-declared
// argument) gives a null result for text-returning functions.
#pragma once

#include <ibase.h>

#include "udf_glob.h"

UDFZEL_EXPORT char* F_FormatFloat(const char* picture, const double* value) noexcept;
