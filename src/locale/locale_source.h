// Where LoadLocaleFormats reads the locale from: one small interface that
// answers the facts the record is built from, each in its own type: texts
// in UTF-16, switches as booleans, numbers as numbers. Each platform's
// source serves real locales (ICU's CLDR data on Linux, the Windows locale
// services on Windows) and does its own platform's decoding; the loader
// writes the texts in the code page and applies the fallbacks. Tests
// script a source.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "locale/code_page.h"

namespace udfzel {

// The locale's texts.
enum class LocaleItem {
  ThousandSeparator,
  DecimalSeparator,
  DateSeparator,
  ShortDate,  // the locale's short date format, in the platform's syntax
  LongDate,
  TimeSeparator,
  AmDesignator,
  PmDesignator,
  AbbrevMonthName,  // index 1 (January) to 12
  MonthName,
  AbbrevDayName,  // index 1 (Sunday) to 7 (Saturday)
  DayName,
};

// The locale's switches of its time format.
enum class LocaleFlag {
  HourLeadingZero,      // hours with a leading zero
  TwentyFourHourClock,  // a 24-hour clock, not a 12-hour one
  MarkBeforeTime,       // the AM/PM mark before the time, not after it
};

// An inclusive range of lead bytes of a code page.
using ByteRange = std::pair<std::uint8_t, std::uint8_t>;

class LocaleSource {
 public:
  virtual ~LocaleSource() = default;

  // The locale's numeric identifier; 0 when there is none.
  virtual std::uint32_t LocaleId() const = 0;

  // A text of the locale, or nothing when it cannot be read. `index`
  // numbers months and days; other items ignore it.
  virtual std::optional<std::u16string> Text(LocaleItem item, int index = 0) const = 0;

  virtual std::optional<bool> Flag(LocaleFlag flag) const = 0;

  // The calendar the locale writes dates in (kCalendarGregorian and the
  // era calendars of locale_formats.h, or another platform number).
  virtual std::optional<int> CalendarType() const = 0;

  // The locale's 8-bit code page; 0 for a locale that has none of its own.
  virtual std::optional<int> AnsiCodePage() const = 0;

  // Lead-byte ranges of an 8-bit code page, in the platform's order.
  virtual std::vector<ByteRange> LeadByteRanges(int codePage) const = 0;

  // The system's 8-bit code page, used when the locale names none.
  virtual int SystemCodePage() const = 0;

  // The code page the record's texts are written in; null when the
  // platform has none of that number.
  virtual std::unique_ptr<CodePage> OpenCodePage(int number) const {
    return CodePage::Open(number);
  }

  // The code page's case mapping tables (LocaleFormats::LowerCase and
  // UpperCase), from the page OpenCodePage gives; ASCII letters only where
  // there is none.
  virtual void CaseTables(int codePage, std::array<char, 256>& lower,
                          std::array<char, 256>& upper) const;

  // The code page's accent fold (LocaleFormats::AccentFold), given the
  // Windows-1252 one: that one, unchanged, for Windows-1252 and where
  // OpenCodePage gives no page.
  virtual void AccentFold(int codePage, std::array<char, 256>& fold) const;

  // The locale's name for the platform's calendar formatting; "" for none.
  virtual std::string PlatformName() const { return {}; }
};

}  // namespace udfzel
