// Fixed-width number text: right-aligned fixed-point text, or an exponent
// text with a four-digit exponent; "." always, whatever the locale.
#pragma once

#include <cstdint>
#include <string_view>

#include "engines/extended/extended.h"
#include "frame/text_buffer.h"

namespace udfzel {

// Room for the longest text (255 characters) and its zero byte.
inline constexpr std::size_t kFixedWidthOutput = 256;

// x in a field of `width` (at most 255) with `decimals` (at most 216;
// negative selects the exponent form). "+Inf", "-Inf", "Nan" for the rest.
void FixedWidthNumber(double x, std::int32_t width, std::int32_t decimals, TextBuffer& out);

// The same text with its leading spaces turned into zeros (F_StrZero).
void ZeroFillLeadingSpaces(char* text);

}  // namespace udfzel
