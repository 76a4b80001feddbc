// The number functions as both faces call them, with the legacy entry
// points' arguments. A null argument pointer gives 0 from the numeric
// functions and SQL NULL (false) from the text producers. Nothing leaves
// the numeric functions but a value; an over-long picture is F_FormatFloat's
// EConvertError.
#pragma once

#include <ibase.h>

#include "frame/text_buffer.h"

namespace udfzel::results {

ISC_LONG F_Inc(const ISC_LONG* value, const ISC_LONG* step) noexcept;
ISC_INT64 F_Div(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept;
ISC_INT64 F_Mod(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept;
double F_DivNum(const double* dividend, const double* divisor) noexcept;
ISC_INT64 F_Trunc(const double* value) noexcept;
double F_Round(const double* value, const ISC_LONG* decimals) noexcept;
double F_Num(const double* value, const ISC_LONG* decimals) noexcept;

bool F_FormatFloat(TextBuffer& text, const char* picture, const double* value);
bool F_Str(TextBuffer& text, const double* value, const ISC_LONG* width, const ISC_LONG* decimals);
bool F_StrZero(TextBuffer& text, const double* value, const ISC_LONG* width,
               const ISC_LONG* decimals);

}  // namespace udfzel::results
