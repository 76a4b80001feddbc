#include "engines/dates/day_serial.h"

#include <cmath>

#include "engines/extended/extended.h"

namespace udfzel {
namespace {

// serial × 86,400,000 to the nearest integer, ties to even, computed in
// extended precision. |serial| stays far below 2^63 / 86,400,000 for every
// record the server can hand over (day numbers are 32-bit).
std::int64_t Milliseconds(DaySerial serial) {
  const Extended scaled = Extended(serial) * Extended(static_cast<int>(kMillisecondsPerDay));
  const Extended magnitude = Abs(scaled);
  // NaN or beyond any server date.
  if (!(magnitude < Extended::FromUnsigned(9'200'000'000'000'000'000ull))) return 0;
  const auto rounded = static_cast<std::int64_t>(RoundHalfEven(magnitude));
  return scaled < 0 ? -rounded : rounded;
}

}  // namespace

bool TryEncodeTimeOfDay(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                        std::uint16_t millisecond, double& fraction) {
  if (hour >= 24 || minute >= 60 || second >= 60 || millisecond >= 1000) return false;
  const std::int32_t ms = hour * 3600000 + minute * 60000 + second * 1000 + millisecond;
  fraction = ms / static_cast<double>(kMillisecondsPerDay);
  return true;
}

DaySerial QuadToDaySerial(std::int32_t dayNumber, std::uint32_t t) {
  const double datePart = static_cast<double>(std::int64_t{dayNumber} - kServerDayOfSerialZero);
  const auto hour = static_cast<std::uint16_t>(t / 36000000);
  const auto minute = static_cast<std::uint16_t>((t / 600000) % 60);
  const auto second = static_cast<std::uint16_t>((t / 10000) % 60);
  const auto millisecond = static_cast<std::uint16_t>((t % 10000) / 10);
  double fraction = 0;
  if (!TryEncodeTimeOfDay(hour, minute, second, millisecond, fraction)) return datePart;
  // Before day 0 a serial reads its time of day from the magnitude: the
  // fraction goes further back, so the day and the time read back as given.
  const Extended wide = fraction;
  const Extended sum = datePart < 0 ? Extended(datePart) - wide : Extended(datePart) + wide;
  return sum.ToDouble();
}

SplitSerial SplitDaySerial(DaySerial serial) {
  const std::int64_t ms = Milliseconds(serial);
  if (ms >= 0) {
    return {ms / kMillisecondsPerDay + kAbsoluteDayOfSerialZero, ms % kMillisecondsPerDay};
  }
  const std::int64_t m = -ms;
  return {kAbsoluteDayOfSerialZero - m / kMillisecondsPerDay, m % kMillisecondsPerDay};
}

DecodedTime DecodeTimeOfDay(DaySerial serial) {
  const std::int64_t ms = SplitDaySerial(serial).millisecond;
  const std::int64_t minutes = ms / 60000;
  const std::int64_t rest = ms % 60000;
  return {static_cast<int>(minutes / 60), static_cast<int>(minutes % 60),
          static_cast<int>(rest / 1000), static_cast<int>(rest % 1000)};
}

int WeekdayNumber(DaySerial serial) {
  return static_cast<int>(SplitDaySerial(serial).absoluteDay % 7 + 1);
}

DecodedDate DecodeDaySerial(DaySerial serial) {
  const std::int64_t absoluteDay = SplitDaySerial(serial).absoluteDay;
  DecodedDate date;
  if (absoluteDay <= 0) return date;
  const CivilDate civil = CivilFromDays(absoluteDay - kAbsoluteDayOfUnixEpoch);
  date.year = static_cast<int>(civil.year);
  date.month = civil.month;
  date.day = civil.day;
  date.weekday = static_cast<int>(absoluteDay % 7 + 1);
  date.leap = IsLeapYear(civil.year);
  return date;
}

}  // namespace udfzel
