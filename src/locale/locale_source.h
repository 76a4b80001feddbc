// Where LoadLocaleFormats reads the locale from: one small interface that
// answers the items the record is built from, the way the platform's locale
// queries do. Each platform's source serves real locales (ICU's CLDR data
// on Linux, the Windows locale services on Windows); tests script one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace udfzel {

enum class LocaleItem {
  ThousandSeparator,
  DecimalSeparator,
  DateSeparator,
  ShortDate,        // the locale's short date format, in the platform's syntax
  LongDate,
  TimeSeparator,
  AmDesignator,
  PmDesignator,
  HourLeadingZero,  // "1": hours with a leading zero
  TimeClock,        // "0": 12-hour clock, "1": 24-hour clock
  TimeMarkPosition, // "0": AM/PM mark after the time, "1": before it
  AbbrevMonthName,  // index 1 (January) to 12
  MonthName,
  AbbrevDayName,    // index 1 (Monday) to 7 (Sunday), the platform's order
  DayName,
  CalendarType,     // "1" Gregorian; "3" Japanese era, "4" Taiwan, "5" Korean Tangun
  DefaultAnsiCodePage,
};

// An inclusive range of lead bytes of a code page.
using ByteRange = std::pair<std::uint8_t, std::uint8_t>;

class LocaleSource {
 public:
  virtual ~LocaleSource() = default;

  // The locale's numeric identifier; 0 when there is none.
  virtual std::uint32_t LocaleId() const = 0;

  // The item as text in the library's code page, or nothing when it cannot
  // be read. `index` numbers months and days; other items ignore it.
  virtual std::optional<std::string> Read(LocaleItem item, int index = 0) const = 0;

  // Lead-byte ranges of an 8-bit code page, in the platform's order.
  virtual std::vector<ByteRange> LeadByteRanges(int codePage) const = 0;

  // The system's 8-bit code page, used when the locale names none.
  virtual int SystemCodePage() const = 0;

  // A text of the library (the built-in names, UTF-8) in the code page.
  virtual std::string FromLibraryText(const std::string& utf8, int codePage) const = 0;

  // The code page's case mapping tables (LocaleFormats::LowerCase and
  // UpperCase); by default ASCII letters only.
  virtual void CaseTables(int codePage, std::array<char, 256>& lower,
                          std::array<char, 256>& upper) const {
    (void)codePage;
    for (int c = 'A'; c <= 'Z'; ++c) {
      lower[static_cast<std::size_t>(c)] = static_cast<char>(c - 'A' + 'a');
      upper[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<char>(c);
    }
  }

  // The code page's accent fold (LocaleFormats::AccentFold), given the
  // Windows-1252 one; by default that one, unchanged.
  virtual void AccentFold(int codePage, std::array<char, 256>& fold) const {
    (void)codePage;
    (void)fold;
  }

  // The locale's name for the platform's calendar formatting; "" for none.
  virtual std::string PlatformName() const { return {}; }
};

}  // namespace udfzel
