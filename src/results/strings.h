// The text functions as both faces call them, with the legacy entry points'
// arguments. The in-place functions work in the caller's text buffer: they
// may write one zero byte into it and return a pointer into it; a null text
// gives a null pointer (0 for F_StrLen). Nothing leaves them but a value.
#pragma once

#include <ibase.h>

#include "frame/text_buffer.h"

namespace udfzel::results {

ISC_LONG F_StrLen(char* text) noexcept;
char* F_Trim(char* text) noexcept;
char* F_LTrim(char* text) noexcept;
char* F_RTrim(char* text) noexcept;
char* F_StrLeft(char* text, const ISC_LONG* count) noexcept;
char* F_StrRight(char* text, const ISC_LONG* count) noexcept;
char* F_SubStr(char* text, const ISC_LONG* start, const ISC_LONG* count) noexcept;
char* F_ProperCase(char* text) noexcept;
char* F_ConStr(char* text) noexcept;

// Writes the masked value into `text`; a null mask or value reads as an
// empty text.
bool F_FormatMaskText(TextBuffer& text, const char* mask, const char* value);

}  // namespace udfzel::results
