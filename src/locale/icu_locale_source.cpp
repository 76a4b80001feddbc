#include "locale/icu_locale_source.h"

#include "locale/code_page_text.h"
#include "locale/icu_code_page.h"
#include "locale/icu_locale_names.h"
#include "locale/icu_patterns.h"
#include "locale/platform_locale.h"
#include "records/locale_formats.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/udat.h>
#include <unicode/uloc.h>
#include <unicode/unum.h>
#include <unicode/ures.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace udfzel {
namespace {

constexpr int32_t kBufferSize = 512;

template <class T, void (*Close)(T*)>
struct Closer {
  void operator()(T* p) const {
    if (p != nullptr) Close(p);
  }
};
using DateFormat = std::unique_ptr<UDateFormat, Closer<UDateFormat, udat_close>>;
using NumberFormat = std::unique_ptr<UNumberFormat, Closer<UNumberFormat, unum_close>>;

// Runs an ICU call that fills a UChar buffer; nothing on failure.
template <class Fill>
std::optional<std::u16string> IcuText(Fill fill) {
  UChar buffer[kBufferSize];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = fill(buffer, kBufferSize, &status);
  if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || length < 0) {
    return std::nullopt;
  }
  return std::u16string(reinterpret_cast<const char16_t*>(buffer),
                        static_cast<std::size_t>(length));
}

DateFormat OpenDateFormat(const std::string& locale, UDateFormatStyle time, UDateFormatStyle date) {
  static const UChar kUtc[] = {'U', 'T', 'C', 0};
  UErrorCode status = U_ZERO_ERROR;
  DateFormat format(udat_open(time, date, locale.c_str(), kUtc, -1, nullptr, 0, &status));
  return U_SUCCESS(status) ? std::move(format) : nullptr;
}

std::optional<std::u16string> Pattern(const std::string& locale, UDateFormatStyle time,
                                      UDateFormatStyle date) {
  DateFormat format = OpenDateFormat(locale, time, date);
  if (!format) return std::nullopt;
  return IcuText([&](UChar* b, int32_t n, UErrorCode* s) {
    return udat_toPattern(format.get(), false, b, n, s);
  });
}

std::optional<std::u16string> DateSymbol(const std::string& locale, UDateFormatSymbolType type,
                                         int32_t index) {
  DateFormat format = OpenDateFormat(locale, UDAT_SHORT, UDAT_SHORT);
  if (!format) return std::nullopt;
  return IcuText([&](UChar* b, int32_t n, UErrorCode* s) {
    return udat_getSymbols(format.get(), type, index, b, n, s);
  });
}

std::optional<std::u16string> NumberSymbol(const std::string& locale, UNumberFormatSymbol symbol) {
  UErrorCode status = U_ZERO_ERROR;
  NumberFormat format(unum_open(UNUM_DECIMAL, nullptr, 0, locale.c_str(), nullptr, &status));
  if (U_FAILURE(status)) return std::nullopt;
  return IcuText([&](UChar* b, int32_t n, UErrorCode* s) {
    return unum_getSymbol(format.get(), symbol, b, n, s);
  });
}

}  // namespace

IcuLocaleSource::IcuLocaleSource(std::string name)
    : name_(std::move(name)), known_(false), codePage_(1252) {
  if (name_.empty() || name_ == "C" || name_ == "POSIX") return;
  UErrorCode status = U_ZERO_ERROR;
  UResourceBundle* bundle = ures_open(nullptr, name_.c_str(), &status);
  known_ = U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING && HasScriptData(name_);
  if (bundle != nullptr) ures_close(bundle);
  if (!known_) return;
  codePage_ = AnsiCodePageFor(name_);
  calendarType_ = CalendarTypeOf(name_);
  // Names and pictures of the calendar the library writes dates in: the
  // Gregorian one, unless the locale asks for an era calendar whose
  // pictures the library supports (Japanese, ROC). Numbers in Latin digits,
  // the only digits the number engines write.
  datesName_ = DatesInEraCalendar() ? name_ : LocaleWithKeyword(name_, "calendar", "gregorian");
  numbersName_ = LocaleWithKeyword(name_, "numbers", "latn");
}

IcuLocaleSource IcuLocaleSource::FromEnvironment() {
  const char* all = std::getenv("LC_ALL");
  const char* lang = std::getenv("LANG");
  const char* chosen = all != nullptr && *all != '\0' ? all : lang;
  return IcuLocaleSource(NameFromPosix(chosen == nullptr ? "" : chosen));
}

std::string IcuLocaleSource::NameFromPosix(const std::string& posixName) {
  const auto at = posixName.find('@');
  std::string base = posixName.substr(0, at);
  std::string modifier = at == std::string::npos ? "" : posixName.substr(at + 1);
  base = base.substr(0, base.find('.'));
  if (modifier.find('=') != std::string::npos) return base + "@" + modifier;
  // POSIX modifiers that name a script or a variant of the language; any
  // other ("euro") says nothing the locale data does not.
  const auto underscore = base.find('_');
  const std::string language = base.substr(0, underscore);
  const std::string rest = underscore == std::string::npos ? "" : base.substr(underscore);
  if (modifier == "latin") return language + "_Latn" + rest;
  if (modifier == "cyrillic") return language + "_Cyrl" + rest;
  if (modifier == "devanagari") return language + "_Deva" + rest;
  if (modifier == "valencia") return base + "_VALENCIA";
  return base;
}

std::uint32_t IcuLocaleSource::LocaleId() const {
  if (!known_) return 0;
  // The name with its likely script ("uz_UZ" is uz_Latn_UZ) names the
  // script's own identifier where the platform has one per script.
  const std::uint32_t own = uloc_getLCID(name_.c_str());
  const std::uint32_t withScript = uloc_getLCID(WithLikelyScript(name_).c_str());
  return (withScript & 0xFC00) != 0 ? withScript : own;
}

std::optional<int> IcuLocaleSource::CalendarType() const {
  if (!known_) return std::nullopt;
  return calendarType_;
}

std::optional<int> IcuLocaleSource::AnsiCodePage() const {
  if (!known_) return std::nullopt;
  return codePage_;
}

std::optional<std::vector<PatternPiece>> IcuLocaleSource::TimeFields() const {
  const auto pattern = Pattern(datesName_, UDAT_SHORT, UDAT_NONE);
  if (!pattern) return std::nullopt;
  return SplitPattern(*pattern);
}

std::optional<bool> IcuLocaleSource::Flag(LocaleFlag flag) const {
  if (!known_) return std::nullopt;
  const auto pieces = TimeFields();
  if (!pieces) return std::nullopt;
  std::size_t hour = pieces->size();
  std::size_t mark = pieces->size();
  for (std::size_t i = pieces->size(); i-- > 0;) {
    const char16_t letter = (*pieces)[i].letter;
    if (IsHourLetter(letter)) hour = i;
    if (letter == 'a' || letter == 'b' || letter == 'B') mark = i;
  }
  if (hour == pieces->size()) return std::nullopt;
  const PatternPiece& field = (*pieces)[hour];
  switch (flag) {
    case LocaleFlag::HourLeadingZero:
      return field.count >= 2;
    case LocaleFlag::TwentyFourHourClock:
      return field.letter == 'H' || field.letter == 'k';
    case LocaleFlag::MarkBeforeTime:
      return mark < hour;
  }
  return std::nullopt;
}

std::optional<std::u16string> IcuLocaleSource::Text(LocaleItem item, int index) const {
  if (!known_) return std::nullopt;
  switch (item) {
    case LocaleItem::ThousandSeparator:
      return NumberSymbol(numbersName_, UNUM_GROUPING_SEPARATOR_SYMBOL);
    case LocaleItem::DecimalSeparator:
      return NumberSymbol(numbersName_, UNUM_DECIMAL_SEPARATOR_SYMBOL);
    case LocaleItem::DateSeparator:
      if (const auto pattern = Pattern(datesName_, UDAT_NONE, UDAT_SHORT)) {
        return DateSeparator(SplitPattern(*pattern));
      }
      return std::nullopt;
    case LocaleItem::ShortDate:
    case LocaleItem::LongDate:
      return DateFormatText(item == LocaleItem::ShortDate ? UDAT_SHORT : UDAT_FULL);
    case LocaleItem::TimeSeparator:
      if (const auto pieces = TimeFields()) return SeparatorAfter(*pieces, IsHourLetter);
      return std::nullopt;
    case LocaleItem::AmDesignator:
    case LocaleItem::PmDesignator:
      return DateSymbol(datesName_, UDAT_AM_PMS, item == LocaleItem::AmDesignator ? 0 : 1);
    case LocaleItem::AbbrevMonthName:
    case LocaleItem::MonthName:
      if (index < 1 || index > 12) return std::nullopt;
      // The nominative (stand-alone) forms: "март", not "марта".
      return DateSymbol(
          datesName_,
          item == LocaleItem::MonthName ? UDAT_STANDALONE_MONTHS : UDAT_STANDALONE_SHORT_MONTHS,
          index - 1);
    case LocaleItem::AbbrevDayName:
    case LocaleItem::DayName:
      // ICU counts days from Sunday (1), as the record does.
      if (index < 1 || index > 7) return std::nullopt;
      return DateSymbol(
          datesName_,
          item == LocaleItem::DayName ? UDAT_STANDALONE_WEEKDAYS : UDAT_STANDALONE_SHORT_WEEKDAYS,
          index);
  }
  return std::nullopt;
}

std::optional<std::u16string> IcuLocaleSource::DateFormatText(UDateFormatStyle style) const {
  const auto pattern = Pattern(datesName_, UDAT_NONE, style);
  if (!pattern) return std::nullopt;
  std::optional<std::u16string> era;
  if (!DatesInEraCalendar()) {
    era = DateSymbol(datesName_, UDAT_ERAS, 1);  // AD, as the locale abbreviates it
    if (!era) return std::nullopt;
  }
  return ToPlatformDateFormat(SplitPattern(*pattern), era);
}

std::vector<ByteRange> IcuLocaleSource::LeadByteRanges(int codePage) const {
  std::vector<ByteRange> ranges;
  const IcuConverter converter = OpenIcuConverter(codePage, false);
  if (!converter) return ranges;
  UBool starters[256] = {};
  UErrorCode status = U_ZERO_ERROR;
  ucnv_getStarters(converter.get(), starters, &status);
  if (U_FAILURE(status)) return ranges;  // a single-byte code page has no starters
  for (int byte = 0; byte < 256; ++byte) {
    if (!starters[byte]) continue;
    int last = byte;
    while (last + 1 < 256 && starters[last + 1]) ++last;
    ranges.emplace_back(static_cast<std::uint8_t>(byte), static_cast<std::uint8_t>(last));
    byte = last;
  }
  return ranges;
}

std::string CodePageToUtf8(const std::string& text, int codePage) {
  const IcuConverter converter = OpenIcuConverter(codePage, false);
  if (!converter) return text;
  std::u16string wide(text.size() * 2 + 2, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(wide.data()),
                                       static_cast<int32_t>(wide.size()), text.data(),
                                       static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return text;
  std::string utf8(static_cast<std::size_t>(length) * 3 + 1, '\0');
  int32_t written = 0;
  u_strToUTF8(utf8.data(), static_cast<int32_t>(utf8.size()), &written,
              reinterpret_cast<const UChar*>(wide.data()), length, &status);
  if (U_FAILURE(status)) return text;
  utf8.resize(static_cast<std::size_t>(written));
  return utf8;
}

}  // namespace udfzel
