// Edit masks: lays a value text into a mask such as "000.000.000-00;0;_"
// (insert mode: the mask's literals go between the value's characters) or
// "!99/99/0000;1;_" (align mode: the value carries the literals, and each
// stretch between them is padded or cut to its slots).
#pragma once

#include <cstddef>
#include <string_view>

#include "frame/text_buffer.h"
#include "records/locale_formats.h"

namespace udfzel {

enum class MaskCharClass {
  PastEnd,
  PlainLiteral,
  LocaleLiteral,
  Directive,
  RequiredSlot,
  OptionalSlot,
  SectionSeparator,
  SectionValue,
};

// The class of mask position p (1-based).
MaskCharClass ClassifyMaskChar(std::string_view mask, std::size_t p, const LocaleFormats& locale);

// Whether the mask keeps its literals in the value (align mode).
bool MaskSavesLiterals(std::string_view mask, const LocaleFormats& locale);

// Room ApplyEditMask needs in `out` for these texts, the zero byte included.
std::size_t EditMaskWorkSize(std::string_view mask, std::string_view value);

// Writes the value laid into the mask to `out`, which must hold at least
// EditMaskWorkSize(mask, value) bytes.
void ApplyEditMask(std::string_view mask, std::string_view value, const LocaleFormats& locale,
                   TextBuffer& out);

}  // namespace udfzel
