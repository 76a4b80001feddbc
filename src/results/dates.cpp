#include "results/dates.h"

#include <cstring>
#include <ctime>

#include "engines/dates/date_picture.h"
#include "frame/process_locale.h"
#include "frame/udf_glob.h"

namespace udfzel::results {
namespace {

ISC_TIMESTAMP ReadRecord(const ISC_QUAD* date) {
  ISC_TIMESTAMP stamp;
  std::memcpy(&stamp, date, sizeof stamp);
  return stamp;
}

// Rewrites the record in place as the last day of its month, through the
// client library's calendar; the fraction of a second is lost.
void LastDayOfMonth(ISC_QUAD* date) {
  std::tm calendar{};
  isc_decode_date(date, &calendar);
  calendar.tm_mday = 1;
  if (calendar.tm_mon == 11) {
    calendar.tm_mon = 0;
    calendar.tm_year += 1;
  } else {
    calendar.tm_mon += 1;
  }
  isc_encode_date(&calendar, date);
  ISC_TIMESTAMP stamp = ReadRecord(date);
  stamp.timestamp_date =
      static_cast<ISC_DATE>(static_cast<std::uint32_t>(stamp.timestamp_date) - 1);
  std::memcpy(date, &stamp, sizeof stamp);
}

}  // namespace

bool F_FormatDateTime(TextBuffer& text, const char* picture, ISC_QUAD* date) {
  if (date == nullptr) return false;
  const ISC_TIMESTAMP stamp = ReadRecord(date);
  if (stamp.timestamp_date == 0 && stamp.timestamp_time == 0) return false;
  const DaySerial serial = QuadToDaySerial(stamp.timestamp_date, stamp.timestamp_time);
  FixedText<kDatePictureLimit + 1> formatted;
  FormatDatePicture(picture == nullptr ? "" : picture, serial, LoadedLocaleFormats(),
                    LoadedEraSource(), formatted);
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
    LastDayOfMonth(date);
    std::tm calendar{};
    isc_decode_date(date, &calendar);
    return calendar.tm_mday;
  });
}

}  // namespace udfzel::results
