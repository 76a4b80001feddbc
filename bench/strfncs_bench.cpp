// The text entry points next to the C a programmer would write for the same
// job, on a 30-byte name and a 200-byte text with blanks around. Both sides
// are called the same way the server calls: through a function pointer with
// the entry point's own signature.
#include <benchmark/benchmark.h>
#include <ibase.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_registry.h"
#include "legacy/strfncs.h"

namespace {

std::string Sample(std::size_t size) {
  std::string text = "  ";
  while (text.size() < size - 2) text += "Maria da Conceicao ";
  text.resize(size - 2);
  return text + "  ";
}

const ISC_LONG kTen = 10;
const ISC_LONG kFive = 5;
const ISC_LONG kEight = 8;

// What a C programmer writes for the same jobs.
ISC_LONG CLength(char* s) noexcept { return static_cast<ISC_LONG>(std::strlen(s)); }
char* CLTrim(char* s) noexcept {
  while (*s != '\0' && std::isspace(static_cast<unsigned char>(*s))) ++s;
  return s;
}
char* CRTrim(char* s) noexcept {
  std::size_t n = std::strlen(s);
  while (n > 0 && std::isspace(static_cast<unsigned char>(s[n - 1]))) --n;
  s[n] = '\0';
  return s;
}
char* CTrim(char* s) noexcept { return CLTrim(CRTrim(s)); }
char* CLeft(char* s, const ISC_LONG* k) noexcept {
  if (*k < 1) return s + std::strlen(s);
  if (std::strlen(s) > static_cast<std::size_t>(*k)) s[*k] = '\0';
  return s;
}
char* CRight(char* s, const ISC_LONG* k) noexcept {
  const std::size_t n = std::strlen(s);
  if (*k < 1 || static_cast<std::size_t>(*k) > n) return s + n;
  return s + n - static_cast<std::size_t>(*k);
}
char* CSubStr(char* s, const ISC_LONG* start, const ISC_LONG* count) noexcept {
  const std::size_t n = std::strlen(s);
  if (*start < 1 || static_cast<std::size_t>(*start) > n || *count < 1) return s + n;
  const auto from = static_cast<std::size_t>(*start) - 1;
  if (from + static_cast<std::size_t>(*count) < n) s[from + static_cast<std::size_t>(*count)] = '\0';
  return s + from;
}

// The server hands every row a fresh argument buffer. So does the loop: it
// runs through a batch of copies of the text and lays the batch anew, outside
// the timing, once every copy has been cut.
template <class Fn, class... Args>
void RunInPlace(benchmark::State& state, std::size_t size, Fn* fn, Args... args) {
  benchmark::DoNotOptimize(fn);  // an opaque pointer: an indirect call, never inlined
  constexpr std::size_t kBatch = 512;
  const std::string original = Sample(size);
  const std::size_t stride = (size + 64) & ~std::size_t{63};
  std::string batch(kBatch * stride, '\0');
  const auto lay = [&] {
    for (std::size_t i = 0; i < kBatch; ++i) original.copy(batch.data() + i * stride, size);
  };
  lay();
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(fn(batch.data() + next * stride, args...));
    if (++next == kBatch) {
      state.PauseTiming();
      lay();
      next = 0;
      state.ResumeTiming();
    }
  }
}

template <class Fn, class... Args>
void Pair(const std::string& name, std::size_t size, Fn* udfzel, Fn* baseline, Args... args) {
  udfzel_bench::AddPair(
      name + ":" + std::to_string(size),
      [=](benchmark::State& s) { RunInPlace(s, size, udfzel, args...); },
      [=](benchmark::State& s) { RunInPlace(s, size, baseline, args...); });
}

// The floor for the case rewrites: a plain table-driven toupper over the
// same bytes.
char* CUpper(char* s) noexcept {
  static const auto table = [] {
    std::array<char, 256> t{};
    for (int i = 0; i < 256; ++i) t[static_cast<std::size_t>(i)] = static_cast<char>(std::toupper(i));
    return t;
  }();
  for (char* p = s; *p != '\0'; ++p) *p = table[static_cast<unsigned char>(*p)];
  return s;
}

// What a C programmer writes for a CPF: snprintf of the digit groups into a
// fresh block.
char* CpfBySnprintf(const char* digits, const char*) noexcept {
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%.3s.%.3s.%.3s-%.2s", digits, digits + 3,
                                   digits + 6, digits + 9);
  auto* block = static_cast<char*>(std::malloc(static_cast<std::size_t>(length) + 1));
  std::memcpy(block, text, static_cast<std::size_t>(length) + 1);
  return block;
}
char* CpfByMask(const char* digits, const char* mask) noexcept { return F_FormatMaskText(mask, digits); }

void RunMask(benchmark::State& state, char* (*fn)(const char*, const char*) noexcept) {
  benchmark::DoNotOptimize(fn);
  for (auto _ : state) {
    char* text = fn("12345678901", "000.000.000-00;0;_");
    benchmark::DoNotOptimize(text);
    std::free(text);
  }
}

const bool registered = [] {
  udfzel_bench::AddPair("F_FormatMaskText CPF", [](benchmark::State& s) { RunMask(s, CpfByMask); },
                        [](benchmark::State& s) { RunMask(s, CpfBySnprintf); });
  for (const std::size_t size : {std::size_t{30}, std::size_t{200}}) {
    Pair("F_StrLen", size, F_StrLen, CLength);
    Pair("F_LTrim", size, F_LTrim, CLTrim);
    Pair("F_RTrim", size, F_RTrim, CRTrim);
    Pair("F_Trim", size, F_Trim, CTrim);
    Pair("F_StrLeft", size, F_StrLeft, CLeft, &kTen);
    Pair("F_StrRight", size, F_StrRight, CRight, &kTen);
    Pair("F_SubStr", size, F_SubStr, CSubStr, &kFive, &kEight);
    Pair("F_ProperCase", size, F_ProperCase, CUpper);
    Pair("F_ConStr", size, F_ConStr, CUpper);
  }
  return true;
}();

}  // namespace
