#include "locale/process_locale.h"

#include "locale/era_table_loader.h"
#include "locale/load_locale_formats.h"
#include "locale/platform_locale.h"

namespace udfzel {
namespace {

// Loading never fails: any error falls back to the locale that answers
// nothing, and that failing, to the record's own defaults.
LocaleFormats LoadAtStart() noexcept {
  KeepLocaleServicesResident();
  try {
    return LoadLocaleFormats(*ProcessLocaleSource());
  } catch (...) {
  }
  try {
    return LoadLocaleFormats(*NamedLocaleSource("C"));
  } catch (...) {
  }
  return LocaleFormats{};
}

EraTable LoadErasAtStart(const LocaleFormats& locale) noexcept {
  try {
    return LoadEraTable(locale.LocaleName, locale.CalendarType, locale.CodePage);
  } catch (...) {
    return EraTable{};
  }
}

// Initialised while the module loads, in the loading thread, in this order.
const LocaleFormats kLoaded = LoadAtStart();
const EraTable kEras = LoadErasAtStart(kLoaded);

}  // namespace

const LocaleFormats& LoadedLocaleFormats() noexcept {
  return kLoaded;
}
const EraTable& LoadedEraTable() noexcept {
  return kEras;
}

}  // namespace udfzel
