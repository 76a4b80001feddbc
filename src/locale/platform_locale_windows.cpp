// The locale services on Windows: the user default locale, its items, code
// page and calendars, from the system's own locale services.
#include "locale/platform_locale.h"

#include "locale/windows_locale_source.h"

namespace udfzel {

std::unique_ptr<LocaleSource> ProcessLocaleSource() {
  return std::make_unique<WindowsLocaleSource>(WindowsLocaleSource::FromUserDefault());
}

std::unique_ptr<LocaleSource> NamedLocaleSource(const std::string& name) {
  return std::make_unique<WindowsLocaleSource>(name);
}

// The system's locale services live in its own libraries, which outlive
// every module.
void KeepLocaleServicesResident() noexcept {}

}  // namespace udfzel
