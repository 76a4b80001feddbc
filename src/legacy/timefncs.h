// Date entry points. The date record arrives as ISC_QUAD and is read as
// ISC_TIMESTAMP. A null record pointer gives a null or 0 result.
#pragma once

#include <ibase.h>

#include "frame/udf_glob.h"

UDFZEL_EXPORT char* F_FormatDateTime(const char* picture, ISC_QUAD* date) noexcept;
UDFZEL_EXPORT ISC_QUAD* F_UltDia(ISC_QUAD* date) noexcept;
UDFZEL_EXPORT ISC_LONG F_UltDiaMes(ISC_QUAD* date) noexcept;
