#include "locale/era_table_loader.h"

#include <unicode/ucal.h>
#include <unicode/udat.h>
#include <unicode/uloc.h>

#include <cstring>
#include <optional>

#include "locale/code_page_text.h"
#include "locale/icu_locale_names.h"
#include "locale/icu_locale_source.h"
#include "records/civil_date.h"
#include "records/locale_formats.h"

namespace udfzel {
namespace {

constexpr double kMillisecondsPerDay = 86400000.0;
// Before every date ICU can hold: the Gregorian rules for every year.
constexpr UDate kProlepticGregorian = -8.64e15;

// Noon of a day (days since 1970-01-01), as ICU counts time.
UDate Noon(std::int64_t day) {
  return (static_cast<double>(day) + 0.5) * kMillisecondsPerDay;
}

// The era's name in the code page, where the code page holds it whole.
void SetName(Era& era, const std::u16string& text, int codePage) {
  era.SetName(WriteInCodePage(codePage, text));
}

// Whether a calendar's years begin with the Gregorian years.
bool YearsFollowGregorianYears(const UCalendar* calendar) {
  UErrorCode status = U_ZERO_ERROR;
  const char* type = ucal_getType(calendar, &status);
  if (U_FAILURE(status) || type == nullptr) return false;
  for (const char* aligned : {"gregorian", "iso8601", "buddhist", "japanese", "roc"}) {
    if (std::strcmp(type, aligned) == 0) return true;
  }
  return false;
}

// Reads ICU's eras for one calendar, day by day in effect: each era's last
// day is found by bisection (eras follow each other in time), its year
// count from the years at its two ends.
class IcuEras {
 public:
  IcuEras(const std::string& locale, int codePage) : codePage_(codePage) {
    static const UChar kUtc[] = {'U', 'T', 'C', 0};
    static const UChar kEraPattern[] = {'G', 0};
    UErrorCode status = U_ZERO_ERROR;
    std::string name = locale;
    calendar_ = ucal_open(kUtc, -1, name.c_str(), UCAL_DEFAULT, &status);
    if (U_SUCCESS(status) && !YearsFollowGregorianYears(calendar_)) {
      // A lunar or lunisolar calendar (islamic, chinese...): its years do
      // not follow the dates the library writes; the Gregorian eras do.
      ucal_close(calendar_);
      name = LocaleWithKeyword(locale, "calendar", "gregorian");
      calendar_ = ucal_open(kUtc, -1, name.c_str(), UCAL_DEFAULT, &status);
    }
    // Proleptic Gregorian where ICU allows it (not for its Japanese and ROC
    // calendars: their eras begin on the same days, and the table counts
    // their years by the library's calendar all the same).
    UErrorCode change = U_ZERO_ERROR;
    if (U_SUCCESS(status)) ucal_setGregorianChange(calendar_, kProlepticGregorian, &change);
    format_ =
        udat_open(UDAT_PATTERN, UDAT_PATTERN, name.c_str(), kUtc, -1, kEraPattern, -1, &status);
    if (U_SUCCESS(status)) udat_setCalendar(format_, calendar_);
    ok_ = U_SUCCESS(status);
  }
  ~IcuEras() {
    if (format_ != nullptr) udat_close(format_);
    if (calendar_ != nullptr) ucal_close(calendar_);
  }
  IcuEras(const IcuEras&) = delete;
  IcuEras& operator=(const IcuEras&) = delete;

  EraTable Read() {
    EraTable table;
    const std::int64_t last = DaysFromCivil(9999, 12, 31);
    for (std::int64_t start = DaysFromCivil(1, 1, 1); ok_ && start <= last;) {
      const std::int64_t end = LastDayOfEra(start, last);
      Era era;
      if (!ok_ || !Describe(start, end, era) || !table.Add(era)) return EraTable{};
      start = end + 1;
    }
    return ok_ ? table : EraTable{};
  }

 private:
  std::int32_t Field(std::int64_t day, UCalendarDateFields field) {
    UErrorCode status = U_ZERO_ERROR;
    ucal_setMillis(calendar_, Noon(day), &status);
    const std::int32_t value = ucal_get(calendar_, field, &status);
    if (U_FAILURE(status)) ok_ = false;
    return value;
  }

  std::int64_t LastDayOfEra(std::int64_t start, std::int64_t last) {
    const std::int32_t era = Field(start, UCAL_ERA);
    if (Field(last, UCAL_ERA) == era) return last;
    std::int64_t in = start;  // in the era
    std::int64_t out = last;  // beyond it
    while (out - in > 1) {
      const std::int64_t middle = in + (out - in) / 2;
      (Field(middle, UCAL_ERA) == era ? in : out) = middle;
    }
    return in;
  }

  bool Describe(std::int64_t start, std::int64_t end, Era& era) {
    const std::int64_t firstYear = CivilFromDays(start).year;
    const std::int64_t lastYear = CivilFromDays(end).year;
    const std::int32_t firstEraYear = Field(start, UCAL_YEAR);
    const std::int32_t lastEraYear = Field(end, UCAL_YEAR);
    era.firstDay = start;
    era.direction = lastYear != firstYear && (lastEraYear - firstEraYear) < 0 ? -1 : 1;
    era.yearOne = static_cast<std::int32_t>(firstYear - era.direction * (firstEraYear - 1));
    UChar text[64];
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t length = udat_format(format_, Noon(start), text, 64, nullptr, &status);
    if (U_FAILURE(status) || length < 0 || length > 64) return false;
    SetName(
        era,
        std::u16string(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)),
        codePage_);
    return true;
  }

  int codePage_;
  UCalendar* calendar_ = nullptr;
  UDateFormat* format_ = nullptr;
  bool ok_ = false;
};

}  // namespace

EraTable LoadEraTable(const std::string& locale, int calendarType, int codePage) {
  if (calendarType == kCalendarKoreanTangun) {
    return TangunEras(WriteInCodePage(codePage, u"\uB2E8\uAE30"));
  }
  const std::string calendar = calendarType == kCalendarJapaneseEra ? LocaleWithKeyword(locale, "calendar", "japanese")
                               : calendarType == kCalendarTaiwan ? LocaleWithKeyword(locale, "calendar", "roc")
                                                   : locale;
  IcuEras eras(calendar, codePage);
  return eras.Read();
}

}  // namespace udfzel
