// Fuzzes date values and the date picture engine: pictures of any bytes
// (lead bytes included), server records of any day and time word, and
// locale settings drawn from the input. Checks that decoding stays in its
// ranges, that a record before 30 December 1899 reads back as itself, and
// that the text never exceeds 256 bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engines/dates/date_picture.h"
#include "input_decoder.h"
#include "locale/load_locale_formats.h"
#include "scripted_locale_source.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Up to three eras drawn from the input, in order.
udfzel::EraTable InputEras(udfzel_fuzz::InputDecoder& in) {
  udfzel::EraTable table;
  std::int64_t day = -800000;
  for (int i = in.Byte() % 4; i > 0; --i) {
    udfzel::Era era;
    day += 1 + static_cast<std::uint32_t>(in.Int32()) % 2000000;
    era.firstDay = day;
    era.yearOne = in.Int32() % 10000;
    era.direction = (in.Byte() & 1) != 0 ? -1 : 1;
    const std::string name = in.Text(sizeof era.name);
    std::memcpy(era.name, name.data(), name.size());
    era.nameLength = static_cast<std::uint8_t>(name.size());
    table.Add(era);
  }
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  static const udfzel::LocaleFormats kBase =
      udfzel::LoadLocaleFormats(udfzel_test::ScriptedSource{});
  udfzel::LocaleFormats locale = kBase;
  locale.ShortDatePicture = in.Text(40);
  locale.LongTimePicture = in.Text(40);
  locale.DateDelimiter = static_cast<char>(in.Byte());
  locale.PrimaryLanguage = in.Byte() % 20;
  if ((in.Byte() & 1) != 0) {
    for (int b = 0x81; b <= 0x9F; ++b) locale.LeadByteSet.set(static_cast<std::size_t>(b));
  }
  const udfzel::EraTable eras = InputEras(in);

  const std::int32_t day = in.Int32();
  const auto time = static_cast<std::uint32_t>(in.Int32());
  const std::string picture = in.Text(300);

  const udfzel::DaySerial serial = udfzel::QuadToDaySerial(day, time);
  const udfzel::DecodedDate date = udfzel::DecodeDaySerial(serial);
  Check(date.year >= 0 && date.year <= 5900000 && date.month >= 0 && date.month <= 12);
  Check(date.day >= 0 && date.day <= 31 && date.weekday >= 0 && date.weekday <= 7);
  const udfzel::DecodedTime t = udfzel::DecodeTimeOfDay(serial);
  Check(t.hour >= 0 && t.hour < 24 && t.minute < 60 && t.second < 60 && t.millisecond < 1000);
  // Within the server's dates (1 January 0001 to 31 December 9999) the
  // double holds the millisecond; far beyond, its precision runs out.
  if (time < 864000000 && day >= -678575 && day <= 2973483) {
    const udfzel::SplitSerial split = udfzel::SplitDaySerial(serial);
    Check(split.absoluteDay == udfzel::kAbsoluteDayOfSerialZero + day - 15018);
    Check(split.millisecond == time / 10);
  }

  udfzel::FixedText<udfzel::kDatePictureLimit + 1> out;
  udfzel::FormatDatePicture(picture, serial, locale, eras, out);
  Check(out.size() <= udfzel::kDatePictureLimit);
  return 0;
}
