// Date values: the server's two-word timestamp, the DaySerial (days since
// 30 December 1899 plus the fraction of the day) and their decoding into
// calendar fields.
#pragma once

#include <cstdint>

#include "records/civil_date.h"

namespace udfzel {

using DaySerial = double;

// Server day 15018 is 30 December 1899, DaySerial day 0.
inline constexpr std::int32_t kServerDayOfSerialZero = 15018;
// The absolute day number (1 = 1 January 0001) of 30 December 1899.
inline constexpr std::int64_t kAbsoluteDayOfSerialZero = 693594;
inline constexpr std::int64_t kMillisecondsPerDay = 86400000;

// The record's date and time as a DaySerial. A time word of 24 hours or
// more is dropped (the date alone). A date before 30 December 1899 with a
// time of day becomes whole days minus the fraction, which SplitDaySerial
// reads back as that same day and time.
DaySerial QuadToDaySerial(std::int32_t dayNumber, std::uint32_t timeOfDay);

// The fraction of a day for a time; false when a field is out of range.
bool TryEncodeTimeOfDay(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                        std::uint16_t millisecond, double& fraction);

struct SplitSerial {
  std::int64_t absoluteDay;  // 1 = 1 January 0001
  std::int64_t millisecond;  // of the day, 0 to 86,399,999
};
SplitSerial SplitDaySerial(DaySerial serial);

struct DecodedDate {
  int year = 0;  // all 0 before 1 January 0001
  int month = 0;
  int day = 0;
  int weekday = 0;  // 1 Sunday to 7 Saturday
  bool leap = false;
};
DecodedDate DecodeDaySerial(DaySerial serial);

struct DecodedTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};
DecodedTime DecodeTimeOfDay(DaySerial serial);

// 1 (Sunday) to 7 (Saturday); below 1 for days before 1 January 0001.
int WeekdayNumber(DaySerial serial);

// The server's day number (0 = 17 November 1858) of 1 January 1970, and the
// absolute day (1 = 1 January 0001) of it.
inline constexpr std::int64_t kServerDayOfUnixEpoch = 40587;
inline constexpr std::int64_t kAbsoluteDayOfUnixEpoch = 719163;

}  // namespace udfzel
