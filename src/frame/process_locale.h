// The LocaleFormats of this process: read from the locale the environment
// names (LC_ALL, else LANG) when the module is loaded, before the server can
// call any entry point, and only read afterwards. No lock, no lazy start.
#pragma once

#include "engines/dates/era_source.h"
#include "locale/locale_formats.h"

namespace udfzel {

const LocaleFormats& LoadedLocaleFormats() noexcept;

// The era texts of the loaded locale's calendar.
const EraSource& LoadedEraSource() noexcept;

}  // namespace udfzel
