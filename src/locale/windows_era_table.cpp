#include "locale/era_table_loader.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "locale/code_page_text.h"
#include "locale/windows_code_page.h"
#include "locale/windows_locale_numbers.h"
#include "locale/windows_locale_source.h"
#include "records/civil_date.h"
#include "records/locale_formats.h"

namespace udfzel {
namespace {

// Where Windows records the first day of each Japanese era, as value names
// such as "2019 05 01"; the calendar data holds only the years.
constexpr const wchar_t* kJapaneseErasKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Calendars\\Japanese\\Eras";
constexpr DWORD kMostRegistryValues = 1024;

// The locales that own the era calendars, asked when the loaded locale
// does not offer the calendar itself.
constexpr const wchar_t* kJapaneseCalendarHome = L"ja-JP";
constexpr const wchar_t* kTaiwanCalendarHome = L"zh-TW";

// The Republic of China counts its years from 1912; the years before it
// count down from 1911, the 1st year before the Republic (民國前).
constexpr int kRepublicFirstYear = 1912;
constexpr const wchar_t* kBeforeRepublicName = L"\u6C11\u570B\u524D";

// The era's name in the code page, where the code page holds it whole.
void SetName(Era& era, const std::wstring& text, int codePage) {
  era.SetName(WriteInCodePage(codePage, Utf16(text)));
}

// A whole decimal number of digits alone; nothing for any other text.
std::optional<int> ParseNumber(std::wstring_view text) {
  const auto notDigit = [](wchar_t c) { return c < L'0' || c > L'9'; };
  if (std::ranges::any_of(text, notDigit)) return std::nullopt;
  return WindowsLocaleNumber(Utf16(text), text.size());
}

BOOL CALLBACK CollectCalendarValue(LPWSTR value, CALID, LPWSTR, LPARAM list) {
  try {
    reinterpret_cast<std::vector<std::wstring>*>(list)->emplace_back(value);
    return TRUE;
  } catch (...) {
    return FALSE;  // nothing may be thrown through the Windows call
  }
}

// Every value of a calendar item, one per era, in the order Windows lists
// them; empty when it cannot.
std::vector<std::wstring> CalendarValues(const std::wstring& locale, CALID calendar, CALTYPE type) {
  std::vector<std::wstring> values;
  if (EnumCalendarInfoExEx(CollectCalendarValue, locale.c_str(), calendar, nullptr, type,
                           reinterpret_cast<LPARAM>(&values)) == 0) {
    values.clear();
  }
  return values;
}

// One era as the calendar data lists it: its name and the Gregorian year
// of its year 1.
struct ListedEra {
  std::wstring name;
  int yearOne = 1;
};

// The calendar's eras, oldest first; empty unless Windows lists a name and
// a year for every era.
std::vector<ListedEra> ListedEras(const std::wstring& locale, CALID calendar) {
  const std::vector<std::wstring> names = CalendarValues(locale, calendar, CAL_SERASTRING);
  const std::vector<std::wstring> years = CalendarValues(locale, calendar, CAL_IYEAROFFSETRANGE);
  std::vector<ListedEra> eras;
  if (names.size() != years.size()) return eras;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::optional<int> year = ParseNumber(years[i]);
    if (!year || *year < 1 || *year > 9999) return {};
    eras.push_back({names[i], *year});
  }
  std::stable_sort(eras.begin(), eras.end(),
                   [](const ListedEra& a, const ListedEra& b) { return a.yearOne < b.yearOne; });
  return eras;
}

// The eras of the locale's calendar, or of the calendar's home locale when
// the locale does not offer it.
std::vector<ListedEra> ErasOf(const std::wstring& locale, CALID calendar, const wchar_t* home) {
  std::vector<ListedEra> eras = ListedEras(locale, calendar);
  return eras.empty() ? ListedEras(home, calendar) : eras;
}

// A day named "2019 05 01", when it is one of the years 0001 to 9999.
std::optional<CivilDate> ParseDayName(std::wstring_view text) {
  int fields[3] = {};
  for (int& field : fields) {
    const std::size_t space = text.find(L' ');
    const std::optional<int> number = ParseNumber(text.substr(0, space));
    if (!number) return std::nullopt;
    field = *number;
    text = space == std::wstring_view::npos ? std::wstring_view() : text.substr(space + 1);
  }
  const auto [year, month, day] = fields;
  if (!text.empty() || year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > MonthLength(IsLeapYear(year), month)) {
    return std::nullopt;
  }
  return CivilDate{year, month, day};
}

// A registry key open for reading its values, closed when done.
class RegistryKey {
 public:
  RegistryKey(HKEY parent, const wchar_t* path) {
    if (RegOpenKeyExW(parent, path, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // The names of the key's values, those no longer than 63 characters.
  std::vector<std::wstring> ValueNames() const {
    std::vector<std::wstring> names;
    for (DWORD index = 0; key_ != nullptr && index < kMostRegistryValues; ++index) {
      wchar_t name[64] = {};
      DWORD length = 64;
      const LSTATUS status =
          RegEnumValueW(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) break;
      if (status == ERROR_SUCCESS) names.emplace_back(name, length);
    }
    return names;
  }

 private:
  HKEY key_ = nullptr;
};

// The first days of the Japanese eras as the registry records them; empty
// where it records none.
std::vector<CivilDate> RegisteredJapaneseEraStarts() {
  std::vector<CivilDate> starts;
  const RegistryKey eras(HKEY_LOCAL_MACHINE, kJapaneseErasKey);
  for (const std::wstring& name : eras.ValueNames()) {
    if (const std::optional<CivilDate> day = ParseDayName(name)) starts.push_back(*day);
  }
  return starts;
}

// The first day of the era whose year 1 is `yearOne`: the day the registry
// records in that year, else the year's 1 January.
std::int64_t FirstDayOfEra(int yearOne, const std::vector<CivilDate>& registered) {
  for (const CivilDate& day : registered) {
    if (day.year == yearOne) return DaysFromCivil(day.year, day.month, day.day);
  }
  return DaysFromCivil(yearOne, 1, 1);
}

EraTable JapaneseEras(const std::wstring& locale, int codePage) {
  const std::vector<CivilDate> registered = RegisteredJapaneseEraStarts();
  EraTable table;
  for (const ListedEra& listed : ErasOf(locale, CAL_JAPAN, kJapaneseCalendarHome)) {
    Era era;
    era.firstDay = FirstDayOfEra(listed.yearOne, registered);
    era.yearOne = listed.yearOne;
    SetName(era, listed.name, codePage);
    if (!table.Add(era)) break;
  }
  return table;
}

// The years before the Republic, counted down, then the Republic's years
// under the name Windows gives its era.
EraTable TaiwanEras(const std::wstring& locale, int codePage) {
  const std::vector<ListedEra> listed = ErasOf(locale, CAL_TAIWAN, kTaiwanCalendarHome);
  Era before;
  before.firstDay = DaysFromCivil(1, 1, 1);
  before.yearOne = kRepublicFirstYear - 1;
  before.direction = -1;
  SetName(before, kBeforeRepublicName, codePage);
  Era republic;
  republic.firstDay = DaysFromCivil(kRepublicFirstYear, 1, 1);
  republic.yearOne = kRepublicFirstYear;
  if (!listed.empty()) SetName(republic, listed.back().name, codePage);
  EraTable table;
  table.Add(before);
  table.Add(republic);
  return table;
}

// A calendar item as Windows answers it; nothing when it cannot.
std::optional<std::wstring> CalendarInfo(const std::wstring& locale, CALID calendar, CALTYPE type) {
  const int size = GetCalendarInfoEx(locale.c_str(), calendar, nullptr, type, nullptr, 0, nullptr);
  if (size <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  const int written =
      GetCalendarInfoEx(locale.c_str(), calendar, nullptr, type, text.data(), size, nullptr);
  if (written <= 0) return std::nullopt;
  text.resize(static_cast<std::size_t>(written - 1));  // without the terminator
  return text;
}

// The Common Era from 0001-01-01 under the locale's name for it: every date
// the library writes is in it.
EraTable CommonEra(const std::wstring& locale, int codePage) {
  Era era;
  era.firstDay = DaysFromCivil(1, 1, 1);
  era.yearOne = 1;
  if (const auto name = CalendarInfo(locale, CAL_GREGORIAN, CAL_SERASTRING)) {
    SetName(era, *name, codePage);
  }
  EraTable table;
  table.Add(era);
  return table;
}

}  // namespace

EraTable LoadEraTable(const std::string& locale, int calendarType, int codePage) {
  try {
    const std::wstring name = WideLocaleName(WindowsLocaleSource::NameFromPosix(locale));
    switch (calendarType) {
      case kCalendarJapaneseEra:
        return JapaneseEras(name, codePage);
      case kCalendarTaiwan:
        return TaiwanEras(name, codePage);
      case kCalendarKoreanTangun:
        return TangunEras(WriteInCodePage(codePage, u"\uB2E8\uAE30"));
      default:
        return CommonEra(name, codePage);
    }
  } catch (...) {
    return EraTable{};
  }
}

}  // namespace udfzel
