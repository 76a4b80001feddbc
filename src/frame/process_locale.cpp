#include "frame/process_locale.h"

#include "locale/icu_era_source.h"
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

// Initialised while the module loads, in the loading thread, in this order.
const LocaleFormats kLoaded = LoadAtStart();
const IcuEraSource kEras(kLoaded.LocaleName, kLoaded.CodePage);

}  // namespace

const LocaleFormats& LoadedLocaleFormats() noexcept { return kLoaded; }
const EraSource& LoadedEraSource() noexcept { return kEras; }

}  // namespace udfzel
