#include "locale/icu_era_source.h"

#include <unicode/udat.h>

#include "engines/dates/day_serial.h"
#include "locale/icu_locale_source.h"

namespace udfzel {
std::string IcuEraSource::Format(const char16_t* pattern, int year, int month, int day) const {
  if (year < 1 || month < 1 || month > 12 || day < 1) return {};  // no calendar date
  static const UChar kUtc[] = {'U', 'T', 'C', 0};
  UErrorCode status = U_ZERO_ERROR;
  UDateFormat* format = udat_open(UDAT_PATTERN, UDAT_PATTERN, locale_.c_str(), kUtc, -1,
                                  reinterpret_cast<const UChar*>(pattern), -1, &status);
  if (U_FAILURE(status)) return {};
  const double noon = (static_cast<double>(DaysFromCivil(year, month, day)) + 0.5) * 86400000.0;
  UChar text[64];
  const int32_t length = udat_format(format, noon, text, 64, nullptr, &status);
  udat_close(format);
  if (U_FAILURE(status) || length < 0 || length > 64) return {};
  const auto converted = IcuTextToCodePage(
      std::u16string(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)),
      codePage_);
  return converted ? *converted : std::string();
}

std::string IcuEraSource::EraName(int year, int month, int day) const {
  return Format(u"G", year, month, day);
}

std::string IcuEraSource::EraYear(int year, int month, int day, bool full) const {
  return Format(full ? u"y" : u"yy", year, month, day);
}

}  // namespace udfzel
