// Number text next to snprintf. Both sides hand back a fresh heap block, as
// a text-returning function must, and free it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_registry.h"
#include "engines/numbers/floattext.h"
#include "legacy/numfncs.h"
#include "results/numbers.h"

namespace {

const double kValues[] = {1234.5, 0.1, 98765432.125, -0.004, 3.14159265358979, 1e-7, 42};

char* Copied(const char* text, int length) {
  auto* block = static_cast<char*>(std::malloc(static_cast<std::size_t>(length) + 1));
  std::memcpy(block, text, static_cast<std::size_t>(length) + 1);
  return block;
}

// What a C programmer writes for "#,##0.00": %.2f, then the grouping.
char* GroupedTwoDecimals(double x) {
  char plain[64];
  const int length = std::snprintf(plain, sizeof plain, "%.2f", x);
  char grouped[96];
  int out = 0;
  int at = 0;
  if (plain[0] == '-') grouped[out++] = plain[at++];
  const int integers = static_cast<int>(std::strchr(plain, '.') - plain) - at;
  for (int i = 0; i < integers; ++i) {
    if (i > 0 && (integers - i) % 3 == 0) grouped[out++] = ',';
    grouped[out++] = plain[at++];
  }
  while (at <= length) grouped[out++] = plain[at++];
  return Copied(grouped, out - 1);
}

template <class Format>
void Run(benchmark::State& state, Format format) {
  std::size_t i = 0;
  for (auto _ : state) {
    char* text = format(kValues[i++ % std::size(kValues)]);
    benchmark::DoNotOptimize(text);
    std::free(text);
  }
}

char* Picture(const char* picture, double x) {
  auto* fn = &F_FormatFloat;
  benchmark::DoNotOptimize(fn);
  return fn(picture, &x);
}

// Calls through an opaque pointer, as the server does.
template <class Fn>
Fn* Opaque(Fn* fn) {
  benchmark::DoNotOptimize(fn);
  return fn;
}

[[gnu::noinline]] std::int64_t PlainDiv(std::int64_t a, std::int64_t b) {
  return b == 0 || (a == INT64_MIN && b == -1) ? 0 : a / b;
}
[[gnu::noinline]] std::int64_t PlainMod(std::int64_t a, std::int64_t b) {
  return b == 0 || b == -1 ? 0 : a % b;
}
[[gnu::noinline]] double RoundHalfAway(double x, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(x * scale) / scale;
}
[[gnu::noinline]] double CutToward0(double x, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::trunc(x * scale) / scale;
}

// A 64-bit entry point beside the plain operator, on the same operands.
void IntegerPair(const char* name, ISC_INT64 (*udfzel)(const ISC_INT64*, const ISC_INT64*) noexcept,
                 std::int64_t (*plain)(std::int64_t, std::int64_t)) {
  udfzel_bench::AddPair(
      name,
      [udfzel](benchmark::State& s) {
        auto* fn = Opaque(udfzel);
        ISC_INT64 a = 9876543210123, b = 97;
        for (auto _ : s) benchmark::DoNotOptimize(fn(&a, &b));
      },
      [plain](benchmark::State& s) {
        auto* fn = Opaque(plain);
        std::int64_t a = 9876543210123, b = 97;
        for (auto _ : s) benchmark::DoNotOptimize(fn(a, b));
      });
}

// A double-and-decimals entry point (2 decimals) beside the libm way, over
// the same values.
void DecimalsPair(const char* name, double (*udfzel)(const double*, const ISC_LONG*) noexcept,
                  double (*plain)(double, int)) {
  udfzel_bench::AddPair(
      name,
      [udfzel](benchmark::State& s) {
        auto* fn = Opaque(udfzel);
        const ISC_LONG d = 2;
        std::size_t i = 0;
        for (auto _ : s) benchmark::DoNotOptimize(fn(&kValues[i++ % std::size(kValues)], &d));
      },
      [plain](benchmark::State& s) {
        auto* fn = Opaque(plain);
        std::size_t i = 0;
        for (auto _ : s) benchmark::DoNotOptimize(fn(kValues[i++ % std::size(kValues)], 2));
      });
}

// The cost of the boundary's floating-point scope: the entry point beside
// the same work without it (the results function both faces call).
void BoundaryPair() {
  udfzel_bench::AddPair(
      "F_DivNum boundary",
      [](benchmark::State& s) {
        auto* fn = Opaque(&F_DivNum);
        const double a = 1234.5, b = 3;
        for (auto _ : s) benchmark::DoNotOptimize(fn(&a, &b));
      },
      [](benchmark::State& s) {
        auto* fn = Opaque(&udfzel::results::F_DivNum);
        const double a = 1234.5, b = 3;
        for (auto _ : s) benchmark::DoNotOptimize(fn(&a, &b));
      });
}

const bool registered = [] {
  BoundaryPair();
  IntegerPair("F_Div", &F_Div, &PlainDiv);
  IntegerPair("F_Mod", &F_Mod, &PlainMod);
  DecimalsPair("F_Round 2", &F_Round, &RoundHalfAway);
  DecimalsPair("F_Num 2", &F_Num, &CutToward0);
  udfzel_bench::AddPair(
      "F_StrZero 12,2",
      [](benchmark::State& s) {
        Run(s, [](double x) {
          const ISC_LONG width = 12, decimals = 2;
          return Opaque(&F_StrZero)(&x, &width, &decimals);
        });
      },
      [](benchmark::State& s) {
        Run(s, [](double x) {
          char text[64];
          return Copied(text, std::snprintf(text, sizeof text, "%0*.*f", 12, 2, x));
        });
      });
  udfzel_bench::AddPair(
      "F_Str 12,2",
      [](benchmark::State& s) {
        Run(s, [](double x) {
          const ISC_LONG width = 12, decimals = 2;
          return Opaque(&F_Str)(&x, &width, &decimals);
        });
      },
      [](benchmark::State& s) {
        Run(s, [](double x) {
          char text[64];
          return Copied(text, std::snprintf(text, sizeof text, "%*.*f", 12, 2, x));
        });
      });
  udfzel_bench::AddPair(
      "F_Str 23,-1",
      [](benchmark::State& s) {
        Run(s, [](double x) {
          const ISC_LONG width = 23, decimals = -1;
          return Opaque(&F_Str)(&x, &width, &decimals);
        });
      },
      [](benchmark::State& s) {
        Run(s, [](double x) {
          char text[64];
          return Copied(text, std::snprintf(text, sizeof text, "%*.*E", 23, 14, x));
        });
      });
  udfzel_bench::AddPair(
      "FloatToGeneralText",
      [](benchmark::State& s) {
        Run(s, [](double x) {
          udfzel::FixedText<64> text;
          udfzel::FloatToGeneralText(x, '.', text);
          return Copied(text.c_str(), static_cast<int>(text.size()));
        });
      },
      [](benchmark::State& s) {
        Run(s, [](double x) {
          char text[64];
          return Copied(text, std::snprintf(text, sizeof text, "%.15g", x));
        });
      });
  udfzel_bench::AddPair(
      "F_FormatFloat #,##0.00",
      [](benchmark::State& s) { Run(s, [](double x) { return Picture("#,##0.00", x); }); },
      [](benchmark::State& s) { Run(s, GroupedTwoDecimals); });
  udfzel_bench::AddPair(
      "F_FormatFloat 0.00E+00",
      [](benchmark::State& s) { Run(s, [](double x) { return Picture("0.00E+00", x); }); },
      [](benchmark::State& s) {
        Run(s, [](double x) {
          char text[64];
          return Copied(text, std::snprintf(text, sizeof text, "%.2E", x));
        });
      });
  return true;
}();

}  // namespace
