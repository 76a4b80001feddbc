// The era table of the loaded locale, read from the platform's locale
// services once, at load.
#pragma once

#include <string>

#include "records/era_table.h"

namespace udfzel {

// The eras of `locale`'s calendar type, over the years 0001 to 9999 of the
// proleptic Gregorian calendar (the library's): 3 the Japanese emperor
// eras, 4 the Republic of China, 5 the Korean Tangun era (Gregorian year +
// 2333, named 단기), any other the Common Era under the locale's name for
// it. Names in `codePage`; a name the code page cannot hold whole is left
// out. Empty when the platform cannot say (the era tokens then write
// nothing).
EraTable LoadEraTable(const std::string& locale, int calendarType, int codePage);

}  // namespace udfzel
