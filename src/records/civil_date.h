// The library's one calendar, proleptic Gregorian: the date engines compute
// with it, and the locale builds its era tables on it.
#pragma once

#include <cstdint>

namespace udfzel {

// Days of a month (1 to 12) in a common or leap year.
int MonthLength(bool leap, int month);
bool IsLeapYear(std::int64_t year);

// Day numbers count from 1 January 1970; both directions are total over
// every 32-bit day number and beyond.
struct CivilDate {
  std::int64_t year;
  int month;  // 1 to 12
  int day;    // 1 to 31
};
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
CivilDate CivilFromDays(std::int64_t days);

}  // namespace udfzel
