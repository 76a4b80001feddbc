// Fuzzes the locale loading rules: a scripted locale whose texts, switches,
// calendar, code page, identity and lead-byte ranges all come from the
// input, and the Windows source's reading of numeric items. Loading must never fail,
// and the record must keep its invariants.
#include <cstdint>
#include <cstdlib>

#include "input_decoder.h"
#include "locale/load_locale_formats.h"
#include "locale/windows_locale_numbers.h"
#include "scripted_locale_source.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr int kTextCount = static_cast<int>(udfzel::LocaleItem::DayName) + 1;
constexpr int kFlagCount = static_cast<int>(udfzel::LocaleFlag::MarkBeforeTime) + 1;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  udfzel_test::ScriptedSource source;
  source.id = static_cast<std::uint32_t>(in.Int32());
  for (int ranges = in.Byte() % 9; ranges > 0; --ranges) {
    const std::uint8_t first = in.Byte();  // in order, on every compiler
    source.ranges.emplace_back(first, in.Byte());
  }
  // Each fact: a text, a switch, the calendar, the code page, or a text of
  // digits read as the calendar would be.
  while (!in.Empty()) {
    const int kind = in.Byte() % (kTextCount + kFlagCount + 3);
    if (kind < kTextCount) {
      const int index = in.Byte() % 14;
      source.Set(static_cast<udfzel::LocaleItem>(kind), in.Text(300), index);
    } else if (kind < kTextCount + kFlagCount) {
      source.flags[static_cast<udfzel::LocaleFlag>(kind - kTextCount)] = (in.Byte() & 1) != 0;
    } else if (kind == kTextCount + kFlagCount) {
      source.calendar = in.Int32();
    } else if (kind == kTextCount + kFlagCount + 1) {
      source.codePage = in.Int32();
    } else {
      const std::string digits = in.Text(300);
      const std::u16string text(digits.begin(), digits.end());
      const auto number = udfzel::WindowsLocaleNumber(text, udfzel::kWindowsTextItemLimit);
      if (number) source.calendar = *number;
    }
  }
  const udfzel::LocaleFormats f = udfzel::LoadLocaleFormats(source);
  Check(f.MultiByteLocale == f.LeadByteSet.any());
  Check(f.LocaleId != 0);
  for (std::size_t i = 1; i <= 12; ++i)
    Check(!f.MonthNames[i].empty() && f.MonthNames[i].size() <= 255);
  for (std::size_t i = 1; i <= 7; ++i) Check(!f.DayNames[i].empty() && f.DayNames[i].size() <= 255);
  Check(f.ShortTimePicture.find(":mm") != std::string::npos);
  return 0;
}
