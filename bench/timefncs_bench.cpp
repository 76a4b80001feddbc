// Date text next to strftime on the same moment, the decode included on
// both sides (the server record through the library's own decoding, a
// time_t through gmtime_r). Both sides hand back a fresh heap block.
#include <benchmark/benchmark.h>
#include <ibase.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "bench_registry.h"
#include "legacy/timefncs.h"

namespace {

// 5 March 2024 14:07:09 as a server record and as a time_t.
ISC_QUAD Record() {
  ISC_TIMESTAMP stamp{60374, 14 * 36000000 + 7 * 600000 + 9 * 10000};
  ISC_QUAD quad;
  std::memcpy(&quad, &stamp, sizeof quad);
  return quad;
}
constexpr std::time_t kMoment = 1709647629;

void Udfzel(benchmark::State& state, const char* picture) {
  auto* fn = &F_FormatDateTime;
  benchmark::DoNotOptimize(fn);
  ISC_QUAD date = Record();
  for (auto _ : state) {
    char* text = fn(picture, &date);
    benchmark::DoNotOptimize(text);
    std::free(text);
  }
}

[[gnu::noinline]] char* StrftimeText(std::time_t moment, const char* format) {
  std::tm parts;
  gmtime_r(&moment, &parts);
  char text[256];
  const std::size_t length = std::strftime(text, sizeof text, format, &parts);
  auto* block = static_cast<char*>(std::malloc(length + 1));
  std::memcpy(block, text, length + 1);
  return block;
}

void Strftime(benchmark::State& state, const char* format) {
  for (auto _ : state) {
    char* text = StrftimeText(kMoment, format);
    benchmark::DoNotOptimize(text);
    std::free(text);
  }
}

// The last day of a record's month through the standard calendar: the
// record's day number (days since 17 November 1858) as sys_days and back.
[[gnu::noinline]] void LastDayByChrono(ISC_TIMESTAMP& stamp) {
  using namespace std::chrono;
  constexpr int kUnixEpochDay = 40587;
  const year_month_day date{sys_days{days{stamp.timestamp_date - kUnixEpochDay}}};
  const sys_days last{date.year() / date.month() / std::chrono::last};
  stamp.timestamp_date = static_cast<ISC_DATE>(last.time_since_epoch().count() + kUnixEpochDay);
}

// Days of the month a record's day falls in, one after another (F_UltDia
// rewrites its argument).
const ISC_DATE kDays[] = {60374, 60340, 51544, 15021, 2973000, 60000, 45000};

const bool registered = [] {
  udfzel_bench::AddPair(
      "F_UltDia",
      [](benchmark::State& s) {
        auto* fn = &F_UltDia;
        benchmark::DoNotOptimize(fn);
        std::size_t i = 0;
        for (auto _ : s) {
          ISC_TIMESTAMP stamp{kDays[i++ % std::size(kDays)], 0};
          ISC_QUAD quad;
          std::memcpy(&quad, &stamp, sizeof quad);
          benchmark::DoNotOptimize(fn(&quad));
          benchmark::ClobberMemory();
        }
      },
      [](benchmark::State& s) {
        std::size_t i = 0;
        for (auto _ : s) {
          ISC_TIMESTAMP stamp{kDays[i++ % std::size(kDays)], 0};
          LastDayByChrono(stamp);
          benchmark::DoNotOptimize(stamp);
        }
      });
  udfzel_bench::AddPair(
      "F_FormatDateTime dd/mm/yyyy hh:nn:ss",
      [](benchmark::State& s) { Udfzel(s, "dd/mm/yyyy hh:nn:ss"); },
      [](benchmark::State& s) { Strftime(s, "%d/%m/%Y %H:%M:%S"); });
  udfzel_bench::AddPair(
      "F_FormatDateTime dddd, d 'de' mmmm 'de' yyyy",
      [](benchmark::State& s) { Udfzel(s, "dddd, d 'de' mmmm 'de' yyyy"); },
      [](benchmark::State& s) { Strftime(s, "%A, %d de %B de %Y"); });
  // Era tokens beside the plain year: the era name and the year in the era.
  udfzel_bench::AddPair(
      "F_FormatDateTime ggg eeee/mm/dd",
      [](benchmark::State& s) { Udfzel(s, "ggg eeee/mm/dd"); },
      [](benchmark::State& s) { Strftime(s, "AD %Y/%m/%d"); });
  return true;
}();

}  // namespace
