// The loading rules against a scripted locale that answers its facts
// directly: fallbacks, empty versus unreadable items, limits, texts the code
// page cannot hold, time pictures, era calendars and two-byte code pages;
// and the Windows source's reading of its numeric items.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "locale/load_locale_formats.h"
#include "locale/windows_locale_numbers.h"
#include "scripted_locale_source.h"

namespace {

using udfzel::ByteRange;
using udfzel::LoadLocaleFormats;
using udfzel::LocaleFlag;
using udfzel::LocaleFormats;
using udfzel::LocaleItem;
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
  const std::vector<std::string> months = {
      "",      "Janeiro", "Fevereiro", "Mar\xe7o", "Abril",    "Maio",    "Junho",
      "Julho", "Agosto",  "Setembro",  "Outubro",  "Novembro", "Dezembro"};
  const std::vector<std::string> shortMonths = {"",    "Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                                "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
  for (std::size_t i = 1; i <= 12; ++i) {
    EXPECT_EQ(f.MonthNames[i], months[i]);
    EXPECT_EQ(f.MonthAbbreviations[i], shortMonths[i]);
  }
  const std::vector<std::string> days = {"",
                                         "Domingo",
                                         "Segunda",
                                         "Ter\xe7"
                                         "a",
                                         "Quarta",
                                         "Quinta",
                                         "Sexta",
                                         "S\xe1"
                                         "bado"};
  const std::vector<std::string> shortDays = {"", "Dom", "Seg", "Ter", "Qua", "Qui", "Sex", "Sab"};
  for (std::size_t i = 1; i <= 7; ++i) {
    EXPECT_EQ(f.DayNames[i], days[i]);
    EXPECT_EQ(f.DayAbbreviations[i], shortDays[i]);
  }
}

TEST(LocaleRules, TimePicturesFromClockLeadingZeroAndMarkPosition) {
  using Switch = std::optional<bool>;
  struct Case {
    Switch leadingZero;
    Switch clock24;
    Switch markBefore;
    std::string shortPicture;
    std::string longPicture;
  };
  const std::vector<Case> cases = {
      {true, true, false, "hh:mm", "hh:mm:ss"},
      {true, true, true, "hh:mm", "hh:mm:ss"},  // a 24-hour clock has no mark
      {false, false, true, "AMPM h:mm", "AMPM h:mm:ss"},
      {true, false, false, "hh:mm AMPM", "hh:mm:ss AMPM"},
      {false, true, false, "h:mm", "h:mm:ss"},
      {true, std::nullopt, true, "AMPM hh:mm", "AMPM hh:mm:ss"},  // unreadable: off
      {std::nullopt, std::nullopt, std::nullopt, "h:mm AMPM", "h:mm:ss AMPM"},
  };
  for (const Case& c : cases) {
    ScriptedSource source;
    if (c.leadingZero) source.flags[LocaleFlag::HourLeadingZero] = *c.leadingZero;
    if (c.clock24) source.flags[LocaleFlag::TwentyFourHourClock] = *c.clock24;
    if (c.markBefore) source.flags[LocaleFlag::MarkBeforeTime] = *c.markBefore;
    const LocaleFormats f = LoadLocaleFormats(source);
    EXPECT_EQ(f.ShortTimePicture, c.shortPicture) << c.longPicture;
    EXPECT_EQ(f.LongTimePicture, c.longPicture) << c.shortPicture;
  }
}

// Windows answers its numeric items (switches, calendar, code page) as
// digits: a number is the whole text, within the item's buffer.
TEST(LocaleRules, WindowsNumericItems) {
  struct Case {
    std::u16string text;
    std::size_t limit;
    std::optional<int> number;
  };
  const std::vector<Case> cases = {
      {u"932", 6, 932},
      {u"123456", 6, 123456},
      {u"1234567", 6, std::nullopt},
      {u"abc", 6, std::nullopt},
      {u"", 6, std::nullopt},
      {u"0", 255, 0},
      {u"2", 255, 2},
      {u"+7", 255, 7},
      {u"-1", 255, -1},
      {u"x", 255, std::nullopt},
      {u"1 ", 255, std::nullopt},
      {u"\uFF11", 255, std::nullopt},  // a fullwidth digit is not one
      {std::u16string(255, u'0'), 255, 0},
      {std::u16string(256, u'0'), 255, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(udfzel::WindowsLocaleNumber(c.text, c.limit), c.number)
        << c.text.size() << " units, limit " << c.limit;
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
  source.SetUtf16(LocaleItem::PmDesignator, u"\u0100M");  // the code page lacks it
  source.SetUtf16(LocaleItem::DateSeparator, u"\u2009");  // the no-break space's byte
  const LocaleFormats f = LoadLocaleFormats(source);
  EXPECT_EQ(f.DateDelimiter, '\xa0');
  EXPECT_EQ(f.AmText, "");    // empty stays empty
  EXPECT_EQ(f.PmText, "pm");  // unreadable takes the fallback
  EXPECT_EQ(f.ShortDatePicture, "m/d/yy");
  EXPECT_EQ(f.LongDatePicture, std::string(255, 'd'));
}

TEST(LocaleRules, NamesTakeTheBuiltinOnlyWhereEmpty) {
  ScriptedSource source;
  const char* days[] = {"", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  for (int d = 1; d <= 7; ++d) {
    source.Set(LocaleItem::DayName, std::string(days[d]) + "day", d);
    source.Set(LocaleItem::AbbrevDayName, days[d], d);
  }
  for (int m = 1; m <= 12; ++m) {
    const std::string number = std::to_string(m);
    source.Set(LocaleItem::MonthName, std::string("month").append(number), m);
    source.Set(LocaleItem::AbbrevMonthName, std::string("m").append(number), m);
  }
  source.Set(LocaleItem::AbbrevMonthName, "", 3);
  source.Set(LocaleItem::DayName, std::string(300, 'x'), 4);  // over 255: unreadable
  source.SetUtf16(LocaleItem::DayName, u"\u0416", 6);         // not in the code page
  const LocaleFormats f = LoadLocaleFormats(source);
  EXPECT_EQ(f.DayNames[1], "Sunday");
  EXPECT_EQ(f.DayNames[2], "Monday");
  EXPECT_EQ(f.DayNames[4], "Quarta");  // unreadable: the built-in Wednesday
  EXPECT_EQ(f.DayNames[6], "Sexta");
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
      {0, 1033, 9, 1},          {0x416, 0x416, 22, 1},    {0x411, 0x411, 17, 1},
      {0x10000, 0x10000, 9, 1}, {0x20804, 0x20804, 4, 2}, {0xFFFF, 0xFFFF, 0x3FF, 0x3F},
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
  japanese.codePage = 932;
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

// 0 names the system's code page; so does a locale that names none.
TEST(LocaleRules, CodePageItem) {
  struct Case {
    std::optional<int> item;
    int codePage;
  };
  const std::vector<Case> cases = {
      {932, 932}, {0, 1252}, {-1, 1252}, {123456, 123456}, {std::nullopt, 1252},
  };
  for (const Case& c : cases) {
    ScriptedSource source;
    source.codePage = c.item;
    EXPECT_EQ(LoadLocaleFormats(source).CodePage, c.codePage) << c.item.value_or(-99);
  }
}

TEST(LocaleRules, DatePicturesOfEraCalendarsAndEastAsianLanguages) {
  struct Case {
    std::uint32_t id;
    std::optional<int> calendar;
    std::string format;
    std::string picture;
  };
  const std::vector<Case> cases = {
      {0x416, 1, "dd/MM/yyyy", "dd/MM/yyyy"},
      {0x411, 3, "gg yy/MM/dd", "ggg ee/MM/dd"},
      {0x411, 3, "yyyy/MM/dd", "eeee/MM/dd"},
      {0x404, 4, "yyy", "eee"},
      {0x412, 5, "ggg Y", "gggg e"},
      {0x411, 3, "GG YY", "ggg ee"},
      {0x411, std::nullopt, "gg yyyy/MM/dd", " yyyy/MM/dd"},  // unreadable: Gregorian
      {0x411, 1, "gg yyyy/MM/dd", " yyyy/MM/dd"},
      {0x804, 1, "Gg y", " y"},
      {0x412, 1, "g", ""},
      {0x409, 1, "gg yyyy", "gg yyyy"},
      {0x409, 3, "gg yyyy", "ggg eeee"},
  };
  for (const Case& c : cases) {
    ScriptedSource source;
    source.id = c.id;
    source.calendar = c.calendar;
    source.Set(LocaleItem::ShortDate, c.format);
    EXPECT_EQ(LoadLocaleFormats(source).ShortDatePicture, c.picture)
        << c.format << " " << c.calendar.value_or(-1);
  }
}

// Two-byte characters pass whole: an era calendar does not read their second
// byte as "y", and dropping "g" does not cut one out of a character.
TEST(LocaleRules, TwoByteCharactersInDateFormats) {
  ScriptedSource source;
  source.id = 0x411;
  source.codePage = 932;
  source.ranges = {{0x81, 0x9F}, {0xE0, 0xFC}};
  source.Set(LocaleItem::ShortDate, "yyyy\x94N\x88gM\x8c\x8e");
  source.Set(LocaleItem::LongDate, "\x88y\x88g yy");
  source.calendar = 1;
  LocaleFormats f = LoadLocaleFormats(source);
  EXPECT_EQ(f.ShortDatePicture, "yyyy\x94N\x88gM\x8c\x8e");
  source.calendar = 3;
  f = LoadLocaleFormats(source);
  EXPECT_EQ(f.LongDatePicture, "\x88y\x88g ee");
}

}  // namespace
