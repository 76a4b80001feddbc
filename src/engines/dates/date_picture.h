// Date text by picture: "dd/mm/yyyy hh:nn", "dddd, d 'de' mmmm 'de' yyyy",
// "h:nn am/pm", "c". Names, separators and the standard pictures come from
// LocaleFormats; era names and era years from the loaded EraTable.
#pragma once

#include <string>
#include <string_view>

#include "engines/dates/day_serial.h"
#include "records/era_table.h"
#include "frame/text_buffer.h"
#include "records/locale_formats.h"

namespace udfzel {


// The text is at most this long; more is dropped.
inline constexpr std::size_t kDatePictureLimit = 256;

// Appends `serial` formatted by `picture` (an empty picture reads as "c").
// `out` must hold kDatePictureLimit bytes of text.
void FormatDatePicture(std::string_view picture, DaySerial serial, const LocaleFormats& locale,
                       const EraTable& eras, TextBuffer& out);

}  // namespace udfzel
