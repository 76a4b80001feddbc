// The locale services on Linux: ICU's CLDR data, ICU's calendars.
#include "locale/platform_locale.h"

#include "locale/icu_locale_source.h"
#include "locale/icu_residency.h"

namespace udfzel {

std::unique_ptr<LocaleSource> ProcessLocaleSource() {
  return std::make_unique<IcuLocaleSource>(IcuLocaleSource::FromEnvironment());
}

std::unique_ptr<LocaleSource> NamedLocaleSource(const std::string& name) {
  return std::make_unique<IcuLocaleSource>(name);
}

void KeepLocaleServicesResident() noexcept {
  KeepIcuResident();
}

}  // namespace udfzel
