// The LocaleFormats of this process: read from the locale the environment
// names (LC_ALL, else LANG) when the module is loaded, before the server can
// call any entry point, and only read afterwards. No lock, no lazy start.
#pragma once

#include "records/era_table.h"
#include "records/locale_formats.h"

namespace udfzel {

const LocaleFormats& LoadedLocaleFormats() noexcept;

// The eras of the loaded locale's calendar, read at load.
const EraTable& LoadedEraTable() noexcept;

}  // namespace udfzel
