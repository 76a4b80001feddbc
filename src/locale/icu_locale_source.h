// The locale as ICU's CLDR data describes it, answered as the facts
// LoadLocaleFormats reads: its texts in UTF-16, its time format's switches
// from its short time pattern, and for its code page the Windows 8-bit
// code page of its language.
#pragma once

#include <unicode/udat.h>

#include <optional>
#include <string>
#include <vector>

#include "locale/icu_patterns.h"
#include "locale/locale_source.h"
#include "locale/platform_locale.h"
#include "records/locale_formats.h"

namespace udfzel {

class IcuLocaleSource : public LocaleSource {
 public:
  // An ICU locale name such as "pt_BR" or "ja_JP@calendar=japanese". An
  // empty name, "C", "POSIX", a locale ICU has no data for, or a script of
  // the language ICU has no data for, answers nothing: every item takes its
  // fallback.
  explicit IcuLocaleSource(std::string name);

  // The locale the process environment names: LC_ALL, else LANG.
  static IcuLocaleSource FromEnvironment();

  // "pt_BR.UTF-8" -> "pt_BR"; an ICU keyword ("@calendar=japanese") is kept;
  // a script modifier names the script ("sr_RS@latin" -> "sr_Latn_RS"),
  // "@valencia" the variant; any other modifier ("@euro") is dropped.
  static std::string NameFromPosix(const std::string& posixName);

  const std::string& Name() const { return name_; }
  bool Known() const { return known_; }

  std::uint32_t LocaleId() const override;
  std::optional<std::u16string> Text(LocaleItem item, int index = 0) const override;
  std::optional<bool> Flag(LocaleFlag flag) const override;
  std::optional<int> CalendarType() const override;
  std::optional<int> AnsiCodePage() const override;
  std::vector<ByteRange> LeadByteRanges(int codePage) const override;
  int SystemCodePage() const override { return 1252; }
  std::string PlatformName() const override { return known_ ? name_ : std::string(); }

 private:
  // The fields of the locale's short time pattern.
  std::optional<std::vector<PatternPiece>> TimeFields() const;
  // A date pattern of the locale in the platform's date format syntax.
  std::optional<std::u16string> DateFormatText(UDateFormatStyle style) const;
  // Whether names and pictures come from the locale's era calendar
  // (Japanese, ROC) rather than the Gregorian one.
  bool DatesInEraCalendar() const {
    return calendarType_ == kCalendarJapaneseEra || calendarType_ == kCalendarTaiwan;
  }

  std::string name_;
  bool known_;
  int codePage_;
  int calendarType_ = kCalendarGregorian;
  std::string datesName_;    // the name with the calendar dates are read from
  std::string numbersName_;  // the name with Latin digits
};

}  // namespace udfzel
