// The locale as ICU's CLDR data describes it, answered as the platform
// items LoadLocaleFormats reads. Texts come back in the Windows 8-bit code
// page of the locale's language, whole or not at all: a text the code page
// cannot hold is not read (its fallback applies), never written with
// substitute bytes.
#pragma once

#include <optional>
#include <string>

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
  std::optional<std::string> Read(LocaleItem item, int index = 0) const override;
  std::vector<ByteRange> LeadByteRanges(int codePage) const override;
  int SystemCodePage() const override { return 1252; }
  std::string FromLibraryText(const std::string& utf8, int codePage) const override;
  void CaseTables(int codePage, std::array<char, 256>& lower,
                  std::array<char, 256>& upper) const override;
  void AccentFold(int codePage, std::array<char, 256>& fold) const override;
  std::string PlatformName() const override { return known_ ? name_ : std::string(); }

 private:
  std::optional<std::string> ReadKnown(LocaleItem item, int index) const;
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
