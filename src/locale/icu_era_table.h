// The era table of the loaded locale, read from ICU once, at load.
#pragma once

#include <string>

#include "engines/dates/era_table.h"

namespace udfzel {

// The eras of `locale`'s calendar type, over the years 0001 to 9999 of the
// proleptic Gregorian calendar (the library's): 3 the Japanese emperor
// eras, 4 the Republic of China, 5 the Korean Tangun era (Gregorian year +
// 2333, named 단기), any other the eras of the locale's own calendar where
// its years follow the Gregorian years (Gregorian, Buddhist), else the
// Gregorian eras of the locale's language.
// Names in `codePage`. Empty when ICU cannot say (the era tokens then write
// nothing).
EraTable LoadEraTable(const std::string& locale, int calendarType, int codePage);

}  // namespace udfzel
