#include "locale/windows_locale_source.h"

#include <windows.h>

#include <string_view>

#include "locale/platform_locale.h"
#include "locale/windows_code_page.h"
#include "locale/windows_locale_numbers.h"
#include "records/locale_formats.h"

namespace udfzel {
namespace {

std::optional<std::wstring> Utf8ToWide(std::string_view utf8) {
  return Decode(CP_UTF8, utf8, true);
}

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > kLongestWindowsText) return {};
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

// A day counted from Sunday (1) as Windows counts it, from Monday (1);
// any other number as it is.
int MondayFirst(int sundayFirst) {
  return sundayFirst >= 1 && sundayFirst <= 7 ? (sundayFirst + 5) % 7 + 1 : sundayFirst;
}

// An item numbered 1 to `count` (months, days), as the first one's type
// plus the offset; nothing for an index out of range.
std::optional<LCTYPE> NumberedType(LCTYPE first, int index, int count) {
  if (index < 1 || index > count) return std::nullopt;
  return first + static_cast<LCTYPE>(index - 1);
}

// The Windows item type of a locale text. Month names are the nominative
// forms ("март", not "марта"); Windows counts days from Monday.
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
    case LocaleItem::AbbrevMonthName:
      return NumberedType(LOCALE_SABBREVMONTHNAME1, index, 12);
    case LocaleItem::MonthName:
      return NumberedType(LOCALE_SMONTHNAME1, index, 12);
    case LocaleItem::AbbrevDayName:
      return NumberedType(LOCALE_SABBREVDAYNAME1, MondayFirst(index), 7);
    case LocaleItem::DayName:
      return NumberedType(LOCALE_SDAYNAME1, MondayFirst(index), 7);
  }
  return std::nullopt;
}

LCTYPE LocaleTypeOf(LocaleFlag flag) {
  switch (flag) {
    case LocaleFlag::HourLeadingZero:
      return LOCALE_ITLZERO;
    case LocaleFlag::TwentyFourHourClock:
      return LOCALE_ITIME;
    case LocaleFlag::MarkBeforeTime:
      return LOCALE_ITIMEMARKPOSN;
  }
  return LOCALE_ITIME;
}

// A byte of the system's ANSI code page in the other case, as the ANSI
// case services map it.
char AnsiCaseOf(int byte, DWORD(WINAPI* mapping)(LPSTR, DWORD)) {
  char c = static_cast<char>(byte);
  mapping(&c, 1);
  return c;
}

}  // namespace

WindowsLocaleSource::WindowsLocaleSource(const std::string& name) : name_(NameFromPosix(name)) {
  if (name_.empty() || name_ == "C" || name_ == "POSIX") return;
  wideName_ = WideLocaleName(name_);
  known_ = !wideName_.empty() && IsValidLocaleName(wideName_.c_str()) != 0 &&
           LocaleNameToLCID(wideName_.c_str(), 0) != 0;
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

std::optional<std::u16string> WindowsLocaleSource::Text(LocaleItem item, int index) const {
  if (!known_) return std::nullopt;
  const std::optional<LCTYPE> type = LocaleTypeOf(item, index);
  if (!type) return std::nullopt;
  const std::optional<std::wstring> text = LocaleInfo(wideName_, *type);
  if (!text) return std::nullopt;
  return std::u16string(Utf16(*text));
}

std::optional<int> WindowsLocaleSource::Number(LCTYPE type, std::size_t limit) const {
  if (!known_) return std::nullopt;
  const std::optional<std::wstring> text = LocaleInfo(wideName_, type);
  if (!text) return std::nullopt;
  return WindowsLocaleNumber(Utf16(*text), limit);
}

std::optional<bool> WindowsLocaleSource::Flag(LocaleFlag flag) const {
  const std::optional<int> number = Number(LocaleTypeOf(flag), kWindowsTextItemLimit);
  if (!number) return std::nullopt;
  return *number != 0;
}

std::optional<int> WindowsLocaleSource::CalendarType() const {
  return Number(LOCALE_ICALENDARTYPE, kWindowsTextItemLimit);
}

std::optional<int> WindowsLocaleSource::AnsiCodePage() const {
  return Number(LOCALE_IDEFAULTANSICODEPAGE, kWindowsCodePageItemLimit);
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

void WindowsLocaleSource::CaseTables(int codePage, std::array<char, 256>& lower,
                                     std::array<char, 256>& upper) const {
  // Another page takes the interface's rule, which opens it itself.
  const std::unique_ptr<CodePage> page =
      UsableCodePage(codePage) == GetACP() ? OpenCodePage(codePage) : nullptr;
  if (!page) {
    LocaleSource::CaseTables(codePage, lower, upper);
    return;
  }
  // The system's own code page goes through the ANSI case services, as the
  // library documents.
  for (int byte = 1; byte < 256; ++byte) {
    if (!page->CharacterOfByte(static_cast<unsigned char>(byte))) continue;
    lower[static_cast<std::size_t>(byte)] = AnsiCaseOf(byte, CharLowerBuffA);
    upper[static_cast<std::size_t>(byte)] = AnsiCaseOf(byte, CharUpperBuffA);
  }
}

std::wstring WideLocaleName(const std::string& utf8Name) {
  const std::optional<std::wstring> wide = Utf8ToWide(utf8Name);
  return wide ? *wide : std::wstring();
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
