// Filling LocaleFormats from a locale source, by the library's rules: the
// order of reading, the fallbacks, and the translation of the locale's date
// formats into date pictures.
#pragma once

#include <string>

#include "records/locale_formats.h"
#include "locale/locale_source.h"

namespace udfzel {

LocaleFormats LoadLocaleFormats(const LocaleSource& source);

}  // namespace udfzel
