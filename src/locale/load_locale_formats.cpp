#include "locale/load_locale_formats.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>

#include "engines/text/ascii_case.h"
#include "locale/builtin_names.h"
#include "locale/code_page_text.h"

namespace udfzel {
namespace {

// The platform reads a text item into 256 bytes and a character item into
// 2, terminator included.
constexpr std::size_t kTextItemLimit = 255;
constexpr int kMaxLeadByteRanges = 6;

// The library's own texts (built-in names, UTF-8) as UTF-16.
std::u16string Utf16OfLibraryText(std::string_view utf8) {
  std::u16string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
    char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1Fu : lead & 0x0Fu;
    for (std::size_t i = 1; i < length && at + i < utf8.size(); ++i) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3Fu);
    }
    out += static_cast<char16_t>(c);
    at += length;
  }
  return out;
}

// The record's texts in its code page: the locale's, or the system's where
// the platform has no code page of that number.
class RecordTexts {
 public:
  RecordTexts(const LocaleSource& source, int codePage)
      : source_(source), page_(source.OpenCodePage(codePage)) {
    if (!page_) page_ = source.OpenCodePage(source.SystemCodePage());
  }

  // The item's text; `fallback` only when it cannot be read, cannot be
  // written whole or is longer than 255 bytes. An item that reads empty
  // gives the empty text.
  std::string Text(LocaleItem item, const std::string& fallback, int index = 0) const {
    const auto text = Written(item, index);
    if (!text || text->size() > kTextItemLimit) return fallback;
    return *text;
  }

  // The item's one character; `fallback` when it cannot be read or is longer
  // than one byte. An item that reads empty gives the zero character.
  char Char(LocaleItem item, char fallback) const {
    const auto text = Written(item, 0);
    if (!text || text->size() > 1) return fallback;
    return text->empty() ? '\0' : (*text)[0];
  }

  // A text of the library in the code page; as it is where the code page
  // cannot hold it.
  std::string LibraryText(const char* utf8) const {
    std::optional<std::string> written;
    if (page_) written = WriteInCodePage(*page_, Utf16OfLibraryText(utf8));
    return written ? *written : std::string(utf8);
  }

 private:
  std::optional<std::string> Written(LocaleItem item, int index) const {
    const auto text = source_.Text(item, index);
    if (!text || !page_) return std::nullopt;
    return WriteInCodePage(*page_, *text);
  }

  const LocaleSource& source_;
  std::unique_ptr<CodePage> page_;
};

// Languages whose code pages have no two-byte characters: neutral, Danish,
// German, English, Spanish, Finnish, French, Italian, Dutch, Norwegian,
// Portuguese and Swedish.
constexpr std::int32_t kSingleByteLanguages[] = {0, 6, 7, 9, 10, 11, 12, 16, 19, 20, 22, 29};

bool SingleByteLanguage(std::int32_t primaryLanguage) {
  return std::ranges::find(kSingleByteLanguages, primaryLanguage) != std::end(kSingleByteLanguages);
}

int CodePageOf(const LocaleSource& source) {
  // 0 is the platform's name for "the system's code page" (a locale whose
  // texts have no 8-bit code page of their own says so).
  const std::optional<int> codePage = source.AnsiCodePage();
  return codePage && *codePage > 0 ? *codePage : source.SystemCodePage();
}

void LoadIdentity(const LocaleSource& source, LocaleFormats& f) {
  const std::uint32_t id = source.LocaleId();
  if (id != 0) f.LocaleId = id;
  if ((id & 0xFFFF) != 0) {
    f.PrimaryLanguage = static_cast<std::int32_t>(id & 0x3FF);
    f.SubLanguage = static_cast<std::int32_t>((id & 0xFFFF) >> 10);
  }
}

void LoadCharacterSet(const LocaleSource& source, LocaleFormats& f) {
  f.CodePage = CodePageOf(source);
  f.LeadByteSet.reset();
  f.MultiByteLocale = false;
  if (SingleByteLanguage(f.PrimaryLanguage)) return;
  int taken = 0;
  for (const auto& [first, last] : source.LeadByteRanges(f.CodePage)) {
    if (taken++ == kMaxLeadByteRanges || (first == 0 && last == 0)) break;
    for (int byte = first; byte <= last; ++byte) f.LeadByteSet.set(static_cast<std::size_t>(byte));
  }
  f.MultiByteLocale = f.LeadByteSet.any();
}

std::string NameOrBuiltin(const RecordTexts& texts, LocaleItem item, int index,
                          const char* builtinUtf8) {
  std::string name = texts.Text(item, "", index);
  return name.empty() ? texts.LibraryText(builtinUtf8) : name;
}

// Days count from Sunday, as the record does.
void LoadNames(const RecordTexts& texts, LocaleFormats& f) {
  for (int i = 1; i <= 12; ++i) {
    const auto at = static_cast<std::size_t>(i);
    f.MonthAbbreviations[at] =
        NameOrBuiltin(texts, LocaleItem::AbbrevMonthName, i, kBuiltinMonthAbbreviations[at]);
    f.MonthNames[at] = NameOrBuiltin(texts, LocaleItem::MonthName, i, kBuiltinMonthNames[at]);
  }
  for (int i = 1; i <= 7; ++i) {
    const auto at = static_cast<std::size_t>(i);
    f.DayAbbreviations[at] =
        NameOrBuiltin(texts, LocaleItem::AbbrevDayName, i, kBuiltinDayAbbreviations[at]);
    f.DayNames[at] = NameOrBuiltin(texts, LocaleItem::DayName, i, kBuiltinDayNames[at]);
  }
}

// Era calendars: years become era years, era names the long era name.
std::string TranslateEraPicture(const std::string& format, const LocaleFormats& f) {
  static constexpr struct {
    const char* token;
    const char* replacement;
  } kRules[] = {{"GG", "ggg"}, {"YYYY", "eeee"}, {"YY", "ee"}, {"Y", "e"}};
  std::string out;
  for (std::size_t at = 0; at < format.size();) {
    if (f.IsLeadByte(format[at])) {
      out += format.substr(at, 2);  // a two-byte character, whole
      at += 2;
      continue;
    }
    bool matched = false;
    for (const auto& rule : kRules) {
      if (StartsWithNoCase(format, at, rule.token)) {
        out += rule.replacement;
        at += std::char_traits<char>::length(rule.token);
        matched = true;
        break;
      }
    }
    if (!matched) out += format[at++];
  }
  return out;
}

// The locale's date format as a date picture: era calendars (types 3, 4, 5)
// write their years as era years; Chinese, Japanese and Korean locales on
// other calendars drop the era marks.
std::string TranslateSystemDatePicture(const std::string& format, int calendarType,
                                       const LocaleFormats& formats) {
  if (IsEraCalendar(calendarType)) {
    return TranslateEraPicture(format, formats);
  }
  const std::int32_t language = formats.PrimaryLanguage;
  if (language == kLanguageChinese || language == kLanguageJapanese ||
      language == kLanguageKorean) {
    // Two-byte characters are copied whole: their second byte may be the
    // code of "g" or "G" and must not be cut out of the character.
    std::string out;
    for (std::size_t at = 0; at < format.size(); ++at) {
      if (formats.IsLeadByte(format[at]) && at + 1 < format.size()) {
        out += format.substr(at++, 2);
      } else if (format[at] != 'g' && format[at] != 'G') {
        out += format[at];
      }
    }
    return out;
  }
  return format;
}

void LoadSeparatorsAndPictures(const LocaleSource& source, const RecordTexts& texts,
                               LocaleFormats& f) {
  f.GroupSeparator = texts.Char(LocaleItem::ThousandSeparator, ',');
  f.DecimalMark = texts.Char(LocaleItem::DecimalSeparator, '.');
  f.DateDelimiter = texts.Char(LocaleItem::DateSeparator, '/');
  f.CalendarType = source.CalendarType().value_or(kCalendarGregorian);
  f.ShortDatePicture =
      TranslateSystemDatePicture(texts.Text(LocaleItem::ShortDate, "m/d/yy"), f.CalendarType, f);
  f.LongDatePicture = TranslateSystemDatePicture(texts.Text(LocaleItem::LongDate, "mmmm d, yyyy"),
                                                 f.CalendarType, f);
  f.TimeDelimiter = texts.Char(LocaleItem::TimeSeparator, ':');
  f.AmText = texts.Text(LocaleItem::AmDesignator, "am");
  f.PmText = texts.Text(LocaleItem::PmDesignator, "pm");
}

// An unreadable switch is off: a 12-hour clock, hours without a leading
// zero, the mark after the time.
void LoadTimePictures(const LocaleSource& source, LocaleFormats& f) {
  const auto on = [&](LocaleFlag flag) { return source.Flag(flag).value_or(false); };
  const std::string hour = on(LocaleFlag::HourLeadingZero) ? "hh" : "h";
  std::string prefix;
  std::string suffix;
  if (!on(LocaleFlag::TwentyFourHourClock)) {
    if (on(LocaleFlag::MarkBeforeTime)) {
      prefix = "AMPM ";
    } else {
      suffix = " AMPM";
    }
  }
  f.ShortTimePicture = prefix + hour + ":mm" + suffix;
  f.LongTimePicture = prefix + hour + ":mm:ss" + suffix;
}

}  // namespace

LocaleFormats LoadLocaleFormats(const LocaleSource& source) {
  LocaleFormats formats;
  formats.LocaleName = source.PlatformName();
  LoadIdentity(source, formats);
  LoadCharacterSet(source, formats);
  source.CaseTables(formats.CodePage, formats.LowerCase, formats.UpperCase);
  source.AccentFold(formats.CodePage, formats.AccentFold);
  const RecordTexts texts(source, formats.CodePage);
  LoadNames(texts, formats);
  LoadSeparatorsAndPictures(source, texts, formats);
  LoadTimePictures(source, formats);
  return formats;
}

}  // namespace udfzel
