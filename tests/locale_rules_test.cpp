// The loading rules against a scripted locale that answers platform items
// directly: fallbacks, empty versus unreadable items, limits, the day index
// shift, time pictures, era calendars and two-byte code pages.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "locale/load_locale_formats.h"
#include "scripted_locale_source.h"

namespace {

using udfzel::ByteRange;
using udfzel::LocaleFormats;
using udfzel::LocaleItem;
using udfzel::LoadLocaleFormats;
using udfzel_test::ScriptedSource;

TEST(LocaleRules, ALocaleThatAnswersNothingGivesEveryFallback) {
  const LocaleFormats f = LoadLocaleFormats(ScriptedSource{});
  EXPECT_EQ(f.GroupSeparator, ',');
  EXPECT_EQ(f.DecimalMark, '.');
  EXPECT_EQ(f.DateDelimiter, '/');
  EXPECT_EQ(f.TimeDelimiter, ':');
  EXPECT_EQ(f.ShortDatePicture, "m/d/yy");
  EXPECT_EQ(f.LongDatePicture, "mmmm d, yyyy");
  EXPECT_EQ(f.ShortTimePicture, "h:mm AMPM");
  EXPECT_EQ(f.LongTimePicture, "h:mm:ss AMPM");
  EXPECT_EQ(f.AmText, "am");
  EXPECT_EQ(f.PmText, "pm");
  EXPECT_EQ(f.LocaleId, 1033u);
  EXPECT_EQ(f.PrimaryLanguage, 9);
  EXPECT_EQ(f.SubLanguage, 1);
  EXPECT_FALSE(f.MultiByteLocale);
  EXPECT_TRUE(f.LeadByteSet.none());
  EXPECT_EQ(f.CodePage, 1252);
  EXPECT_EQ(f.CalendarType, 1);
  const std::vector<std::string> months = {"",       "Janeiro", "Fevereiro", "Mar\xe7o", "Abril",
                                           "Maio",   "Junho",   "Julho",     "Agosto",   "Setembro",
                                           "Outubro", "Novembro", "Dezembro"};
  const std::vector<std::string> shortMonths = {"",    "Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                                "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
  for (std::size_t i = 1; i <= 12; ++i) {
    EXPECT_EQ(f.MonthNames[i], months[i]);
    EXPECT_EQ(f.MonthAbbreviations[i], shortMonths[i]);
  }
  const std::vector<std::string> days = {"",       "Domingo", "Segunda", "Ter\xe7" "a",
                                         "Quarta", "Quinta",  "Sexta",   "S\xe1" "bado"};
  const std::vector<std::string> shortDays = {"", "Dom", "Seg", "Ter", "Qua", "Qui", "Sex", "Sab"};
  for (std::size_t i = 1; i <= 7; ++i) {
    EXPECT_EQ(f.DayNames[i], days[i]);
    EXPECT_EQ(f.DayAbbreviations[i], shortDays[i]);
  }
}

TEST(LocaleRules, TimePicturesFromClockLeadingZeroAndMarkPosition) {
  struct Case {
    const char* leadingZero;
    const char* clock;
    const char* mark;
    std::string shortPicture;
    std::string longPicture;
  };
  const std::vector<Case> cases = {
      {"1", "1", "0", "hh:mm", "hh:mm:ss"},
      {"1", "1", "1", "hh:mm", "hh:mm:ss"},  // a 24-hour clock has no mark
      {"0", "0", "1", "AMPM h:mm", "AMPM h:mm:ss"},
      {"1", "0", "0", "hh:mm AMPM", "hh:mm:ss AMPM"},
      {"0", "1", "0", "h:mm", "h:mm:ss"},
      {"2", "x", "7", "AMPM hh:mm", "AMPM hh:mm:ss"},  // any non-zero; not a number reads 0
      {"", "", "", "h:mm AMPM", "h:mm:ss AMPM"},
  };
  for (const Case& c : cases) {
    ScriptedSource source;
    source.Set(LocaleItem::HourLeadingZero, c.leadingZero);
    source.Set(LocaleItem::TimeClock, c.clock);
    source.Set(LocaleItem::TimeMarkPosition, c.mark);
    const LocaleFormats f = LoadLocaleFormats(source);
    EXPECT_EQ(f.ShortTimePicture, c.shortPicture) << c.leadingZero << c.clock << c.mark;
    EXPECT_EQ(f.LongTimePicture, c.longPicture) << c.leadingZero << c.clock << c.mark;
  }
}

TEST(LocaleRules, CharacterItems) {
  struct Case {
    std::optional<std::string> item;
    char expected;
  };
  const std::vector<Case> cases = {
      {".", '.'}, {"", '\0'}, {"  ", ','}, {"''", ','}, {std::nullopt, ','}, {"\xa0", '\xa0'},
  };
  for (const Case& c : cases) {
    ScriptedSource source;
    if (c.item) source.Set(LocaleItem::ThousandSeparator, *c.item);
    EXPECT_EQ(LoadLocaleFormats(source).GroupSeparator, c.expected) << c.item.value_or("<none>");
  }
}

TEST(LocaleRules, TextItemsEmptyUnreadableAndTooLong) {
  ScriptedSource source;
  source.Set(LocaleItem::AmDesignator, "");
  source.Set(LocaleItem::ShortDate, std::string(256, 'd'));
  source.Set(LocaleItem::LongDate, std::string(255, 'd'));
  const LocaleFormats f = LoadLocaleFormats(source);
  EXPECT_EQ(f.AmText, "");   // empty stays empty
  EXPECT_EQ(f.PmText, "pm");  // unreadable takes the fallback
  EXPECT_EQ(f.ShortDatePicture, "m/d/yy");
  EXPECT_EQ(f.LongDatePicture, std::string(255, 'd'));
}

TEST(LocaleRules, NamesTakeTheBuiltinOnlyWhereEmpty) {
  ScriptedSource source;
  const char* platformDays[] = {"", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  for (int d = 1; d <= 7; ++d) {
    source.Set(LocaleItem::DayName, std::string(platformDays[d]) + "day", d);
    source.Set(LocaleItem::AbbrevDayName, platformDays[d], d);
  }
  for (int m = 1; m <= 12; ++m) {
    const std::string number = std::to_string(m);
    source.Set(LocaleItem::MonthName, std::string("month").append(number), m);
    source.Set(LocaleItem::AbbrevMonthName, std::string("m").append(number), m);
  }
  source.Set(LocaleItem::AbbrevMonthName, "", 3);
  source.Set(LocaleItem::DayName, std::string(300, 'x'), 3);  // over 255: unreadable
  const LocaleFormats f = LoadLocaleFormats(source);
  // Index 1 is Sunday: the platform's day 7.
  EXPECT_EQ(f.DayNames[1], "Sunday");
  EXPECT_EQ(f.DayNames[2], "Monday");
  EXPECT_EQ(f.DayNames[4], "Quarta");  // platform day 3 unreadable: built-in Wednesday
  EXPECT_EQ(f.DayNames[7], "Satday");
  EXPECT_EQ(f.DayAbbreviations[1], "Sun");
  EXPECT_EQ(f.DayAbbreviations[7], "Sat");
  EXPECT_EQ(f.MonthAbbreviations[2], "m2");
  EXPECT_EQ(f.MonthAbbreviations[3], "Mar");
  EXPECT_EQ(f.MonthNames[3], "month3");
}

TEST(LocaleRules, LocaleIdentity) {
  struct Case {
    std::uint32_t id;
    std::uint32_t localeId;
    std::int32_t primary;
    std::int32_t sub;
  };
  const std::vector<Case> cases = {
      {0, 1033, 9, 1},           {0x416, 0x416, 22, 1},      {0x411, 0x411, 17, 1},
      {0x10000, 0x10000, 9, 1},  {0x20804, 0x20804, 4, 2},   {0xFFFF, 0xFFFF, 0x3FF, 0x3F},
  };
  for (const Case& c : cases) {
    ScriptedSource source;
    source.id = c.id;
    const LocaleFormats f = LoadLocaleFormats(source);
    EXPECT_EQ(f.LocaleId, c.localeId) << c.id;
    EXPECT_EQ(f.PrimaryLanguage, c.primary) << c.id;
    EXPECT_EQ(f.SubLanguage, c.sub) << c.id;
  }
}

TEST(LocaleRules, LeadBytesOnlyForTwoByteLanguages) {
  ScriptedSource japanese;
  japanese.id = 0x411;
  japanese.Set(LocaleItem::DefaultAnsiCodePage, "932");
  japanese.ranges = {{0x81, 0x9F}, {0xE0, 0xFC}};
  LocaleFormats f = LoadLocaleFormats(japanese);
  EXPECT_EQ(f.CodePage, 932);
  EXPECT_TRUE(f.MultiByteLocale);
  EXPECT_EQ(f.LeadByteSet.count(), 31u + 29u);
  EXPECT_TRUE(f.IsLeadByte('\x81') && f.IsLeadByte('\x9F') && f.IsLeadByte('\xFC'));
  EXPECT_FALSE(f.IsLeadByte('\x80') || f.IsLeadByte('\xA0') || f.IsLeadByte('\xFD'));

  // A (0, 0) pair ends the list; a reversed pair adds nothing; six at most.
  japanese.ranges = {{0x90, 0x80}, {0x81, 0x81}, {0, 0}, {0x82, 0x82}};
  f = LoadLocaleFormats(japanese);
  EXPECT_EQ(f.LeadByteSet.count(), 1u);
  japanese.ranges = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}};
  EXPECT_EQ(LoadLocaleFormats(japanese).LeadByteSet.count(), 6u);
  japanese.ranges = {};
  EXPECT_FALSE(LoadLocaleFormats(japanese).MultiByteLocale);

  ScriptedSource portuguese;
  portuguese.id = 0x416;
  portuguese.ranges = {{0x81, 0xFE}};
  f = LoadLocaleFormats(portuguese);
  EXPECT_FALSE(f.MultiByteLocale);
  EXPECT_TRUE(f.LeadByteSet.none());
}

TEST(LocaleRules, CodePageItem) {
  struct Case {
    std::optional<std::string> item;
    int codePage;
  };
  const std::vector<Case> cases = {
      {"932", 932}, {"abc", 1252}, {"", 1252}, {"1234567", 1252}, {"123456", 123456},
      {std::nullopt, 1252},
  };
  for (const Case& c : cases) {
    ScriptedSource source;
    if (c.item) source.Set(LocaleItem::DefaultAnsiCodePage, *c.item);
    EXPECT_EQ(LoadLocaleFormats(source).CodePage, c.codePage) << c.item.value_or("<none>");
  }
}

TEST(LocaleRules, DatePicturesOfEraCalendarsAndEastAsianLanguages) {
  struct Case {
    std::uint32_t id;
    const char* calendar;
    std::string format;
    std::string picture;
  };
  const std::vector<Case> cases = {
      {0x416, "1", "dd/MM/yyyy", "dd/MM/yyyy"},
      {0x411, "3", "gg yy/MM/dd", "ggg ee/MM/dd"},
      {0x411, "3", "yyyy/MM/dd", "eeee/MM/dd"},
      {0x404, "4", "yyy", "eee"},
      {0x412, "5", "ggg Y", "gggg e"},
      {0x411, "3", "GG YY", "ggg ee"},
      {0x411, "x", "gg yyyy/MM/dd", " yyyy/MM/dd"},  // not a number: Gregorian
      {0x411, "1", "gg yyyy/MM/dd", " yyyy/MM/dd"},
      {0x804, "1", "Gg y", " y"},
      {0x412, "1", "g", ""},
      {0x409, "1", "gg yyyy", "gg yyyy"},
      {0x409, "3", "gg yyyy", "ggg eeee"},
  };
  for (const Case& c : cases) {
    ScriptedSource source;
    source.id = c.id;
    source.Set(LocaleItem::CalendarType, c.calendar);
    source.Set(LocaleItem::ShortDate, c.format);
    EXPECT_EQ(LoadLocaleFormats(source).ShortDatePicture, c.picture) << c.format << " " << c.calendar;
  }
}

// Two-byte characters pass whole: an era calendar does not read their second
// byte as "y", and dropping "g" does not cut one out of a character.
TEST(LocaleRules, TwoByteCharactersInDateFormats) {
  ScriptedSource source;
  source.id = 0x411;
  source.Set(LocaleItem::DefaultAnsiCodePage, "932");
  source.ranges = {{0x81, 0x9F}, {0xE0, 0xFC}};
  source.Set(LocaleItem::ShortDate, "yyyy\x94N\x88gM\x8c\x8e");
  source.Set(LocaleItem::LongDate, "\x88y\x88g yy");
  source.Set(LocaleItem::CalendarType, "1");
  LocaleFormats f = LoadLocaleFormats(source);
  EXPECT_EQ(f.ShortDatePicture, "yyyy\x94N\x88gM\x8c\x8e");
  source.Set(LocaleItem::CalendarType, "3");
  f = LoadLocaleFormats(source);
  EXPECT_EQ(f.LongDatePicture, "\x88y\x88g ee");
}

}  // namespace
