#include "frame/process_locale.h"

#include "locale/icu_era_table.h"
#include "locale/icu_locale_source.h"
#include "locale/icu_residency.h"
#include "locale/load_locale_formats.h"

namespace udfzel {
namespace {

// Loading never fails: any error falls back to the locale that answers
// nothing, and that failing, to the record's own defaults.
LocaleFormats LoadAtStart() noexcept {
  KeepIcuResident();
  try {
    return LoadLocaleFormats(IcuLocaleSource::FromEnvironment());
  } catch (...) {
  }
  try {
    return LoadLocaleFormats(IcuLocaleSource("C"));
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
