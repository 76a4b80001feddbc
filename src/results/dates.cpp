#include "results/dates.h"

#include <cstring>

#include "engines/dates/date_picture.h"
#include "locale/process_locale.h"
#include "frame/udf_glob.h"

namespace udfzel::results {
namespace {

ISC_TIMESTAMP ReadRecord(const ISC_QUAD* date) {
  ISC_TIMESTAMP stamp;
  std::memcpy(&stamp, date, sizeof stamp);
  return stamp;
}

// The record as the last day of its month at the same time of day in whole
// seconds (the server's time word counts 1/10,000 s); returns that day.
int LastDayOfMonth(ISC_QUAD* date) {
  ISC_TIMESTAMP stamp = ReadRecord(date);
  const CivilDate civil = CivilFromDays(stamp.timestamp_date - kServerDayOfUnixEpoch);
  const int last = MonthLength(IsLeapYear(civil.year), civil.month);
  stamp.timestamp_date =
      static_cast<ISC_DATE>(DaysFromCivil(civil.year, civil.month, last) + kServerDayOfUnixEpoch);
  stamp.timestamp_time =
      stamp.timestamp_time / ISC_TIME_SECONDS_PRECISION * ISC_TIME_SECONDS_PRECISION;
  std::memcpy(date, &stamp, sizeof stamp);
  return last;
}

}  // namespace

bool F_FormatDateTime(TextBuffer& text, const char* picture, ISC_QUAD* date) {
  if (date == nullptr) return false;
  const ISC_TIMESTAMP stamp = ReadRecord(date);
  if (stamp.timestamp_date == 0 && stamp.timestamp_time == 0) return false;
  const DaySerial serial = QuadToDaySerial(stamp.timestamp_date, stamp.timestamp_time);
  FixedText<kDatePictureLimit + 1> formatted;
  FormatDatePicture(picture == nullptr ? "" : picture, serial, LoadedLocaleFormats(),
                    LoadedEraTable(), formatted);
  // The picture's text is defined as its first 256 bytes (kDatePictureLimit),
  // so the engine's own limit is no cut of the result.
  text.Append(formatted.view());
  return true;
}

ISC_QUAD* F_UltDia(ISC_QUAD* date) noexcept {
  return GuardedCall([&]() -> ISC_QUAD* {
    if (date == nullptr) return nullptr;
    if (ReadRecord(date).timestamp_date != 0) LastDayOfMonth(date);
    return date;
  });
}

ISC_LONG F_UltDiaMes(ISC_QUAD* date) noexcept {
  return GuardedCall([&]() -> ISC_LONG {
    if (date == nullptr || ReadRecord(date).timestamp_date == 0) return 0;
    return LastDayOfMonth(date);
  });
}

}  // namespace udfzel::results
