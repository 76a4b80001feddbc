#include "records/civil_date.h"

namespace udfzel {
namespace {

constexpr std::uint16_t kMonthLengths[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// A 400-year era of the Gregorian calendar has exactly 146,097 days, so it
// repeats: 0000-03-01 starts an era, 719,468 days before 1970-01-01.
constexpr std::int64_t kDaysPerEra = 146097;
constexpr std::int64_t kEraStartBeforeEpoch = 719468;

}  // namespace

int MonthLength(bool leap, int month) {
  return kMonthLengths[leap ? 1 : 0][month - 1];
}

bool IsLeapYear(std::int64_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// The calendar, after Howard Hinnant's days_from_civil / civil_from_days.
// Derivation: count years from 1 March, so that the leap day is the last
// day of a year. The months March to February are then mp = 0..11, and the
// lengths 31 30 31 30 31 repeat every five months (153 days), so the day of
// the year on which month mp starts is (153 mp + 2) / 5. Years are grouped
// in eras of 400 (146,097 days each, the same every era); within an era, a
// year yoe (0..399) starts on day 365 yoe + yoe/4 - yoe/100. Backwards, a
// day of the era doe (0..146,096) lies in year
// (doe - doe/1460 + doe/36524 - doe/146096) / 365: the subtractions take out
// the leap days before it (one per 1,460 days, none per 36,524, one more on
// the era's last day), leaving a multiple of 365 days per year. Divisions
// of negative values are floored by the era step alone; everything after it
// is non-negative.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  const std::int64_t y = year - (month <= 2);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = month > 2 ? month - 3 : month + 9;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * kDaysPerEra + doe - kEraStartBeforeEpoch;
}

CivilDate CivilFromDays(std::int64_t days) {
  const std::int64_t z = days + kEraStartBeforeEpoch;
  const std::int64_t era = (z >= 0 ? z : z - (kDaysPerEra - 1)) / kDaysPerEra;
  const std::int64_t doe = z - era * kDaysPerEra;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const auto day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const auto month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2), month, day};
}

}  // namespace udfzel
