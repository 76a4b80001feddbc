#include "locale/process_locale.h"

#include "locale/icu_locale_source.h"
#include "locale/load_locale_formats.h"

namespace udfzel {
namespace {

// Loading never fails: any error falls back to the locale that answers
// nothing, and that failing, to the record's own defaults.
LocaleFormats LoadAtStart() noexcept {
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

// Initialised while the module loads, in the loading thread.
const LocaleFormats kLoaded = LoadAtStart();

}  // namespace

const LocaleFormats& LoadedLocaleFormats() noexcept { return kLoaded; }

}  // namespace udfzel
