// Filling LocaleFormats from a locale source, by the library's rules: the
// order of reading, the fallbacks, and the translation of the locale's date
// formats into date pictures.
#pragma once

#include <string>

#include "locale/locale_formats.h"
#include "locale/locale_source.h"

namespace udfzel {

LocaleFormats LoadLocaleFormats(const LocaleSource& source);

// The item's text; `fallback` only when it cannot be read or is longer than
// 255 characters. An item that reads empty gives the empty text.
std::string LocaleText(const LocaleSource& source, LocaleItem item, const std::string& fallback,
                       int index = 0);

// The item's one character; `fallback` when it cannot be read or is longer
// than one character. An item that reads empty gives the zero character.
char LocaleChar(const LocaleSource& source, LocaleItem item, char fallback);

// The locale's date format as a date picture: era calendars (types 3, 4, 5)
// write their years as era years; Chinese, Japanese and Korean locales on
// other calendars drop the era marks.
std::string TranslateSystemDatePicture(const std::string& format, int calendarType,
                                       const LocaleFormats& formats);

}  // namespace udfzel
