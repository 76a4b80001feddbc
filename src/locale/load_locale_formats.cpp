#include "locale/load_locale_formats.h"

#include <charconv>

#include "engines/text/ascii_case.h"
#include "locale/builtin_names.h"

namespace udfzel {
namespace {

// The platform reads a text item into 256 bytes, a character item into 2
// and the code page item into 7, terminator included.
constexpr std::size_t kTextItemLimit = 255;
constexpr std::size_t kCodePageItemLimit = 6;
constexpr int kMaxLeadByteRanges = 6;

// The item's text; `fallback` only when it cannot be read or is longer than
// 255 characters. An item that reads empty gives the empty text.
std::string LocaleText(const LocaleSource& source, LocaleItem item, const std::string& fallback,
                       int index = 0) {
  const auto text = source.Read(item, index);
  if (!text || text->size() > kTextItemLimit) return fallback;
  return *text;
}

// The item's one character; `fallback` when it cannot be read or is longer
// than one character. An item that reads empty gives the zero character.
char LocaleChar(const LocaleSource& source, LocaleItem item, char fallback) {
  const auto text = source.Read(item);
  if (!text || text->size() > 1) return fallback;
  return text->empty() ? '\0' : (*text)[0];
}

// A decimal integer, the whole text; `fallback` for anything else.
int ToInt(const std::string& text, int fallback) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;
  int value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  return error == std::errc() && stop == end && begin != end ? value : fallback;
}

int ReadInt(const LocaleSource& source, LocaleItem item, const char* fallbackText, int fallback) {
  return ToInt(LocaleText(source, item, fallbackText), fallback);
}

// Languages whose code pages have no two-byte characters.
bool SingleByteLanguage(std::int32_t primaryLanguage) {
  switch (primaryLanguage) {
    case 0: case 6: case 7: case 9: case 10: case 11:
    case 12: case 16: case 19: case 20: case 22: case 29:
      return true;
    default:
      return false;
  }
}

int CodePageOf(const LocaleSource& source) {
  const auto item = source.Read(LocaleItem::DefaultAnsiCodePage);
  if (item && item->size() <= kCodePageItemLimit) {
    // 0 is the platform's name for "the system's code page" (a locale
    // whose texts have no 8-bit code page of their own says so).
    const int codePage = ToInt(*item, -1);
    if (codePage > 0) return codePage;
  }
  return source.SystemCodePage();
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

std::string NameOrBuiltin(const LocaleSource& source, LocaleItem item, int index,
                          const char* builtinUtf8, int codePage) {
  std::string name = LocaleText(source, item, "", index);
  return name.empty() ? source.FromLibraryText(builtinUtf8, codePage) : name;
}

void LoadNames(const LocaleSource& source, LocaleFormats& f) {
  for (int i = 1; i <= 12; ++i) {
    const auto at = static_cast<std::size_t>(i);
    f.MonthAbbreviations[at] = NameOrBuiltin(source, LocaleItem::AbbrevMonthName, i,
                                             kBuiltinMonthAbbreviations[at], f.CodePage);
    f.MonthNames[at] =
        NameOrBuiltin(source, LocaleItem::MonthName, i, kBuiltinMonthNames[at], f.CodePage);
  }
  for (int i = 1; i <= 7; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const int platformDay = (i + 5) % 7 + 1;  // the platform counts from Monday
    f.DayAbbreviations[at] = NameOrBuiltin(source, LocaleItem::AbbrevDayName, platformDay,
                                           kBuiltinDayAbbreviations[at], f.CodePage);
    f.DayNames[at] =
        NameOrBuiltin(source, LocaleItem::DayName, platformDay, kBuiltinDayNames[at], f.CodePage);
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

void LoadSeparatorsAndPictures(const LocaleSource& source, LocaleFormats& f) {
  f.GroupSeparator = LocaleChar(source, LocaleItem::ThousandSeparator, ',');
  f.DecimalMark = LocaleChar(source, LocaleItem::DecimalSeparator, '.');
  f.DateDelimiter = LocaleChar(source, LocaleItem::DateSeparator, '/');
  f.CalendarType = ReadInt(source, LocaleItem::CalendarType, "1", 1);
  f.ShortDatePicture = TranslateSystemDatePicture(
      LocaleText(source, LocaleItem::ShortDate, "m/d/yy"), f.CalendarType, f);
  f.LongDatePicture = TranslateSystemDatePicture(
      LocaleText(source, LocaleItem::LongDate, "mmmm d, yyyy"), f.CalendarType, f);
  f.TimeDelimiter = LocaleChar(source, LocaleItem::TimeSeparator, ':');
  f.AmText = LocaleText(source, LocaleItem::AmDesignator, "am");
  f.PmText = LocaleText(source, LocaleItem::PmDesignator, "pm");
}

void LoadTimePictures(const LocaleSource& source, LocaleFormats& f) {
  const std::string hour = ReadInt(source, LocaleItem::HourLeadingZero, "0", 0) != 0 ? "hh" : "h";
  std::string prefix;
  std::string suffix;
  if (ReadInt(source, LocaleItem::TimeClock, "0", 0) == 0) {
    if (ReadInt(source, LocaleItem::TimeMarkPosition, "0", 0) != 0) {
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
  LoadNames(source, formats);
  LoadSeparatorsAndPictures(source, formats);
  LoadTimePictures(source, formats);
  return formats;
}

}  // namespace udfzel
