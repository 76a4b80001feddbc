// The date entry points on server records, through the loaded module (whose
// locale is the fallback one: Portuguese names, "m/d/yy").
#include <gtest/gtest.h>
#include <ibase.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "udfzel_module.h"

namespace {

using udfzel_test::Entry;

ISC_QUAD Record(std::int32_t day, std::uint32_t time) {
  ISC_TIMESTAMP stamp{day, time};
  ISC_QUAD quad;
  std::memcpy(&quad, &stamp, sizeof quad);
  return quad;
}

ISC_TIMESTAMP Stamp(const ISC_QUAD& quad) {
  ISC_TIMESTAMP stamp;
  std::memcpy(&stamp, &quad, sizeof stamp);
  return stamp;
}

// Server day number of a date: 17 November 1858 is day 0.
std::int32_t DayOf(int year, int month, int day) {
  std::tm calendar{};
  calendar.tm_year = year - 1900;
  calendar.tm_mon = month - 1;
  calendar.tm_mday = day;
  ISC_QUAD quad;
  isc_encode_date(&calendar, &quad);
  return Stamp(quad).timestamp_date;
}

constexpr std::uint32_t kHalfPastTen = 10 * 36000000 + 30 * 600000 + 12345;  // 10:30:01.2345

TEST(MonthEntries, LastDayOfEveryMonthOfSeveralYears) {
  auto* lastDay = Entry<ISC_QUAD*(ISC_QUAD*) noexcept>("F_UltDia");
  auto* days = Entry<ISC_LONG(ISC_QUAD*) noexcept>("F_UltDiaMes");
  const int lengths[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                              {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
  for (const int year : {1900, 2000, 2023, 2024, 2100, 1, 9999}) {
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    for (int month = 1; month <= 12; ++month) {
      if (year == 9999 && month == 12) continue;  // the next month lies beyond the server's range
      const int length = lengths[leap][month - 1];
      ISC_QUAD date = Record(DayOf(year, month, 10), kHalfPastTen);
      EXPECT_EQ(lastDay(&date), &date);
      EXPECT_EQ(Stamp(date).timestamp_date, DayOf(year, month, length)) << year << "-" << month;
      EXPECT_EQ(Stamp(date).timestamp_time, 10u * 36000000 + 30 * 600000 + 10000)
          << "fractions of a second are dropped";
      ISC_QUAD other = Record(DayOf(year, month, 1), 0);
      EXPECT_EQ(days(&other), length) << year << "-" << month;
      EXPECT_EQ(Stamp(other).timestamp_date, DayOf(year, month, length)) << "rewritten too";
    }
  }
}

// The library's calendar against the client library's, on days all over
// the server's range and on every kind of time word.
TEST(MonthEntries, AgreeWithTheClientLibrarysCalendar) {
  auto* lastDay = Entry<ISC_QUAD*(ISC_QUAD*) noexcept>("F_UltDia");
  auto* days = Entry<ISC_LONG(ISC_QUAD*) noexcept>("F_UltDiaMes");
  const std::uint32_t times[] = {0, 1, 9999, 10000, 863999999, 864000000, 4294967295u};
  int checked = 0;
  for (std::int32_t day = DayOf(1, 1, 1); day <= DayOf(9999, 11, 30); day += 13) {
    if (day == 0) continue;  // the zero record is left alone
    const std::uint32_t time = times[static_cast<std::uint32_t>(day) % 7];
    ISC_QUAD expected = Record(day, time);
    std::tm calendar{};
    isc_decode_date(&expected, &calendar);
    calendar.tm_mday = 1;
    calendar.tm_year += calendar.tm_mon == 11 ? 1 : 0;
    calendar.tm_mon = (calendar.tm_mon + 1) % 12;
    isc_encode_date(&calendar, &expected);
    ISC_TIMESTAMP last = Stamp(expected);
    last.timestamp_date -= 1;
    ISC_QUAD date = Record(day, time);
    lastDay(&date);
    ASSERT_EQ(Stamp(date).timestamp_date, last.timestamp_date) << day;
    ASSERT_EQ(Stamp(date).timestamp_time, last.timestamp_time) << day << " " << time;
    ISC_QUAD lastQuad;
    std::memcpy(&lastQuad, &last, sizeof lastQuad);
    isc_decode_date(&lastQuad, &calendar);
    ISC_QUAD other = Record(day, time);
    ASSERT_EQ(days(&other), calendar.tm_mday) << day;
    ++checked;
  }
  EXPECT_GT(checked, 280000);
}

TEST(MonthEntries, DayZeroAndNull) {
  auto* lastDay = Entry<ISC_QUAD*(ISC_QUAD*) noexcept>("F_UltDia");
  auto* days = Entry<ISC_LONG(ISC_QUAD*) noexcept>("F_UltDiaMes");
  ISC_QUAD date = Record(0, 1234);
  EXPECT_EQ(lastDay(&date), &date);
  EXPECT_EQ(Stamp(date).timestamp_date, 0);
  EXPECT_EQ(Stamp(date).timestamp_time, 1234u);
  EXPECT_EQ(days(&date), 0);
  EXPECT_EQ(lastDay(nullptr), nullptr);
  EXPECT_EQ(days(nullptr), 0);
}

std::string Formatted(const char* picture, ISC_QUAD date) {
  char* text = Entry<char*(const char*, ISC_QUAD*) noexcept>("F_FormatDateTime")(picture, &date);
  if (text == nullptr) return "<null>";
  std::string result = text;
  std::free(text);
  return result;
}

TEST(FormatDateTimeEntry, RecordsAndPictures) {
  const ISC_QUAD march5 = Record(60374, 14 * 36000000 + 7 * 600000 + 9 * 10000 + 450);
  EXPECT_EQ(Formatted("dd/mm/yyyy hh:nn:ss.zzz", march5), "05/03/2024 14:07:09.045");
  EXPECT_EQ(Formatted("dddd, d 'de' mmmm 'de' yyyy", march5),
            "Ter\xe7"
            "a, 5 de Mar\xe7o de 2024");
  EXPECT_EQ(Formatted(nullptr, march5), "3/5/24 2:07:09 pm");  // fallback pictures
  EXPECT_EQ(Formatted("", march5), "3/5/24 2:07:09 pm");
  EXPECT_EQ(Formatted("''", march5), "");
  EXPECT_EQ(Formatted("dd/mm/yyyy", Record(0, 0)), "<null>");
  EXPECT_EQ(Formatted("dd/mm/yyyy", Record(0, 1)), "17/11/1858");
  EXPECT_EQ(Formatted("hh:nn", Record(60374, 864000000)), "00:00");  // an invalid time is midnight
  // 29 December 1899 06:00 stays itself.
  EXPECT_EQ(Formatted("dd/mm/yyyy hh:nn", Record(15017, 216000000)), "29/12/1899 06:00");
  EXPECT_EQ(Entry<char*(const char*, ISC_QUAD*) noexcept>("F_FormatDateTime")("c", nullptr),
            nullptr);
}

}  // namespace
