// Date values against an independent calendar computation (days from the
// civil date and back, by the proleptic Gregorian rules).
#include "engines/dates/day_serial.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using udfzel::DaySerial;

// The calendar walked a day at a time, from 1 January 0001 (serial
// -693593, a Monday) to 31 December 9999: independent of the engine's
// arithmetic, which must agree with it on every day, both ways.
TEST(DaySerial, EveryDayOfYearsOneToNineThousandNineHundredNinetyNine) {
  constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  long long year = 1;
  int month = 1;
  int day = 1;
  int weekday = 2;                       // Monday
  const long long unixOffset = -719162;  // 0001-01-01 in days since 1970
  for (long long serial = -693593; year <= 9999; ++serial) {
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    const udfzel::DecodedDate date = udfzel::DecodeDaySerial(static_cast<DaySerial>(serial));
    ASSERT_EQ(date.year, year) << serial;
    ASSERT_EQ(date.month, month) << serial;
    ASSERT_EQ(date.day, day) << serial;
    ASSERT_EQ(date.weekday, weekday) << serial;
    ASSERT_EQ(udfzel::WeekdayNumber(static_cast<DaySerial>(serial)), weekday) << serial;
    ASSERT_EQ(date.leap, leap);
    const long long unixDay = serial + 693593 + unixOffset;
    ASSERT_EQ(udfzel::DaysFromCivil(year, month, day), unixDay) << serial;
    const udfzel::CivilDate civil = udfzel::CivilFromDays(unixDay);
    ASSERT_EQ(civil.year, year);
    ASSERT_EQ(civil.month, month);
    ASSERT_EQ(civil.day, day);
    weekday = weekday % 7 + 1;
    if (++day > kLengths[month - 1] + (month == 2 && leap ? 1 : 0)) {
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
}

// The calendar is total: outside the server's range it still runs both
// ways as the proleptic Gregorian calendar, whose 400-year eras all have
// 146,097 days, out to every 32-bit day number and beyond.
TEST(DaySerial, CalendarBeyondTheServersRange) {
  struct Case {
    long long days;
    udfzel::CivilDate civil;
  };
  const std::vector<Case> cases = {
      {0, {1970, 1, 1}},         {-719468, {0, 3, 1}},     {-719469, {0, 2, 29}},
      {-719528, {0, 1, 1}},      {-719529, {-1, 12, 31}},  {-719162, {1, 1, 1}},
      {2932896, {9999, 12, 31}}, {2932897, {10000, 1, 1}},
  };
  for (const Case& c : cases) {
    for (const long long eras : {0LL, 1LL, -1LL, 14700LL, -14700LL, 100000LL}) {
      const long long days = c.days + eras * 146097;
      const udfzel::CivilDate civil = udfzel::CivilFromDays(days);
      EXPECT_EQ(civil.year, c.civil.year + eras * 400) << days;
      EXPECT_EQ(civil.month, c.civil.month) << days;
      EXPECT_EQ(civil.day, c.civil.day) << days;
      EXPECT_EQ(udfzel::DaysFromCivil(civil.year, civil.month, civil.day), days);
    }
  }
}

TEST(DaySerial, DocumentedDates) {
  struct Case {
    DaySerial serial;
    int year, month, day, weekday;
  };
  const std::vector<Case> cases = {
      {0.0, 1899, 12, 30, 7},     {36526.0, 2000, 1, 1, 7},   {-693593.0, 1, 1, 1, 2},
      {36891.0, 2000, 12, 31, 1}, {45291.0, 2023, 12, 31, 1}, {-693594.0, 0, 0, 0, 0},
      {-1e9, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const udfzel::DecodedDate date = udfzel::DecodeDaySerial(c.serial);
    EXPECT_EQ(date.year, c.year) << c.serial;
    EXPECT_EQ(date.month, c.month) << c.serial;
    EXPECT_EQ(date.day, c.day) << c.serial;
    EXPECT_EQ(date.weekday, c.weekday) << c.serial;
  }
}

TEST(DaySerial, ServerRecords) {
  struct Case {
    std::int32_t day;
    std::uint32_t time;
    DaySerial serial;
  };
  const std::vector<Case> cases = {
      {15018, 0, 0.0},
      {15018, 432000000, 0.5},
      {15019, 864000000, 1.0},  // an invalid time is dropped
      {15019, 4294967295u, 1.0},
      {0, 0, -15018.0},
      {15018, 863999999, 86399999 / 86400000.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(udfzel::QuadToDaySerial(c.day, c.time), c.serial) << c.day << " " << c.time;
  }
  const udfzel::DecodedTime t = udfzel::DecodeTimeOfDay(udfzel::QuadToDaySerial(15018, 9999));
  EXPECT_EQ(t.second, 0);
  EXPECT_EQ(t.millisecond, 999);  // tenths of a millisecond dropped, not rounded
}

// Every record before 30 December 1899 with a time of day reads back as
// the day and time it holds.
TEST(DaySerial, RecordsBeforeDayZeroKeepTheirDayAndTime) {
  const std::vector<std::uint32_t> times = {10000, 216000000, 432000000, 863990000, 1230450};
  for (std::int32_t day = 1; day < 15018; day += 7) {
    for (const std::uint32_t time : times) {
      const DaySerial serial = udfzel::QuadToDaySerial(day, time);
      const udfzel::SplitSerial split = udfzel::SplitDaySerial(serial);
      ASSERT_EQ(split.absoluteDay, udfzel::kAbsoluteDayOfSerialZero + day - 15018) << day;
      ASSERT_EQ(split.millisecond, time / 10) << day << " " << time;
    }
  }
  // 29 December 1899 06:00.
  const udfzel::DecodedDate date =
      udfzel::DecodeDaySerial(udfzel::QuadToDaySerial(15017, 216000000));
  EXPECT_EQ(date.day, 29);
  EXPECT_EQ(udfzel::DecodeTimeOfDay(udfzel::QuadToDaySerial(15017, 216000000)).hour, 6);
}

TEST(DaySerial, TimeOfDayEncoding) {
  double fraction = -1;
  EXPECT_TRUE(udfzel::TryEncodeTimeOfDay(12, 0, 0, 0, fraction));
  EXPECT_EQ(fraction, 0.5);
  EXPECT_TRUE(udfzel::TryEncodeTimeOfDay(23, 59, 59, 999, fraction));
  EXPECT_EQ(fraction, 86399999 / 86400000.0);
  for (const auto& [h, m, s, ms] : std::vector<std::array<std::uint16_t, 4>>{
           {24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {65535, 0, 0, 0}}) {
    EXPECT_FALSE(udfzel::TryEncodeTimeOfDay(h, m, s, ms, fraction)) << h << ":" << m << ":" << s;
  }
  const udfzel::DecodedTime t = udfzel::DecodeTimeOfDay(45356 + 0.5881);
  EXPECT_EQ(t.hour, 14);
  EXPECT_EQ(t.minute, 6);
  EXPECT_EQ(t.second, 51);
  EXPECT_EQ(t.millisecond, 840);
}

}  // namespace
