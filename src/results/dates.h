// The date functions as both faces call them. The date record arrives as
// ISC_QUAD and is read as ISC_TIMESTAMP; a null record gives a null pointer,
// 0, or SQL NULL (false).
#pragma once

#include <ibase.h>

#include "frame/text_buffer.h"

namespace udfzel::results {

// SQL NULL (false) for the zero record as well.
bool F_FormatDateTime(TextBuffer& text, const char* picture, ISC_QUAD* date);
ISC_QUAD* F_UltDia(ISC_QUAD* date) noexcept;
ISC_LONG F_UltDiaMes(ISC_QUAD* date) noexcept;

}  // namespace udfzel::results
