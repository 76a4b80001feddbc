// Fuzzes the locale loading rules: a scripted locale whose items, identity
// and lead-byte ranges all come from the input. Loading must never fail,
// and the record must keep its invariants.
#include <cstdint>
#include <cstdlib>

#include "input_decoder.h"
#include "locale/load_locale_formats.h"
#include "scripted_locale_source.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr int kItemCount = static_cast<int>(udfzel::LocaleItem::DefaultAnsiCodePage) + 1;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  udfzel_test::ScriptedSource source;
  source.id = static_cast<std::uint32_t>(in.Int32());
  for (int ranges = in.Byte() % 9; ranges > 0; --ranges) {
    const std::uint8_t first = in.Byte();  // in order, on every compiler
    source.ranges.emplace_back(first, in.Byte());
  }
  while (!in.Empty()) {
    const auto item = static_cast<udfzel::LocaleItem>(in.Byte() % kItemCount);
    const int index = in.Byte() % 14;
    source.Set(item, in.Text(300), index);
  }
  const udfzel::LocaleFormats f = udfzel::LoadLocaleFormats(source);
  Check(f.MultiByteLocale == f.LeadByteSet.any());
  Check(f.LocaleId != 0);
  for (std::size_t i = 1; i <= 12; ++i) Check(!f.MonthNames[i].empty() && f.MonthNames[i].size() <= 255);
  for (std::size_t i = 1; i <= 7; ++i) Check(!f.DayNames[i].empty() && f.DayNames[i].size() <= 255);
  Check(f.ShortTimePicture.find(":mm") != std::string::npos);
  return 0;
}
