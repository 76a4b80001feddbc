// Real locales through ICU: the record each loads, and how the environment
// names the locale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <unicode/ucal.h>
#include <unicode/udat.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include "engines/dates/day_serial.h"
#include "engines/text/text_case.h"
#include "locale/code_page_text.h"
#include "locale/era_table_loader.h"
#include "locale/icu_locale_source.h"
#include "locale/load_locale_formats.h"
#include "locale_dump.h"

namespace {

using udfzel::IcuLocaleSource;
using udfzel::LocaleFormats;

LocaleFormats Load(const std::string& name) {
  return udfzel::LoadLocaleFormats(IcuLocaleSource(name));
}

// A UTF-8 text in an 8-bit code page, by the library's writer.
std::string InCodePage(const char* utf8, int codePage) {
  UChar wide[256];
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(wide, 256, &length, utf8, -1, &status);
  const auto written = udfzel::WriteInCodePage(
      codePage, std::u16string_view(reinterpret_cast<const char16_t*>(wide),
                                    static_cast<std::size_t>(U_SUCCESS(status) ? length : 0)));
  return written.value_or("");
}

TEST(IcuLocale, NamesFromTheEnvironment) {
  struct Case {
    const char* posix;
    const char* icu;
  };
  const std::vector<Case> cases = {
      {"pt_BR.UTF-8", "pt_BR"},
      {"de_DE@euro", "de_DE"},
      {"de_DE.ISO-8859-15@euro", "de_DE"},
      {"ja_JP.UTF-8@calendar=japanese", "ja_JP@calendar=japanese"},
      {"sr_RS.UTF-8@latin", "sr_Latn_RS"},
      {"uz_UZ.UTF-8@cyrillic", "uz_Cyrl_UZ"},
      {"be_BY.UTF-8@latin", "be_Latn_BY"},
      {"ca_ES.UTF-8@valencia", "ca_ES_VALENCIA"},
      {"C", "C"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(IcuLocaleSource::NameFromPosix(c.posix), c.icu);
}

// LC_ALL wins over LANG; an empty LC_ALL counts as unset.
TEST(IcuLocale, LocaleOfTheEnvironment) {
  struct Case {
    const char* lcAll;  // null: unset
    const char* lang;
    const char* name;
  };
  const std::vector<Case> cases = {
      {nullptr, "pt_BR.UTF-8", "pt_BR"}, {"de_DE.UTF-8", "pt_BR.UTF-8", "de_DE"},
      {"", "en_US.UTF-8", "en_US"},      {nullptr, nullptr, ""},
      {"C", "pt_BR.UTF-8", "C"},
  };
  const std::string savedAll = std::getenv("LC_ALL") ? std::getenv("LC_ALL") : "";
  const std::string savedLang = std::getenv("LANG") ? std::getenv("LANG") : "";
  const auto set = [](const char* name, const char* value) {
    if (value == nullptr) {
      unsetenv(name);
    } else {
      setenv(name, value, 1);
    }
  };
  for (const Case& c : cases) {
    set("LC_ALL", c.lcAll);
    set("LANG", c.lang);
    EXPECT_EQ(IcuLocaleSource::FromEnvironment().Name(), c.name);
  }
  setenv("LC_ALL", savedAll.c_str(), 1);
  setenv("LANG", savedLang.c_str(), 1);
}

TEST(IcuLocale, LocalesWithoutDataAnswerNothing) {
  // be_Latn: ICU has no Latin Belarusian, only the Cyrillic names.
  for (const char* name : {"", "C", "POSIX", "xx_YY", "qq", "be_Latn_BY"}) {
    const IcuLocaleSource source(name);
    EXPECT_FALSE(source.Known()) << name;
    const LocaleFormats f = udfzel::LoadLocaleFormats(source);
    EXPECT_EQ(f.LocaleId, 1033u) << name;
    EXPECT_EQ(f.ShortDatePicture, "m/d/yy") << name;
    EXPECT_EQ(f.LongTimePicture, "h:mm:ss AMPM") << name;
    EXPECT_EQ(f.MonthNames[3], "Mar\xe7o") << name;
    EXPECT_EQ(f.DayNames[7],
              "S\xe1"
              "bado")
        << name;
    EXPECT_EQ(f.GroupSeparator, ',') << name;
  }
}

TEST(IcuLocale, BrazilianPortuguese) {
  const LocaleFormats f = Load("pt_BR");
  SCOPED_TRACE(udfzel::DescribeLocaleFormats(f));
  EXPECT_EQ(f.LocaleId, 0x416u);
  EXPECT_EQ(f.PrimaryLanguage, 22);
  EXPECT_EQ(f.SubLanguage, 1);
  EXPECT_EQ(f.CodePage, 1252);
  EXPECT_FALSE(f.MultiByteLocale);
  EXPECT_EQ(f.GroupSeparator, '.');
  EXPECT_EQ(f.DecimalMark, ',');
  EXPECT_EQ(f.DateDelimiter, '/');
  EXPECT_EQ(f.TimeDelimiter, ':');
  EXPECT_EQ(f.ShortDatePicture, "dd/MM/yyyy");
  EXPECT_EQ(f.LongDatePicture, "dddd, d 'de' MMMM 'de' yyyy");
  EXPECT_EQ(f.ShortTimePicture, "hh:mm");
  EXPECT_EQ(f.LongTimePicture, "hh:mm:ss");
  EXPECT_EQ(f.MonthNames[3], "mar\xe7o");
  EXPECT_EQ(f.DayNames[1], "domingo");
  EXPECT_EQ(f.DayNames[7],
            "s\xe1"
            "bado");
}

TEST(IcuLocale, UnitedStatesEnglish) {
  const LocaleFormats f = Load("en_US");
  SCOPED_TRACE(udfzel::DescribeLocaleFormats(f));
  EXPECT_EQ(f.LocaleId, 0x409u);
  EXPECT_EQ(f.GroupSeparator, ',');
  EXPECT_EQ(f.DecimalMark, '.');
  EXPECT_EQ(f.ShortDatePicture, "M/d/yy");
  EXPECT_EQ(f.LongDatePicture, "dddd, MMMM d, yyyy");
  EXPECT_EQ(f.ShortTimePicture, "h:mm AMPM");
  EXPECT_EQ(f.LongTimePicture, "h:mm:ss AMPM");
  EXPECT_EQ(f.AmText, "AM");
  EXPECT_EQ(f.PmText, "PM");
  EXPECT_EQ(f.MonthAbbreviations[1], "Jan");
  EXPECT_EQ(f.DayNames[1], "Sunday");
}

TEST(IcuLocale, German) {
  const LocaleFormats f = Load("de_DE");
  SCOPED_TRACE(udfzel::DescribeLocaleFormats(f));
  EXPECT_EQ(f.LocaleId, 0x407u);
  EXPECT_EQ(f.GroupSeparator, '.');
  EXPECT_EQ(f.DecimalMark, ',');
  EXPECT_EQ(f.DateDelimiter, '.');
  EXPECT_EQ(f.ShortDatePicture, "dd.MM.yy");
  EXPECT_EQ(f.ShortTimePicture, "hh:mm");
  EXPECT_EQ(f.MonthNames[3], "M\xe4rz");
}

TEST(IcuLocale, JapaneseGregorianAndEraCalendars) {
  const LocaleFormats gregorian = Load("ja_JP");
  SCOPED_TRACE(udfzel::DescribeLocaleFormats(gregorian));
  EXPECT_EQ(gregorian.LocaleId, 0x411u);
  EXPECT_EQ(gregorian.PrimaryLanguage, 17);
  EXPECT_EQ(gregorian.CodePage, 932);
  EXPECT_TRUE(gregorian.MultiByteLocale);
  EXPECT_EQ(gregorian.LeadByteSet.count(), 31u + 29u);  // 81-9F and E0-FC
  EXPECT_TRUE(gregorian.IsLeadByte('\x81') && gregorian.IsLeadByte('\xFC'));
  EXPECT_FALSE(gregorian.IsLeadByte('\xA0'));
  EXPECT_EQ(gregorian.CalendarType, 1);
  EXPECT_EQ(gregorian.ShortDatePicture, "yyyy/MM/dd");
  EXPECT_EQ(gregorian.MonthNames[1], "1\x8c\x8e");  // 1月 in Shift-JIS

  const LocaleFormats era = Load("ja_JP@calendar=japanese");
  SCOPED_TRACE(udfzel::DescribeLocaleFormats(era));
  EXPECT_EQ(era.CalendarType, 3);
  EXPECT_NE(era.ShortDatePicture.find("ggg"), std::string::npos);
  EXPECT_NE(era.ShortDatePicture.find('e'), std::string::npos);
  EXPECT_EQ(era.ShortDatePicture.find('y'), std::string::npos);
}

TEST(IcuLocale, TraditionalChinese) {
  const LocaleFormats f = Load("zh_TW");
  SCOPED_TRACE(udfzel::DescribeLocaleFormats(f));
  EXPECT_EQ(f.LocaleId, 0x404u);
  EXPECT_EQ(f.PrimaryLanguage, 4);
  EXPECT_EQ(f.CodePage, 950);
  EXPECT_TRUE(f.MultiByteLocale);
  EXPECT_TRUE(f.IsLeadByte('\x81') && f.IsLeadByte('\xFE'));
  EXPECT_FALSE(f.IsLeadByte('\x80'));
  EXPECT_EQ(f.ShortDatePicture.find('g'), std::string::npos);
}

// The era table read at load against ICU's own formatting of the same days
// (its calendar made proleptic Gregorian, as the library's is): every 61st
// day of 0001-9999 and the days around every era's beginning.
TEST(IcuLocale, EraTablesAgreeWithIcu) {
  struct Case {
    const char* locale;
    int calendarType;
    std::size_t eras;
  };
  // ICU keeps the Julian calendar before 15 October 1582 in its Japanese,
  // ROC and Buddhist calendars, where the library counts Gregorian years:
  // those are compared from that day on.
  const std::int64_t gregorianReform = udfzel::DaysFromCivil(1582, 10, 15);
  const std::vector<Case> cases = {{"", 1, 1},
                                   {"pt_BR", 1, 1},
                                   {"th_TH", 1, 1},
                                   {"ja_JP@calendar=japanese", 3, 200},
                                   {"zh_TW@calendar=roc", 4, 2}};
  for (const Case& c : cases) {
    const LocaleFormats locale = Load(c.locale);
    const udfzel::EraTable table = udfzel::LoadEraTable(c.locale, c.calendarType, locale.CodePage);
    EXPECT_GE(table.size(), c.eras) << c.locale;
    EXPECT_EQ(c.eras == 200, table.size() > 2) << c.locale;
    const std::string icuLocale = c.locale;
    static const UChar kUtc[] = {'U', 'T', 'C', 0};
    static const UChar kPattern[] = {'G', '|', 'y', 0};
    UErrorCode status = U_ZERO_ERROR;
    UCalendar* calendar = ucal_open(kUtc, -1, icuLocale.c_str(), UCAL_DEFAULT, &status);
    UErrorCode change = U_ZERO_ERROR;  // refused by the Japanese and ROC calendars
    ucal_setGregorianChange(calendar, -8.64e15, &change);
    const bool julianBefore = U_FAILURE(change);
    UDateFormat* format =
        udat_open(UDAT_PATTERN, UDAT_PATTERN, icuLocale.c_str(), kUtc, -1, kPattern, -1, &status);
    udat_setCalendar(format, calendar);
    ASSERT_TRUE(U_SUCCESS(status)) << c.locale;
    std::vector<std::int64_t> days;
    for (const udfzel::Era& era : table.Eras()) {
      days.push_back(era.firstDay - 1);
      days.push_back(era.firstDay);
    }
    for (std::int64_t d = udfzel::DaysFromCivil(1, 1, 1); d <= udfzel::DaysFromCivil(9999, 12, 31);
         d += 61) {
      days.push_back(d);
    }
    int differing = 0;
    for (const std::int64_t day : days) {
      if (day < udfzel::DaysFromCivil(1, 1, 1) || (julianBefore && day < gregorianReform)) continue;
      const udfzel::Era* era = table.At(day);
      ASSERT_NE(era, nullptr);
      const std::string ours = std::string(era->Name()) + "|" +
                               std::to_string(era->YearOf(udfzel::CivilFromDays(day).year));
      UChar text[64];
      const std::int32_t length = udat_format(format, (static_cast<double>(day) + 0.5) * 86400000.0,
                                              text, 64, nullptr, &status);
      const std::string icu =
          udfzel::WriteInCodePage(locale.CodePage,
                                  std::u16string_view(reinterpret_cast<const char16_t*>(text),
                                                      static_cast<std::size_t>(length)))
              .value_or("?");
      if (ours != icu && ++differing <= 3)
        ADD_FAILURE() << c.locale << " day " << day << ": " << ours << " vs " << icu;
    }
    udat_close(format);
    ucal_close(calendar);
  }
}

// Before 15 October 1582 era years follow the library's proleptic
// Gregorian calendar, not a Julian one.
TEST(IcuLocale, EraYearsBeforeTheGregorianReform) {
  const auto yearOn = [](const char* locale, int year, int month, int day) {
    const udfzel::EraTable table = udfzel::LoadEraTable(locale, 1, Load(locale).CodePage);
    const udfzel::Era* era = table.At(udfzel::DaysFromCivil(year, month, day));
    return era == nullptr ? -1 : era->YearOf(year);
  };
  EXPECT_EQ(yearOn("de_DE", 1500, 1, 5), 1500);
  EXPECT_EQ(yearOn("th_TH", 1500, 1, 5), 2043);  // the Buddhist era: + 543
  EXPECT_EQ(yearOn("th_TH", 2024, 3, 5), 2567);
}

// The Korean Tangun era counts the Gregorian year + 2333, named 단기.
TEST(IcuLocale, TangunEra) {
  const udfzel::EraTable table = udfzel::LoadEraTable("ko_KR", 5, 949);
  ASSERT_EQ(table.size(), 1u);
  const udfzel::Era* era = table.At(udfzel::DaysFromCivil(2024, 3, 5));
  ASSERT_NE(era, nullptr);
  EXPECT_EQ(era->YearOf(2024), 4357);
  EXPECT_EQ(era->Name(), "\xb4\xdc\xb1\xe2");  // 단기 in code page 949
}

// Locales abroad: the record's fields in the locale's code page, read back
// as UTF-8. Nominative names; Gregorian names and pictures whatever the
// locale's default calendar; Latin-digit number symbols; characters the code
// page lacks written by its best fit (no-break space, comma-below letters,
// the modifier apostrophe, Vietnamese marks apart), or the built-in name.
TEST(IcuLocale, RecordsAbroad) {
  struct Case {
    const char* locale;
    const char* field;
    std::string expected;
  };
  const auto field = [](const LocaleFormats& f, const std::string& name) -> std::string {
    const int cp = f.CodePage;
    if (name == "LocaleId") return std::to_string(f.LocaleId);
    if (name == "CodePage") return std::to_string(cp);
    if (name == "GroupSeparator") return udfzel::CodePageToUtf8({f.GroupSeparator}, cp);
    if (name == "DecimalMark") return udfzel::CodePageToUtf8({f.DecimalMark}, cp);
    if (name == "LongDatePicture") return udfzel::CodePageToUtf8(f.LongDatePicture, cp);
    if (name == "ShortDatePicture") return udfzel::CodePageToUtf8(f.ShortDatePicture, cp);
    if (name == "March") return udfzel::CodePageToUtf8(f.MonthNames[3], cp);
    if (name == "Jan") return udfzel::CodePageToUtf8(f.MonthAbbreviations[1], cp);
    if (name == "Sunday") return udfzel::CodePageToUtf8(f.DayNames[1], cp);
    if (name == "Tuesday") return udfzel::CodePageToUtf8(f.DayNames[3], cp);
    if (name == "Friday") return udfzel::CodePageToUtf8(f.DayNames[6], cp);
    return "?";
  };
  const std::vector<Case> cases = {
      {"fr_FR", "GroupSeparator", "\u00a0"},  // U+202F in the locale data
      {"ru_RU", "March", "март"},
      {"ru_RU", "LongDatePicture", "dddd, d MMMM yyyy\u00a0'\u0433'."},  // U+202F before г.
      {"pl_PL", "March", "marzec"},
      {"fi_FI", "March", "maaliskuu"},
      {"fi_FI", "Tuesday", "tiistai"},
      {"de_DE", "Jan", "Jan"},
      {"ar_SA", "DecimalMark", "."},
      {"ar_SA", "GroupSeparator", ","},
      {"ar_SA", "March", "مارس"},
      {"ar_SA", "ShortDatePicture", "d\u200f/M\u200f/yyyy"},
      {"th_TH", "LongDatePicture", "ddddที่ d MMMM 'ค.ศ.' yyyy"},
      {"uk_UA", "Friday", "п’ятниця"},
      {"ro_RO", "Tuesday", "marţi"},
      {"vi_VN", "Sunday", "Chu\u0309 Nh\u00e2\u0323t"},
      {"hi_IN", "March", "Março"},  // no 8-bit code page holds Devanagari
      {"sr_Latn_RS", "March", "mart"},
      {"sr_Latn_RS", "CodePage", "1250"},
      {"sr_Latn_RS", "LocaleId", std::to_string(0x241A)},
      {"sr_RS", "LocaleId", std::to_string(0x281A)},
      {"uz_Cyrl_UZ", "March", "март"},
      {"uz_Cyrl_UZ", "CodePage", "1251"},
      {"uz_UZ", "LocaleId", std::to_string(0x443)},
      {"uz_UZ", "CodePage", "1254"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(field(Load(c.locale), c.field), c.expected) << c.locale << " " << c.field;
  }
}

// F_ConStr's fold in every code page: Windows-1252's table as it is (Ñ, Å
// stay), elsewhere every Latin letter with a diacritic to its base letter;
// a letter of another script only changes case.
TEST(IcuLocale, AccentFoldOfEveryCodePage) {
  struct Case {
    const char* locale;
    const char* text;
    const char* folded;
  };
  const std::vector<Case> cases = {
      {"pt_BR", "Conceição Ñandú Ångström", "CONCEICAO ÑANDU ÅNGSTROM"},
      {"cs_CZ", "Čeněk Ďurán Ňůž Ýmir", "CENEK DURAN NUZ YMIR"},
      {"lt_LT", "Šėrė Åsa", "SERE ASA"},
      {"hu_HU", "Őrző Űrlap", "ORZO URLAP"},
      {"pl_PL", "Łódź Śląsk", "ŁODZ SLASK"},
      {"ru_RU", "Иван Петров", "ИВАН ПЕТРОВ"},
      {"el_GR", "Άννα Μαρία", "ΆΝΝΑ ΜΑΡΊΑ"},
      {"tr_TR", "Ağrı Şişli", "AGRI SISLI"},
      {"ja_JP", "ﾀﾁﾂ tokyo", "ﾀﾁﾂ TOKYO"},
  };
  for (const Case& c : cases) {
    const IcuLocaleSource source(c.locale);
    const LocaleFormats f = udfzel::LoadLocaleFormats(source);
    std::string text = InCodePage(c.text, f.CodePage);
    udfzel::FoldAccentsUpperInPlace(text.data(), text.size(), f);
    EXPECT_EQ(udfzel::CodePageToUtf8(text, f.CodePage), c.folded) << c.locale;
  }
}

// Every locale ICU lists loads a record whose every text is whole in its
// code page: no field holds the converter's substitute byte (0x1A), which
// would stand for a character the code page lacks.
TEST(IcuLocale, NoLocaleLoadsASubstituteByte) {
  const int32_t count = uloc_countAvailable();
  ASSERT_GT(count, 700);
  std::vector<std::string> spoiled;
  for (int32_t i = 0; i < count; ++i) {
    const std::string name = uloc_getAvailable(i);
    const LocaleFormats f = Load(name);
    std::vector<std::string> texts = {
        f.ShortDatePicture,
        f.LongDatePicture,
        f.AmText,
        f.PmText,
        f.ShortTimePicture,
        f.LongTimePicture,
        std::string{f.GroupSeparator, f.DecimalMark, f.DateDelimiter, f.TimeDelimiter}};
    texts.insert(texts.end(), f.MonthAbbreviations.begin() + 1, f.MonthAbbreviations.end());
    texts.insert(texts.end(), f.MonthNames.begin() + 1, f.MonthNames.end());
    texts.insert(texts.end(), f.DayAbbreviations.begin() + 1, f.DayAbbreviations.end());
    texts.insert(texts.end(), f.DayNames.begin() + 1, f.DayNames.end());
    for (const std::string& text : texts) {
      if (text.find('\x1a') != std::string::npos) spoiled.push_back(name + ": " + text);
    }
  }
  EXPECT_TRUE(spoiled.empty()) << spoiled.size() << " fields, the first: " << spoiled.front();
}

}  // namespace
