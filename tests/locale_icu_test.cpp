// Real locales through ICU: the record each loads, and how the environment
// names the locale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "locale/icu_locale_source.h"
#include "locale/load_locale_formats.h"
#include "locale_dump.h"

namespace {

using udfzel::IcuLocaleSource;
using udfzel::LocaleFormats;

LocaleFormats Load(const std::string& name) {
  return udfzel::LoadLocaleFormats(IcuLocaleSource(name));
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
      {nullptr, "pt_BR.UTF-8", "pt_BR"},
      {"de_DE.UTF-8", "pt_BR.UTF-8", "de_DE"},
      {"", "en_US.UTF-8", "en_US"},
      {nullptr, nullptr, ""},
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
  for (const char* name : {"", "C", "POSIX", "xx_YY", "qq"}) {
    const IcuLocaleSource source(name);
    EXPECT_FALSE(source.Known()) << name;
    const LocaleFormats f = udfzel::LoadLocaleFormats(source);
    EXPECT_EQ(f.LocaleId, 1033u) << name;
    EXPECT_EQ(f.ShortDatePicture, "m/d/yy") << name;
    EXPECT_EQ(f.LongTimePicture, "h:mm:ss AMPM") << name;
    EXPECT_EQ(f.MonthNames[3], "Mar\xe7o") << name;
    EXPECT_EQ(f.DayNames[7], "S\xe1" "bado") << name;
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
  EXPECT_EQ(f.DayNames[7], "s\xe1" "bado");
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

}  // namespace
