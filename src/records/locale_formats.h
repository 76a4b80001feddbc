// The process-wide record of the locale's formatting conventions: read once
// at load, only read afterwards. Number and date engines take it as an
// argument, so they know nothing of where it came from.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

namespace udfzel {

// The languages the rules single out, by primary language number (the low
// ten bits of a locale identifier), and Chinese as written in Taiwan, the
// sub-language whose era names are read differently.
inline constexpr std::int32_t kLanguageChinese = 4;
inline constexpr std::int32_t kLanguageEnglish = 9;
inline constexpr std::int32_t kLanguageJapanese = 17;
inline constexpr std::int32_t kLanguageKorean = 18;
inline constexpr std::int32_t kSubLanguageChineseTaiwan = 1;

// Calendar types: the Gregorian one and the three era calendars.
inline constexpr int kCalendarGregorian = 1;
inline constexpr int kCalendarJapaneseEra = 3;
inline constexpr int kCalendarTaiwan = 4;
inline constexpr int kCalendarKoreanTangun = 5;

inline constexpr bool IsEraCalendar(int calendarType) {
  return calendarType == kCalendarJapaneseEra || calendarType == kCalendarTaiwan ||
         calendarType == kCalendarKoreanTangun;
}

struct LocaleFormats {
  // Separators; the zero character means "no separator".
  char GroupSeparator = ',';
  char DecimalMark = '.';
  char DateDelimiter = '/';
  char TimeDelimiter = ':';

  // Pictures in the date picture language, and the AM/PM texts.
  std::string ShortDatePicture;
  std::string LongDatePicture;
  std::string AmText;
  std::string PmText;
  std::string ShortTimePicture;
  std::string LongTimePicture;

  // Names in the library's 8-bit code page: months 1 (January) to 12, days
  // 1 (Sunday) to 7 (Saturday); index 0 is unused.
  std::array<std::string, 13> MonthAbbreviations;
  std::array<std::string, 13> MonthNames;
  std::array<std::string, 8> DayAbbreviations;
  std::array<std::string, 8> DayNames;

  std::uint32_t LocaleId = 1033;
  std::int32_t PrimaryLanguage = kLanguageEnglish;
  std::int32_t SubLanguage = 1;
  bool MultiByteLocale = false;
  std::bitset<256> LeadByteSet;

  // The 8-bit code page texts are held in (1252 unless the locale names
  // another), and its calendar type (1 Gregorian; 3, 4, 5 the era calendars).
  int CodePage = 1252;
  int CalendarType = kCalendarGregorian;
  // The locale's name as the platform knows it ("" for none), for the era
  // texts, which are formatted at call time.
  std::string LocaleName;

  // The code page's case mapping, byte to byte: a byte maps to another only
  // when the other case of its character is one byte of the code page.
  std::array<char, 256> LowerCase = IdentityTable();
  std::array<char, 256> UpperCase = IdentityTable();
  // Accented Latin letters to their plain capitals, byte to byte: in
  // Windows-1252 the accented vowels and c-cedilla; in another code page
  // every Latin letter with a diacritic (Č, Ő, Ž) to its base letter.
  std::array<char, 256> AccentFold = Cp1252AccentFold();

  bool IsLeadByte(char c) const { return LeadByteSet.test(static_cast<unsigned char>(c)); }
  char ToLower(char c) const { return LowerCase[static_cast<unsigned char>(c)]; }
  char ToUpper(char c) const { return UpperCase[static_cast<unsigned char>(c)]; }
  char FoldAccent(char c) const { return AccentFold[static_cast<unsigned char>(c)]; }

  static constexpr std::array<char, 256> IdentityTable() {
    std::array<char, 256> table{};
    for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<char>(i);
    return table;
  }

  // The fold of Windows-1252: À-Ä, Ç, È-Ë, Ì-Ï, Ò-Ö, Ù-Ü in either case.
  static constexpr std::array<char, 256> Cp1252AccentFold() {
    std::array<char, 256> table = IdentityTable();
    const auto fold = [&](int first, int last, char letter) {
      for (int b = first; b <= last; ++b) {
        table[static_cast<std::size_t>(b)] = letter;
        table[static_cast<std::size_t>(b + 0x20)] = letter;
      }
    };
    fold(0xC0, 0xC4, 'A');
    fold(0xC7, 0xC7, 'C');
    fold(0xC8, 0xCB, 'E');
    fold(0xCC, 0xCF, 'I');
    fold(0xD2, 0xD6, 'O');
    fold(0xD9, 0xDC, 'U');
    return table;
  }
};

}  // namespace udfzel
