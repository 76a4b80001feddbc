#include "locale/windows_locale_source.h"

#include <windows.h>

#include <bit>
#include <charconv>
#include <climits>
#include <string_view>

#include "records/locale_formats.h"
#include "locale/platform_locale.h"

namespace udfzel {
namespace {

// Texts longer than this are not converted: every item the library reads
// is far shorter, and the lengths must fit the Windows calls' int.
constexpr std::size_t kLongestText = 4096;

// Code pages whose conversions take no flags at all (UTF-7, the ISO-2022
// and ISCII families, Symbol), and those that take only the
// invalid-character one (UTF-8, GB18030). Neither reports substitutes
// through lpUsedDefaultChar, so their texts are checked by converting back.
bool TakesNoConversionFlags(UINT codePage) {
  return codePage == CP_UTF7 || codePage == 42 || (codePage >= 50220 && codePage <= 50229) ||
         (codePage >= 57002 && codePage <= 57011);
}

bool TakesOnlyInvalidCharFlag(UINT codePage) {
  return codePage == CP_UTF8 || codePage == 54936;
}

bool ReportsSubstitutes(UINT codePage) {
  return !TakesNoConversionFlags(codePage) && !TakesOnlyInvalidCharFlag(codePage);
}

// The flag that makes a conversion to UTF-16 stop at an undefined byte,
// where the code page allows it.
DWORD StrictDecodeFlags(UINT codePage) {
  return TakesNoConversionFlags(codePage) ? 0 : MB_ERR_INVALID_CHARS;
}

// The code page a number names: 0 is the system's; nothing for one Windows
// does not have.
std::optional<UINT> UsableCodePage(int codePage) {
  if (codePage < 0) return std::nullopt;
  const UINT number = codePage == 0 ? GetACP() : static_cast<UINT>(codePage);
  if (!IsValidCodePage(number)) return std::nullopt;
  return number;
}

// 8-bit text as UTF-16; nothing when a byte sequence is not defined in the
// code page (with `strict`) or the call fails.
std::optional<std::wstring> Decode(UINT codePage, std::string_view text, bool strict) {
  if (text.empty()) return std::wstring();
  if (text.size() > kLongestText) return std::nullopt;
  const DWORD flags = strict ? StrictDecodeFlags(codePage) : 0;
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  if (MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), size) != size) {
    return std::nullopt;
  }
  return wide;
}

// How strictly a character must be written: as itself only, or also as
// the code page's best-fit character for it.
enum class Fit { Exact, BestFit };

// The conversion of a code page that cannot report substitutes: kept only
// when it converts back to the text itself.
std::optional<std::string> EncodeCheckedByRoundTrip(UINT codePage, std::wstring_view text) {
  const DWORD flags = TakesOnlyInvalidCharFlag(codePage) ? WC_ERR_INVALID_CHARS : 0;
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string out(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), size, nullptr,
                          nullptr) != size) {
    return std::nullopt;
  }
  const std::optional<std::wstring> back = Decode(codePage, out, true);
  if (!back || *back != text) return std::nullopt;
  return out;
}

// UTF-16 text in the code page, or nothing when a character would become
// the code page's substitute byte.
std::optional<std::string> Encode(UINT codePage, std::wstring_view text, Fit fit) {
  if (text.empty()) return std::string();
  if (text.size() > kLongestText) return std::nullopt;
  if (!ReportsSubstitutes(codePage)) return EncodeCheckedByRoundTrip(codePage, text);
  const DWORD flags = fit == Fit::Exact ? WC_NO_BEST_FIT_CHARS : 0;
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string out(static_cast<std::size_t>(size), '\0');
  BOOL usedSubstitute = FALSE;
  if (WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), size, nullptr,
                          &usedSubstitute) != size ||
      usedSubstitute) {
    return std::nullopt;
  }
  return out;
}

std::optional<std::wstring> Utf8ToWide(std::string_view utf8) {
  return Decode(CP_UTF8, utf8, true);
}

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > kLongestText) return {};
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr) !=
      size) {
    return {};
  }
  return out;
}

// The text in a Unicode normalization form; nothing when Windows refuses
// it (an unassigned or malformed character).
std::optional<std::wstring> Normalized(NORM_FORM form, std::wstring_view text) {
  if (text.empty()) return std::wstring();
  if (text.size() > kLongestText) return std::nullopt;
  const int length = static_cast<int>(text.size());
  int size = NormalizeString(form, text.data(), length, nullptr, 0);
  // The first size is an estimate: Windows asks for more, as a negative
  // count, when it was short.
  for (int attempt = 0; attempt < 4 && size > 0; ++attempt) {
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    const int written = NormalizeString(form, text.data(), length, out.data(), size);
    if (written > 0) {
      out.resize(static_cast<std::size_t>(written));
      return out;
    }
    if (written == 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    size = -written;
  }
  return std::nullopt;
}

bool IsCombiningMark(wchar_t c) {
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE3, &c, 1, &type) != 0 && (type & C3_NONSPACING) != 0;
}

// The length of the character at `at`: a surrogate pair whole, with the
// combining marks that follow it.
std::size_t CharacterLength(std::wstring_view text, std::size_t at) {
  std::size_t end = at + 1;
  if (IS_HIGH_SURROGATE(text[at]) && end < text.size() && IS_LOW_SURROGATE(text[end])) ++end;
  while (end < text.size() && IsCombiningMark(text[end])) ++end;
  return end - at;
}

// Spaces the code pages may lack: the no-break, narrow no-break, figure and
// thin spaces become the code page's no-break space, or a space.
bool IsNoBreakOrThinSpace(std::wstring_view character) {
  if (character.size() != 1) return false;
  const wchar_t c = character[0];
  return c == 0x00A0 || c == 0x202F || c == 0x2007 || c == 0x2009;
}

std::string NoBreakSpaceOf(UINT codePage) {
  const std::optional<std::string> noBreakSpace = Encode(codePage, L"\u00A0", Fit::Exact);
  return noBreakSpace ? *noBreakSpace : std::string(" ");
}

// Letters some code pages hold only in an older form: the Romanian
// comma-below letters as cedilla letters, the modifier apostrophe as the
// typographic or the plain one.
constexpr struct {
  wchar_t character;
  wchar_t equivalents[2];
} kEquivalents[] = {
    {0x0218, {0x015E, 0}}, {0x0219, {0x015F, 0}},     {0x021A, {0x0162, 0}},
    {0x021B, {0x0163, 0}}, {0x02BC, {0x2019, L'\''}},
};

std::optional<std::string> ConvertEquivalent(UINT codePage, std::wstring_view character) {
  if (character.size() != 1) return std::nullopt;
  for (const auto& entry : kEquivalents) {
    if (character[0] != entry.character) continue;
    for (const wchar_t equivalent : entry.equivalents) {
      if (equivalent == 0) continue;
      if (auto written = Encode(codePage, std::wstring_view(&equivalent, 1), Fit::Exact)) {
        return written;
      }
    }
  }
  return std::nullopt;
}

// The base letter with the marks of `subset` composed into it, and the
// other marks apart, both in the code page; nothing when either part
// cannot be written exactly.
std::optional<std::string> ConvertSplit(UINT codePage, std::wstring_view parts, unsigned subset) {
  std::wstring head(1, parts[0]);
  std::wstring tail;
  for (std::size_t m = 1; m < parts.size(); ++m) {
    ((subset >> (m - 1)) & 1u ? head : tail) += parts[m];
  }
  const std::optional<std::wstring> composed = Normalized(NormalizationC, head);
  if (!composed) return std::nullopt;
  const auto first = Encode(codePage, *composed, Fit::Exact);
  const auto rest = Encode(codePage, tail, Fit::Exact);
  if (!first || !rest) return std::nullopt;
  return *first + *rest;
}

// One character, composed as far as the code page has a composition of the
// base letter with some of its marks, the other marks written apart (the
// Vietnamese of cp1258: "ậ" as "â" and a combining dot below).
std::optional<std::string> ConvertDecomposed(UINT codePage, std::wstring_view character) {
  const std::optional<std::wstring> parts = Normalized(NormalizationD, character);
  if (!parts || parts->size() <= 1 || parts->size() > 5) return std::nullopt;
  const auto marks = static_cast<unsigned>(parts->size() - 1);
  // Subsets of the marks composed into the base, the largest first.
  for (unsigned taken = marks + 1; taken-- > 0;) {
    for (unsigned subset = 0; subset < (1u << marks); ++subset) {
      if (static_cast<unsigned>(std::popcount(subset)) != taken) continue;
      if (auto written = ConvertSplit(codePage, *parts, subset)) return written;
    }
  }
  return std::nullopt;
}

// One character in the code page: as itself, as an equivalent letter,
// decomposed, or as the code page's best fit for it. An exact writing comes
// before a best fit, which may drop a mark ("ș" as "s").
std::optional<std::string> ConvertCharacter(UINT codePage, std::wstring_view character) {
  if (auto exact = Encode(codePage, character, Fit::Exact)) return exact;
  if (auto equivalent = ConvertEquivalent(codePage, character)) return equivalent;
  if (auto decomposed = ConvertDecomposed(codePage, character)) return decomposed;
  return Encode(codePage, character, Fit::BestFit);
}

// A text in the code page, written whole or not at all: never a substitute
// byte. Character by character in composed form, so that a sequence the
// code page lacks can be written decomposed.
std::optional<std::string> ToCodePage(std::wstring_view text, UINT codePage) {
  const std::optional<std::wstring> composed = Normalized(NormalizationC, text);
  if (!composed) return std::nullopt;
  const std::wstring_view characters = *composed;
  const std::string space = NoBreakSpaceOf(codePage);
  std::string out;
  for (std::size_t at = 0; at < characters.size();) {
    const std::wstring_view character = characters.substr(at, CharacterLength(characters, at));
    at += character.size();
    if (IsNoBreakOrThinSpace(character)) {
      out += space;
      continue;
    }
    const std::optional<std::string> piece = ConvertCharacter(codePage, character);
    if (!piece) return std::nullopt;
    out += *piece;
  }
  return out;
}

// A locale item as Windows answers it; nothing when it cannot.
std::optional<std::wstring> LocaleInfo(const std::wstring& locale, LCTYPE type) {
  const int size = GetLocaleInfoEx(locale.c_str(), type, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  const int written = GetLocaleInfoEx(locale.c_str(), type, text.data(), size);
  if (written <= 0) return std::nullopt;
  text.resize(static_cast<std::size_t>(written - 1));  // without the terminator
  return text;
}

// The locale's ANSI code page; the system's when it names none (a locale
// Windows writes in Unicode only answers 0).
UINT AnsiCodePageOf(const std::wstring& locale) {
  const std::optional<std::wstring> text = LocaleInfo(locale, LOCALE_IDEFAULTANSICODEPAGE);
  const std::string digits = text ? WideToUtf8(*text) : std::string();
  int number = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, number);
  const bool whole = !digits.empty() && error == std::errc() && stop == end;
  if (!whole || number <= 0 || !IsValidCodePage(static_cast<UINT>(number))) return GetACP();
  return static_cast<UINT>(number);
}

// An item numbered 1 to `count` (months, days), as the first one's type
// plus the offset; nothing for an index out of range.
std::optional<LCTYPE> NumberedType(LCTYPE first, int index, int count) {
  if (index < 1 || index > count) return std::nullopt;
  return first + static_cast<LCTYPE>(index - 1);
}

// The Windows item type of a locale item. Month names are the nominative
// forms ("март", not "марта"); days count from Monday, as Windows does.
std::optional<LCTYPE> LocaleTypeOf(LocaleItem item, int index) {
  switch (item) {
    case LocaleItem::ThousandSeparator:
      return LOCALE_STHOUSAND;
    case LocaleItem::DecimalSeparator:
      return LOCALE_SDECIMAL;
    case LocaleItem::DateSeparator:
      return LOCALE_SDATE;
    case LocaleItem::ShortDate:
      return LOCALE_SSHORTDATE;
    case LocaleItem::LongDate:
      return LOCALE_SLONGDATE;
    case LocaleItem::TimeSeparator:
      return LOCALE_STIME;
    case LocaleItem::AmDesignator:
      return LOCALE_S1159;
    case LocaleItem::PmDesignator:
      return LOCALE_S2359;
    case LocaleItem::HourLeadingZero:
      return LOCALE_ITLZERO;
    case LocaleItem::TimeClock:
      return LOCALE_ITIME;
    case LocaleItem::TimeMarkPosition:
      return LOCALE_ITIMEMARKPOSN;
    case LocaleItem::AbbrevMonthName:
      return NumberedType(LOCALE_SABBREVMONTHNAME1, index, 12);
    case LocaleItem::MonthName:
      return NumberedType(LOCALE_SMONTHNAME1, index, 12);
    case LocaleItem::AbbrevDayName:
      return NumberedType(LOCALE_SABBREVDAYNAME1, index, 7);
    case LocaleItem::DayName:
      return NumberedType(LOCALE_SDAYNAME1, index, 7);
    case LocaleItem::CalendarType:
      return LOCALE_ICALENDARTYPE;
    case LocaleItem::DefaultAnsiCodePage:
      return LOCALE_IDEFAULTANSICODEPAGE;
  }
  return std::nullopt;
}

// The character a single byte of the code page stands for: nothing for a
// lead byte or an undefined byte.
std::optional<wchar_t> CharacterOfByte(UINT codePage, int byte) {
  const auto in = static_cast<BYTE>(byte);
  if (IsDBCSLeadByteEx(codePage, in)) return std::nullopt;
  const char text = static_cast<char>(in);
  wchar_t units[2] = {};
  if (MultiByteToWideChar(codePage, StrictDecodeFlags(codePage), &text, 1, units, 2) != 1) {
    return std::nullopt;
  }
  return units[0];
}

// The one byte of the code page that is exactly `c`, if there is one.
std::optional<char> OneByteOf(UINT codePage, wchar_t c) {
  const std::optional<std::string> written = Encode(codePage, std::wstring_view(&c, 1), Fit::Exact);
  if (!written || written->size() != 1) return std::nullopt;
  return (*written)[0];
}

using AnsiCaseMapping = DWORD(WINAPI*)(LPSTR, DWORD);
using WideCaseMapping = DWORD(WINAPI*)(LPWSTR, DWORD);

// A byte of the system's ANSI code page in the other case, as the ANSI
// case services map it.
char AnsiCaseOf(int byte, AnsiCaseMapping mapping) {
  char c = static_cast<char>(byte);
  mapping(&c, 1);
  return c;
}

wchar_t WideCaseOf(wchar_t c, WideCaseMapping mapping) {
  mapping(&c, 1);
  return c;
}

// The plain capital an accented Latin letter decomposes to ("Č" -> 'C');
// nothing for any other character.
std::optional<char> PlainCapitalOf(wchar_t c) {
  const std::optional<std::wstring> parts = Normalized(NormalizationD, std::wstring_view(&c, 1));
  if (!parts || parts->size() < 2) return std::nullopt;
  const wchar_t base = (*parts)[0];
  if (base >= L'a' && base <= L'z') return static_cast<char>(base - L'a' + L'A');
  if (base >= L'A' && base <= L'Z') return static_cast<char>(base);
  return std::nullopt;
}

}  // namespace

WindowsLocaleSource::WindowsLocaleSource(const std::string& name) : name_(NameFromPosix(name)) {
  if (name_.empty() || name_ == "C" || name_ == "POSIX") return;
  wideName_ = WideLocaleName(name_);
  known_ = !wideName_.empty() && IsValidLocaleName(wideName_.c_str()) != 0 &&
           LocaleNameToLCID(wideName_.c_str(), 0) != 0;
  if (known_) codePage_ = static_cast<int>(AnsiCodePageOf(wideName_));
}

WindowsLocaleSource WindowsLocaleSource::FromUserDefault() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  const int length = GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
  if (length <= 1) return WindowsLocaleSource(std::string());
  return WindowsLocaleSource(
      WideToUtf8(std::wstring_view(name, static_cast<std::size_t>(length - 1))));
}

std::string WindowsLocaleSource::NameFromPosix(const std::string& posixName) {
  std::string name = posixName.substr(0, posixName.find_first_of(".@"));
  // A Windows name ("de-DE_phoneb") may hold an underscore of its own.
  if (name.find('-') != std::string::npos) return posixName;
  for (char& c : name) {
    if (c == '_') c = '-';
  }
  return name;
}

std::uint32_t WindowsLocaleSource::LocaleId() const {
  if (!known_) return 0;
  return LocaleNameToLCID(wideName_.c_str(), 0);
}

std::optional<std::string> WindowsLocaleSource::Read(LocaleItem item, int index) const {
  if (!known_) return std::nullopt;
  const std::optional<LCTYPE> type = LocaleTypeOf(item, index);
  if (!type) return std::nullopt;
  const std::optional<std::wstring> text = LocaleInfo(wideName_, *type);
  if (!text) return std::nullopt;
  return ToCodePage(*text, static_cast<UINT>(codePage_));
}

std::vector<ByteRange> WindowsLocaleSource::LeadByteRanges(int codePage) const {
  std::vector<ByteRange> ranges;
  const std::optional<UINT> usable = UsableCodePage(codePage);
  CPINFO info{};
  if (!usable || GetCPInfo(*usable, &info) == 0) return ranges;
  for (std::size_t i = 0; i + 1 < MAX_LEADBYTES; i += 2) {
    if (info.LeadByte[i] == 0 && info.LeadByte[i + 1] == 0) break;
    ranges.emplace_back(info.LeadByte[i], info.LeadByte[i + 1]);
  }
  return ranges;
}

int WindowsLocaleSource::SystemCodePage() const {
  return static_cast<int>(GetACP());
}

std::string WindowsLocaleSource::FromLibraryText(const std::string& utf8, int codePage) const {
  const std::optional<UINT> usable = UsableCodePage(codePage);
  const std::optional<std::wstring> wide = Utf8ToWide(utf8);
  if (!usable || !wide) return utf8;
  const std::optional<std::string> converted = ToCodePage(*wide, *usable);
  return converted ? *converted : utf8;
}

void WindowsLocaleSource::CaseTables(int codePage, std::array<char, 256>& lower,
                                     std::array<char, 256>& upper) const {
  const std::optional<UINT> usable = UsableCodePage(codePage);
  if (!usable) {
    LocaleSource::CaseTables(codePage, lower, upper);
    return;
  }
  // The system's own code page goes through the ANSI case services, as the
  // library documents; another through the wide ones and back, strictly.
  const bool systemCodePage = *usable == GetACP();
  for (int byte = 1; byte < 256; ++byte) {
    const std::optional<wchar_t> c = CharacterOfByte(*usable, byte);
    if (!c) continue;
    const auto index = static_cast<std::size_t>(byte);
    if (systemCodePage) {
      lower[index] = AnsiCaseOf(byte, CharLowerBuffA);
      upper[index] = AnsiCaseOf(byte, CharUpperBuffA);
      continue;
    }
    if (const auto mapped = OneByteOf(*usable, WideCaseOf(*c, CharLowerBuffW))) {
      lower[index] = *mapped;
    }
    if (const auto mapped = OneByteOf(*usable, WideCaseOf(*c, CharUpperBuffW))) {
      upper[index] = *mapped;
    }
  }
}

void WindowsLocaleSource::AccentFold(int codePage, std::array<char, 256>& fold) const {
  const std::optional<UINT> usable = UsableCodePage(codePage);
  if (!usable || *usable == 1252) return;  // the table as it is
  fold = LocaleFormats::IdentityTable();
  for (int byte = 0x80; byte < 256; ++byte) {
    const std::optional<wchar_t> c = CharacterOfByte(*usable, byte);
    if (!c) continue;
    if (const auto plain = PlainCapitalOf(*c)) fold[static_cast<std::size_t>(byte)] = *plain;
  }
}

std::wstring WideLocaleName(const std::string& utf8Name) {
  const std::optional<std::wstring> wide = Utf8ToWide(utf8Name);
  return wide ? *wide : std::wstring();
}

std::optional<std::string> WideTextToCodePage(const std::wstring& text, int codePage) {
  const std::optional<UINT> usable = UsableCodePage(codePage);
  if (!usable) return std::nullopt;
  return ToCodePage(text, *usable);
}

std::string CodePageToUtf8(const std::string& text, int codePage) {
  const std::optional<UINT> usable = UsableCodePage(codePage);
  if (!usable) return text;
  const std::optional<std::wstring> wide = Decode(*usable, text, false);
  if (!wide) return text;
  const std::string utf8 = WideToUtf8(*wide);
  return utf8.empty() && !text.empty() ? text : utf8;
}

}  // namespace udfzel
