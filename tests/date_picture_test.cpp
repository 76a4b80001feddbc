// Date pictures with the built-in Portuguese names, "/" and ":", short date
// "dd/MM/yyyy" and long time "hh:mm:ss", on 5 March 2024 at 14:07:09.045.
#include "engines/dates/date_picture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "locale/load_locale_formats.h"
#include "scripted_locale_source.h"

namespace {

using udfzel::DaySerial;
using udfzel::LocaleFormats;

// Serial of a server record: day 60374 is 5 March 2024.
DaySerial At(std::int32_t day, int hour, int minute, int second, int millisecond) {
  const auto time =
      static_cast<std::uint32_t>(((hour * 60 + minute) * 60 + second) * 10000 + millisecond * 10);
  return udfzel::QuadToDaySerial(day, time);
}
constexpr std::int32_t kMarch5 = 60374;
const DaySerial kValue = At(kMarch5, 14, 7, 9, 45);

LocaleFormats Portuguese() {
  LocaleFormats f = udfzel::LoadLocaleFormats(udfzel_test::ScriptedSource{});
  f.ShortDatePicture = "dd/MM/yyyy";
  f.LongTimePicture = "hh:mm:ss";
  f.ShortTimePicture = "hh:mm";
  f.LongDatePicture = "dddd, d 'de' mmmm 'de' yyyy";
  f.AmText = "AM";
  f.PmText = "PM";
  return f;
}

// One era, as the Japanese calendar's latest: Reiwa, from 1 May 2019.
udfzel::EraTable OneEra(std::string_view name = "Reiwa") {
  udfzel::Era era;
  era.firstDay = udfzel::DaysFromCivil(2019, 5, 1);
  era.yearOne = 2019;
  std::memcpy(era.name, name.data(), name.size());
  era.nameLength = static_cast<std::uint8_t>(name.size());
  udfzel::EraTable table;
  table.Add(era);
  return table;
}

std::string Format(const std::string& picture, DaySerial value = kValue,
                   const LocaleFormats& locale = Portuguese(),
                   const udfzel::EraTable& eras = OneEra()) {
  udfzel::FixedText<udfzel::kDatePictureLimit + 1> out;
  udfzel::FormatDatePicture(picture, value, locale, eras, out);
  return std::string(out.view());
}

TEST(DatePicture, DocumentedPictures) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"dd/mm/yyyy", "05/03/2024"},
      {"d/m/yy", "5/3/24"},
      {"yyy", "2024"},
      {"y", "24"},
      {"dddd, d 'de' mmmm 'de' yyyy",
       "Ter\xe7"
       "a, 5 de Mar\xe7o de 2024"},
      {"ddd", "Ter"},
      {"mmm", "Mar"},
      {"mmmmmm", "Mar\xe7o"},
      {"aaaa",
       "Ter\xe7"
       "a"},
      {"AAA", "Ter"},
      {"hh:mm", "14:07"},
      {"hh:mm:ss mm", "14:07:09 03"},
      {"h mm", "14 07"},
      {"h x m", "14 x 3"},
      {"h:nn am/pm", "2:07 pm"},
      {"h:nn AM/PM", "2:07 PM"},
      {"h:nn A/P", "2:07 P"},
      {"h:nn a/p", "2:07 p"},
      {"hh 'am/pm'", "14 am/pm"},
      {"h:nn ampm", "2:07 PM"},
      {"am/pm h:nn", "pm 2:07"},
      {"z", "45"},
      {"zz", "45"},
      {"zzz", "045"},
      {"s.zzz", "9.045"},
      {"c", "05/03/2024 14:07:09"},
      {"", "05/03/2024 14:07:09"},
      {"''", ""},
      {"'abc", "abc"},
      {"\"x'y\"", "x'y"},
      {"ddddd", "05/03/2024"},
      {"dddddd",
       "Ter\xe7"
       "a, 5 de Mar\xe7o de 2024"},
      {"t", "14:07"},
      {"tt", "14:07:09"},
      {"Mm", "33"},  // a run ends where the case changes
      {"q?!", "q?!"},
      {"a", "a"},
      {"ggg ee e eee", "Reiwa 06 6 6"},
      {"g", "Reiwa"},
  };
  for (const auto& [picture, text] : cases) EXPECT_EQ(Format(picture), text) << picture;
}

TEST(DatePicture, MidnightAndTwelveHourClock) {
  const DaySerial midnight = At(kMarch5, 0, 0, 0, 0);
  EXPECT_EQ(Format("c", midnight), "05/03/2024");
  EXPECT_EQ(Format("h am/pm", midnight), "12 am");
  EXPECT_EQ(Format("h am/pm", At(kMarch5, 12, 0, 0, 0)), "12 pm");
  EXPECT_EQ(Format("hh:nn A/P", At(kMarch5, 9, 5, 0, 0)), "09:05 A");
  // An h, quoted or not, ends the look-ahead: 24 hours; the pattern still prints.
  EXPECT_EQ(Format("h 'h' am/pm", At(kMarch5, 23, 0, 0, 0)), "23 h pm");
  EXPECT_EQ(Format("h h ampm", At(kMarch5, 23, 0, 0, 0)), "23 11 PM");   // the next h stops it
  EXPECT_EQ(Format("am/pm h, h", At(kMarch5, 15, 0, 0, 0)), "pm 3, 3");  // mode stays on
}

TEST(DatePicture, StandardPicturesExpandOneLevelOnly) {
  LocaleFormats locale = Portuguese();
  locale.ShortDatePicture = "dd/mm t";
  // Expanded from the caller's picture, the "t" inside appends nothing.
  EXPECT_EQ(Format("ddddd", kValue, locale), "05/03 ");
  // Read as the caller's picture itself, the same text expands normally.
  EXPECT_EQ(Format("dd/mm t", kValue, locale), "05/03 14:07");
}

TEST(DatePicture, DelimitersFromTheLocale) {
  LocaleFormats locale = Portuguese();
  locale.DateDelimiter = '-';
  locale.TimeDelimiter = '.';
  EXPECT_EQ(Format("dd/mm/yy hh:nn", kValue, locale), "05-03-24 14.07");
  locale.DateDelimiter = '\0';
  locale.TimeDelimiter = '\0';
  EXPECT_EQ(Format("dd/mm/yy hh:nn", kValue, locale), "050324 1407");
}

TEST(DatePicture, OutputStopsAt256Bytes) {
  EXPECT_EQ(Format(std::string(300, 'x')), std::string(256, 'x'));
  EXPECT_EQ(Format(std::string(100, 'c')), "05/03/2024 14:07:09");  // one run, one token
  std::string many;
  for (int i = 0; i < 50; ++i) many += "c ";
  EXPECT_EQ(Format(many).size(), 256u);
}

TEST(DatePicture, DatesBeforeYearOneAndTheFirstServerDay) {
  // Server day 0 with a time: 17 November 1858.
  EXPECT_EQ(Format("dd/mm/yyyy hh:nn", udfzel::QuadToDaySerial(0, 10000)), "17/11/1858 00:00");
  EXPECT_EQ(Format("dd/mm/yyyy", udfzel::QuadToDaySerial(-678575, 0)), "01/01/0001");
  // Before 1 January 0001: names print nothing, numbers 0.
  const DaySerial before = udfzel::QuadToDaySerial(-678576, 0);
  EXPECT_EQ(Format("[dddd|mmmm|ddd|mmm|aaaa] d/m/yyyy", before), "[||||] 0/0/0000");
  EXPECT_EQ(Format("dd/mm/yyyy", udfzel::QuadToDaySerial(INT32_MIN, 0)), "00/00/0000");
}

TEST(DatePicture, EraNamesTrimmedByLanguage) {
  LocaleFormats japanese = Portuguese();
  japanese.PrimaryLanguage = 17;
  japanese.LeadByteSet.set(0x97);
  const udfzel::EraTable twoCharacters = OneEra("\x97\xdf\x98\x61");  // two two-byte characters
  EXPECT_EQ(Format("g", kValue, japanese, twoCharacters), "\x97\xdf");
  EXPECT_EQ(Format("gg", kValue, japanese, twoCharacters), "\x97\xdf\x98\x61");
  LocaleFormats chinese = Portuguese();
  chinese.PrimaryLanguage = 4;
  chinese.SubLanguage = 1;
  EXPECT_EQ(Format("g", kValue, chinese, OneEra("ABCD")), "CD");
  EXPECT_EQ(Format("g", kValue, chinese, OneEra("ABC")), "ABC");
  EXPECT_EQ(Format("<g>", kValue, chinese, OneEra("")), "<>");
  EXPECT_EQ(Format("<g|e>", kValue, chinese, udfzel::EraTable{}), "<|>");  // no eras: nothing
}

// Eras from a table: the last that begins on or before the date, its years
// counted from its year one, up or down; the first era for earlier dates.
TEST(DatePicture, ErasFromTheTable) {
  udfzel::EraTable roc;
  udfzel::Era before;
  before.firstDay = udfzel::DaysFromCivil(1, 1, 1);
  before.yearOne = 1911;
  before.direction = -1;
  std::memcpy(before.name, "BR", 2);
  before.nameLength = 2;
  udfzel::Era minguo;
  minguo.firstDay = udfzel::DaysFromCivil(1912, 1, 1);
  minguo.yearOne = 1912;
  std::memcpy(minguo.name, "MG", 2);
  minguo.nameLength = 2;
  ASSERT_TRUE(roc.Add(before));
  ASSERT_TRUE(roc.Add(minguo));
  EXPECT_FALSE(roc.Add(before)) << "eras come in order";
  const auto on = [&](int year, int month, int day) {
    const auto serial = static_cast<DaySerial>(udfzel::DaysFromCivil(year, month, day) -
                                               udfzel::DaysFromCivil(1899, 12, 30));
    return Format("gg eeee ee e", serial, Portuguese(), roc);
  };
  EXPECT_EQ(on(2024, 3, 5), "MG 113 13 13");
  EXPECT_EQ(on(1912, 1, 1), "MG 1 01 1");
  EXPECT_EQ(on(1911, 12, 31), "BR 1 01 1");
  EXPECT_EQ(on(1900, 6, 1), "BR 12 12 12");
  EXPECT_EQ(on(1, 1, 1), "BR 1911 11 11");
}

TEST(DatePicture, TwoByteCharacters) {
  LocaleFormats locale = Portuguese();
  locale.LeadByteSet.set(0x88);
  // Unquoted: copied whole, and the previous letter starts again ("m" after
  // the character is the month, not minutes).
  EXPECT_EQ(Format("h\x88\x68m", kValue, locale),
            "14\x88\x68"
            "3");
  // Quoted: a second byte that looks like the quote does not end the text.
  EXPECT_EQ(Format("'\x88'x'", kValue, locale), "\x88'x");
}

}  // namespace
