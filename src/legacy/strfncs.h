// Text entry points. Each works in the server's argument buffer: it may write
// one zero byte into it and returns a pointer into it; nothing is allocated.
// A null text pointer (SQL NULL under a NULL-declared argument) gives a null
// pointer, and 0 for F_StrLen.
#pragma once

#include <ibase.h>

#include "frame/udf_glob.h"

UDFZEL_EXPORT ISC_LONG F_StrLen(char* text) noexcept;
UDFZEL_EXPORT char* F_Trim(char* text) noexcept;
UDFZEL_EXPORT char* F_LTrim(char* text) noexcept;
UDFZEL_EXPORT char* F_RTrim(char* text) noexcept;
UDFZEL_EXPORT char* F_StrLeft(char* text, const ISC_LONG* count) noexcept;
UDFZEL_EXPORT char* F_StrRight(char* text, const ISC_LONG* count) noexcept;
UDFZEL_EXPORT char* F_SubStr(char* text, const ISC_LONG* start, const ISC_LONG* count) noexcept;
UDFZEL_EXPORT char* F_ProperCase(char* text) noexcept;
UDFZEL_EXPORT char* F_ConStr(char* text) noexcept;
// A null mask or value reads as an empty text.
UDFZEL_EXPORT char* F_FormatMaskText(const char* mask, const char* value) noexcept;
