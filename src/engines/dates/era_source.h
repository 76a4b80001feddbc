// Where the era tokens of a date picture get their texts: the era name and
// the year within the era of a date in the locale's alternative calendar.
#pragma once

#include <string>

namespace udfzel {

// Texts in the library's code page; empty when there is none to be had.
class EraSource {
 public:
  virtual ~EraSource() = default;
  virtual std::string EraName(int year, int month, int day) const = 0;
  // Two digits, or the full year within the era.
  virtual std::string EraYear(int year, int month, int day, bool full) const = 0;
};

}  // namespace udfzel
