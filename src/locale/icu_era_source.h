// Era names and era years from ICU, in the calendar of the loaded locale
// (e.g. ja_JP@calendar=japanese: the Reiwa era, year 6 for 2024); for a
// locale without an alternative calendar, the Gregorian era of the locale.
#pragma once

#include <string>

#include "engines/dates/era_source.h"

namespace udfzel {

class IcuEraSource : public EraSource {
 public:
  // `locale` an ICU locale name ("" for ICU's root), texts written in
  // `codePage`. Keeps a reference to `locale`, which must outlive it: no
  // copy, so building one at load cannot fail.
  IcuEraSource(const std::string& locale, int codePage) : locale_(locale), codePage_(codePage) {}

  std::string EraName(int year, int month, int day) const override;
  std::string EraYear(int year, int month, int day, bool full) const override;

 private:
  std::string Format(const char16_t* pattern, int year, int month, int day) const;

  const std::string& locale_;
  int codePage_;
};

}  // namespace udfzel
