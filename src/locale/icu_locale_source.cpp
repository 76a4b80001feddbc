#include "locale/icu_locale_source.h"

#include "locale/code_page_text.h"
#include "locale/platform_locale.h"
#include "records/locale_formats.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/udat.h>
#include <unicode/uloc.h>
#include <unicode/unorm2.h>
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
using Converter = std::unique_ptr<UConverter, Closer<UConverter, ucnv_close>>;
using DateFormat = std::unique_ptr<UDateFormat, Closer<UDateFormat, udat_close>>;
using NumberFormat = std::unique_ptr<UNumberFormat, Closer<UNumberFormat, unum_close>>;

Converter OpenCodePage(int codePage) {
  const std::string number = std::to_string(codePage);
  for (const std::string& name : {"windows-" + number, "cp" + number, "ibm-" + number}) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name.c_str(), &status));
    if (U_SUCCESS(status) && converter) return converter;
  }
  return nullptr;
}

// The code page's converter with substitutes switched off both ways: an
// unmappable character or an undefined byte stops the conversion.
Converter OpenStrictCodePage(int codePage) {
  Converter converter = OpenCodePage(codePage);
  if (!converter) return nullptr;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// The name with its likely script and territory added ("sr_ME" ->
// "sr_Latn_ME"); the name itself when ICU cannot tell.
std::string WithLikelyScript(const std::string& locale) {
  char full[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_addLikelySubtags(locale.c_str(), full, sizeof full - 1, &status);
  return U_SUCCESS(status) ? std::string(full) : locale;
}

// The calendar type the locale's calendar keyword asks for: 3 Japanese era,
// 4 Taiwan (ROC), 5 Korean Tangun; 1 Gregorian for any other.
int CalendarTypeOf(const std::string& locale) {
  char calendar[64] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_getKeywordValue(locale.c_str(), "calendar", calendar, sizeof calendar - 1, &status);
  const std::string type = U_SUCCESS(status) ? calendar : "";
  return type == "japanese" ? 3 : type == "roc" ? 4 : type == "dangi" ? 5 : 1;
}

// Whether ICU has data for the script a locale name asks for ("sr_Latn"):
// without it ICU falls back to the language's default script, whose names
// are not the ones asked for.
bool HasScriptData(const std::string& locale) {
  char language[16] = {};
  char script[16] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_getLanguage(locale.c_str(), language, sizeof language - 1, &status);
  uloc_getScript(locale.c_str(), script, sizeof script - 1, &status);
  if (U_FAILURE(status) || script[0] == '\0') return true;
  const std::string languageScript = std::string(language) + "_" + script;
  UResourceBundle* bundle = ures_open(nullptr, languageScript.c_str(), &status);
  const bool found =
      U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING && status != U_USING_FALLBACK_WARNING;
  if (bundle != nullptr) ures_close(bundle);
  return found;
}

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

// A date or time pattern as a run of fields (a letter repeated) and literal
// texts (quotes resolved).
struct PatternPiece {
  char16_t letter = 0;  // 0 for a literal
  int count = 0;
  std::u16string literal;
  bool quoted = false;
};

bool IsPatternLetter(char16_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::vector<PatternPiece> SplitPattern(const std::u16string& pattern) {
  std::vector<PatternPiece> pieces;
  for (std::size_t at = 0; at < pattern.size();) {
    const char16_t c = pattern[at];
    if (IsPatternLetter(c)) {
      PatternPiece field{c, 0, {}, false};
      while (at < pattern.size() && pattern[at] == c) ++field.count, ++at;
      pieces.push_back(field);
    } else if (c == u'\'') {
      PatternPiece text{0, 0, {}, true};
      if (at + 1 < pattern.size() && pattern[at + 1] == u'\'') {
        text.literal = u"'";
        at += 2;
      } else {
        for (++at; at < pattern.size(); ++at) {
          if (pattern[at] != u'\'') {
            text.literal += pattern[at];
          } else if (at + 1 < pattern.size() && pattern[at + 1] == u'\'') {
            text.literal += u'\'';
            ++at;
          } else {
            ++at;
            break;
          }
        }
      }
      pieces.push_back(text);
    } else {
      pieces.push_back({0, 0, std::u16string(1, c), false});
      ++at;
    }
  }
  return pieces;
}

// The pattern's literal text between the first field matching `from` and
// the field after it.
template <class IsFrom>
std::u16string SeparatorAfter(const std::vector<PatternPiece>& pieces, IsFrom isFrom) {
  std::size_t at = 0;
  while (at < pieces.size() && !(pieces[at].letter != 0 && isFrom(pieces[at].letter))) ++at;
  std::u16string separator;
  for (++at; at < pieces.size() && pieces[at].letter == 0; ++at) separator += pieces[at].literal;
  return separator;
}

// The first literal text standing between two fields of a date pattern
// ("GGGGGy/M/d" gives "/"); empty when the fields are never apart.
std::u16string DateSeparator(const std::vector<PatternPiece>& pieces) {
  bool afterField = false;
  std::u16string separator;
  for (const PatternPiece& piece : pieces) {
    if (piece.letter == 0) {
      if (afterField) separator += piece.literal;
    } else if (!separator.empty()) {
      return separator;
    } else {
      afterField = true;
    }
  }
  return {};
}

bool IsHourLetter(char16_t c) {
  return c == 'h' || c == 'H' || c == 'k' || c == 'K';
}

void AppendQuoted(std::u16string& out, const std::u16string& text) {
  out += u'\'';
  for (const char16_t c : text) out += c == u'\'' ? u"''" : std::u16string(1, c);
  out += u'\'';
}

// ICU pattern letters into the platform's date format syntax. An era field
// becomes the era picture ("gg"), or, for a Gregorian picture, the era's
// name as literal text (`gregorianEra`): every date the library writes is
// in the Common Era, and the era tokens name the locale's own calendar.
std::u16string ToPlatformDateFormat(const std::vector<PatternPiece>& pieces,
                                    const std::optional<std::u16string>& gregorianEra) {
  std::u16string out;
  for (const PatternPiece& piece : pieces) {
    if (piece.letter == 0) {
      if (!piece.quoted) {
        out += piece.literal;
        continue;
      }
      AppendQuoted(out, piece.literal);
      continue;
    }
    switch (piece.letter) {
      case 'y':
      case 'Y':
      case 'u':
      case 'r':
        out += piece.count == 2 ? u"yy" : u"yyyy";
        break;
      case 'M':
      case 'L':
        out += std::u16string(static_cast<std::size_t>(piece.count <= 4 ? piece.count : 3), u'M');
        break;
      case 'd':
        out += piece.count == 1 ? u"d" : u"dd";
        break;
      case 'E':
      case 'e':
      case 'c':
        out += piece.count == 4 ? u"dddd" : u"ddd";
        break;
      case 'G':
        if (gregorianEra) {
          AppendQuoted(out, *gregorianEra);
        } else {
          out += u"gg";
        }
        break;
      default:
        break;  // fields the platform syntax has no letter for
    }
  }
  return out;
}

std::optional<std::string> Digit(bool one) {
  return std::string(one ? "1" : "0");
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

std::optional<std::string> IcuLocaleSource::Read(LocaleItem item, int index) const {
  if (!known_) return std::nullopt;
  if (item == LocaleItem::DefaultAnsiCodePage) return std::to_string(codePage_);
  if (item == LocaleItem::CalendarType) return std::to_string(calendarType_);
  return ReadKnown(item, index);
}

std::optional<std::string> IcuLocaleSource::ReadKnown(LocaleItem item, int index) const {
  std::optional<std::u16string> text;
  const auto timePattern = [&] { return Pattern(datesName_, UDAT_SHORT, UDAT_NONE); };
  const auto timeFields = [&]() -> std::optional<std::vector<PatternPiece>> {
    const auto pattern = timePattern();
    if (!pattern) return std::nullopt;
    return SplitPattern(*pattern);
  };
  switch (item) {
    case LocaleItem::ThousandSeparator:
      text = NumberSymbol(numbersName_, UNUM_GROUPING_SEPARATOR_SYMBOL);
      break;
    case LocaleItem::DecimalSeparator:
      text = NumberSymbol(numbersName_, UNUM_DECIMAL_SEPARATOR_SYMBOL);
      break;
    case LocaleItem::DateSeparator:
      if (const auto pattern = Pattern(datesName_, UDAT_NONE, UDAT_SHORT)) {
        text = DateSeparator(SplitPattern(*pattern));
      }
      break;
    case LocaleItem::ShortDate:
    case LocaleItem::LongDate:
      if (const auto pattern = Pattern(datesName_, UDAT_NONE,
                                       item == LocaleItem::ShortDate ? UDAT_SHORT : UDAT_FULL)) {
        std::optional<std::u16string> era;
        if (!DatesInEraCalendar()) {
          era = DateSymbol(datesName_, UDAT_ERAS, 1);  // AD, as the locale abbreviates it
          if (!era) break;
        }
        text = ToPlatformDateFormat(SplitPattern(*pattern), era);
      }
      break;
    case LocaleItem::TimeSeparator:
      if (const auto pieces = timeFields()) text = SeparatorAfter(*pieces, IsHourLetter);
      break;
    case LocaleItem::AmDesignator:
    case LocaleItem::PmDesignator:
      text = DateSymbol(datesName_, UDAT_AM_PMS, item == LocaleItem::AmDesignator ? 0 : 1);
      break;
    case LocaleItem::HourLeadingZero:
    case LocaleItem::TimeClock:
    case LocaleItem::TimeMarkPosition: {
      const auto pieces = timeFields();
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
      if (item == LocaleItem::HourLeadingZero) return Digit(field.count >= 2);
      if (item == LocaleItem::TimeClock) return Digit(field.letter == 'H' || field.letter == 'k');
      return Digit(mark < hour);
    }
    case LocaleItem::AbbrevMonthName:
    case LocaleItem::MonthName:
      if (index < 1 || index > 12) return std::nullopt;
      // The nominative (stand-alone) forms: "март", not "марта".
      text = DateSymbol(
          datesName_,
          item == LocaleItem::MonthName ? UDAT_STANDALONE_MONTHS : UDAT_STANDALONE_SHORT_MONTHS,
          index - 1);
      break;
    case LocaleItem::AbbrevDayName:
    case LocaleItem::DayName:
      // The platform counts days from Monday (1); ICU from Sunday (1).
      if (index < 1 || index > 7) return std::nullopt;
      text = DateSymbol(
          datesName_,
          item == LocaleItem::DayName ? UDAT_STANDALONE_WEEKDAYS : UDAT_STANDALONE_SHORT_WEEKDAYS,
          index % 7 + 1);
      break;
    case LocaleItem::CalendarType:
    case LocaleItem::DefaultAnsiCodePage:
      break;
  }
  if (!text) return std::nullopt;
  return WriteInCodePage(codePage_, *text);
}

// The character a single byte of `converter`'s code page stands for.
static std::optional<UChar> CharacterOfByte(UConverter* converter, int byte) {
  const char in = static_cast<char>(byte);
  UChar text[4];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetToUnicode(converter);
  const int32_t length = ucnv_toUChars(converter, text, 4, &in, 1, &status);
  if (U_FAILURE(status) || length != 1) return std::nullopt;  // a lead byte, or undefined
  return text[0];
}

// The one byte of `converter`'s code page that stands for c, if there is one.
std::optional<char> OneByteOf(UConverter* converter, UChar32 c) {
  UChar units[2];
  int32_t length = 0;
  U16_APPEND_UNSAFE(units, length, c);
  char out[8];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetFromUnicode(converter);
  const int32_t written = ucnv_fromUChars(converter, out, sizeof out, units, length, &status);
  if (U_FAILURE(status) || written != 1) return std::nullopt;
  return out[0];
}

void IcuLocaleSource::CaseTables(int codePage, std::array<char, 256>& lower,
                                 std::array<char, 256>& upper) const {
  // Unmappable characters and undefined bytes map to nothing.
  Converter converter = OpenStrictCodePage(codePage);
  if (!converter) {
    LocaleSource::CaseTables(codePage, lower, upper);
    return;
  }
  for (int byte = 1; byte < 256; ++byte) {
    const std::optional<UChar> c = CharacterOfByte(converter.get(), byte);
    if (!c) continue;
    const auto index = static_cast<std::size_t>(byte);
    if (const auto mapped = OneByteOf(converter.get(), u_tolower(*c))) lower[index] = *mapped;
    if (const auto mapped = OneByteOf(converter.get(), u_toupper(*c))) upper[index] = *mapped;
  }
}

// The plain capital an accented Latin letter decomposes to ("Č" -> 'C');
// nothing for any other character.
static std::optional<char> PlainCapitalOf(UChar c) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
  UChar parts[8];
  const int32_t length = U_SUCCESS(status) ? unorm2_normalize(nfd, &c, 1, parts, 8, &status) : 0;
  if (U_FAILURE(status) || length < 2) return std::nullopt;
  const UChar base = parts[0];
  if (base >= 'a' && base <= 'z') return static_cast<char>(base - 'a' + 'A');
  if (base >= 'A' && base <= 'Z') return static_cast<char>(base);
  return std::nullopt;
}

void IcuLocaleSource::AccentFold(int codePage, std::array<char, 256>& fold) const {
  if (codePage == 1252) return;  // the table as it is
  Converter converter = OpenStrictCodePage(codePage);
  if (!converter) return;
  fold = LocaleFormats::IdentityTable();
  for (int byte = 0x80; byte < 256; ++byte) {
    const std::optional<UChar> c = CharacterOfByte(converter.get(), byte);
    if (!c) continue;
    if (const auto plain = PlainCapitalOf(*c)) fold[static_cast<std::size_t>(byte)] = *plain;
  }
}

std::vector<ByteRange> IcuLocaleSource::LeadByteRanges(int codePage) const {
  std::vector<ByteRange> ranges;
  Converter converter = OpenCodePage(codePage);
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

std::string IcuLocaleSource::FromLibraryText(const std::string& utf8, int codePage) const {
  UChar buffer[kBufferSize];
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(buffer, kBufferSize, &length, utf8.data(), static_cast<int32_t>(utf8.size()),
                &status);
  if (U_FAILURE(status)) return utf8;
  const auto converted =
      WriteInCodePage(codePage, std::u16string_view(reinterpret_cast<const char16_t*>(buffer),
                                                    static_cast<std::size_t>(length)));
  return converted ? *converted : utf8;
}

// The locale with one keyword set ("numbers=latn"); the name as it was when
// ICU refuses.
std::string LocaleWithKeyword(const std::string& locale, const char* keyword, const char* value) {
  char name[ULOC_FULLNAME_CAPACITY] = {};
  if (locale.size() >= sizeof name) return locale;
  std::memcpy(name, locale.data(), locale.size());
  UErrorCode status = U_ZERO_ERROR;
  uloc_setKeywordValue(keyword, value, name, sizeof name, &status);
  return U_SUCCESS(status) ? std::string(name) : locale;
}

std::optional<std::string> IcuTextToCodePage(const std::u16string& text, int codePage) {
  return WriteInCodePage(codePage, text);
}

std::string CodePageToUtf8(const std::string& text, int codePage) {
  Converter converter = OpenCodePage(codePage);
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

int AnsiCodePageFor(const std::string& icuName) {
  const std::string icuLocale = WithLikelyScript(icuName);
  char language[16] = {};
  char script[16] = {};
  char country[16] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_getLanguage(icuLocale.c_str(), language, sizeof language - 1, &status);
  uloc_getScript(icuLocale.c_str(), script, sizeof script - 1, &status);
  uloc_getCountry(icuLocale.c_str(), country, sizeof country - 1, &status);
  if (U_FAILURE(status)) return 1252;
  const std::string lang = language;
  const std::string scr = script;
  const std::string ctry = country;
  const auto in = [&](std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (lang == name) return true;
    }
    return false;
  };
  if (lang == "ja") return 932;
  if (lang == "ko") return 949;
  if (lang == "zh") {
    return scr == "Hant" || ctry == "TW" || ctry == "HK" || ctry == "MO" ? 950 : 936;
  }
  if (lang == "th") return 874;
  if (lang == "vi") return 1258;
  if (lang == "sr") return scr == "Latn" ? 1250 : 1251;
  if (lang == "az" || lang == "uz") return scr == "Cyrl" ? 1251 : 1254;
  if (in({"cs", "pl", "hu", "sk", "sl", "hr", "ro", "sq", "bs"})) return 1250;
  if (in({"ru", "uk", "be", "bg", "mk", "kk", "ky", "mn", "tt", "ba"})) return 1251;
  if (lang == "el") return 1253;
  if (lang == "tr") return 1254;
  if (lang == "he" || lang == "iw") return 1255;
  if (in({"ar", "fa", "ur"})) return 1256;
  if (in({"et", "lv", "lt"})) return 1257;
  return 1252;
}

}  // namespace udfzel
