#include "engines/dates/day_serial.h"

#include <cmath>

#include "frame/convert_error.h"
#include "engines/numbers/extended_bits.h"

namespace udfzel {
namespace {

constexpr std::uint16_t kMonthLengths[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

constexpr std::int64_t kDaysPer400Years = 146097;
constexpr std::int64_t kDaysPer100Years = 36524;
constexpr std::int64_t kDaysPer4Years = 1461;

// serial × 86,400,000 to the nearest integer, ties to even, computed in
// extended precision. |serial| stays far below 2^63 / 86,400,000 for every
// record the server can hand over (day numbers are 32-bit).
std::int64_t Milliseconds(DaySerial serial) {
  const long double scaled = static_cast<long double>(serial) * kMillisecondsPerDay;
  const long double magnitude = std::fabs(scaled);
  if (!(magnitude < 9.2e18L)) return 0;  // NaN or beyond any server date
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

double EncodeTimeOfDay(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                       std::uint16_t millisecond) {
  double fraction = 0;
  if (!TryEncodeTimeOfDay(hour, minute, second, millisecond, fraction)) {
    throw EConvertError("Argumento inválido na conversão para tipo horário");
  }
  return fraction;
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
  const auto wide = static_cast<long double>(fraction);
  const long double sum = datePart < 0 ? static_cast<long double>(datePart) - wide
                                       : static_cast<long double>(datePart) + wide;
  return static_cast<double>(sum);
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

int MonthLength(bool leap, int month) { return kMonthLengths[leap ? 1 : 0][month - 1]; }

DecodedDate DecodeDaySerial(DaySerial serial) {
  std::int64_t t = SplitDaySerial(serial).absoluteDay;
  DecodedDate date;
  if (t <= 0) return date;
  date.weekday = static_cast<int>(t % 7 + 1);
  t -= 1;
  std::int64_t year = 1;
  year += t / kDaysPer400Years * 400;
  t %= kDaysPer400Years;
  std::int64_t centuries = t / kDaysPer100Years;
  std::int64_t d = t % kDaysPer100Years;
  if (centuries == 4) {  // the last day of a 400-year cycle
    centuries = 3;
    d += kDaysPer100Years;
  }
  year += centuries * 100;
  year += d / kDaysPer4Years * 4;
  d %= kDaysPer4Years;
  std::int64_t years = d / 365;
  d %= 365;
  if (years == 4) {  // 31 December of a leap year
    years = 3;
    d += 365;
  }
  year += years;
  date.year = static_cast<int>(year);
  date.leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  int month = 1;
  while (d >= MonthLength(date.leap, month)) d -= MonthLength(date.leap, month++);
  date.month = month;
  date.day = static_cast<int>(d) + 1;
  return date;
}

}  // namespace udfzel
