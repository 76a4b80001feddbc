// Date values against an independent calendar computation (days from the
// civil date and back, by the proleptic Gregorian rules).
#include "engines/dates/day_serial.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "frame/convert_error.h"

namespace {

using udfzel::DaySerial;

struct Civil {
  long long year;
  unsigned month;
  unsigned day;
};

// Days since 1 January 1970 of a civil date, and back.
long long DaysFromCivil(Civil c) {
  const long long y = c.year - (c.month <= 2);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (c.month > 2 ? c.month - 3 : c.month + 9) + 2) / 5 + c.day - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

Civil CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<long long>(yoe) + era * 400 + (m <= 2), m, d};
}

// 30 December 1899, the serial's day 0, in days since 1970.
const long long kSerialZero = DaysFromCivil({1899, 12, 30});

TEST(DaySerial, EveryDayOfYearsOneToNineThousandNineHundredNinetyNine) {
  const long long first = DaysFromCivil({1, 1, 1});
  const long long last = DaysFromCivil({9999, 12, 31});
  for (long long days = first; days <= last; ++days) {
    const auto serial = static_cast<DaySerial>(days - kSerialZero);
    const udfzel::DecodedDate date = udfzel::DecodeDaySerial(serial);
    const Civil expected = CivilFromDays(days);
    ASSERT_EQ(date.year, expected.year) << days;
    ASSERT_EQ(date.month, static_cast<int>(expected.month)) << days;
    ASSERT_EQ(date.day, static_cast<int>(expected.day)) << days;
    // 1 January 1970 was a Thursday (5).
    const int weekday = static_cast<int>(((days % 7) + 7 + 4) % 7) + 1;
    ASSERT_EQ(date.weekday, weekday) << days;
    ASSERT_EQ(udfzel::WeekdayNumber(serial), weekday) << days;
    ASSERT_EQ(date.leap, expected.year % 4 == 0 && (expected.year % 100 != 0 || expected.year % 400 == 0));
  }
}

TEST(DaySerial, DocumentedDates) {
  struct Case {
    DaySerial serial;
    int year, month, day, weekday;
  };
  const std::vector<Case> cases = {
      {0.0, 1899, 12, 30, 7},        {36526.0, 2000, 1, 1, 7},    {-693593.0, 1, 1, 1, 2},
      {36891.0, 2000, 12, 31, 1},    {45291.0, 2023, 12, 31, 1},  {-693594.0, 0, 0, 0, 0},
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
      {15019, 864000000, 1.0},              // an invalid time is dropped
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
  const udfzel::DecodedDate date = udfzel::DecodeDaySerial(udfzel::QuadToDaySerial(15017, 216000000));
  EXPECT_EQ(date.day, 29);
  EXPECT_EQ(udfzel::DecodeTimeOfDay(udfzel::QuadToDaySerial(15017, 216000000)).hour, 6);
}

TEST(DaySerial, TimeOfDayEncoding) {
  EXPECT_EQ(udfzel::EncodeTimeOfDay(12, 0, 0, 0), 0.5);
  EXPECT_EQ(udfzel::EncodeTimeOfDay(23, 59, 59, 999), 86399999 / 86400000.0);
  for (const auto& [h, m, s, ms] : std::vector<std::array<std::uint16_t, 4>>{
           {24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {65535, 0, 0, 0}}) {
    EXPECT_THROW(udfzel::EncodeTimeOfDay(h, m, s, ms), udfzel::EConvertError);
  }
  try {
    udfzel::EncodeTimeOfDay(24, 0, 0, 0);
  } catch (const udfzel::EConvertError& error) {
    EXPECT_STREQ(error.what(), "Argumento inválido na conversão para tipo horário");
  }
  const udfzel::DecodedTime t = udfzel::DecodeTimeOfDay(45356 + 0.5881);
  EXPECT_EQ(t.hour, 14);
  EXPECT_EQ(t.minute, 6);
  EXPECT_EQ(t.second, 51);
  EXPECT_EQ(t.millisecond, 840);
}

}  // namespace
