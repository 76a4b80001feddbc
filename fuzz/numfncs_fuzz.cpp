// Fuzzes the number functions' engines: counter steps and 64-bit division
// (checked against the division identity), float quotient and truncation,
// rounding and cutting to decimals, and fixed-width text (checked for its
// width and length limits) over integers of the whole range and doubles of
// every class.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engines/numbers/decimal_rounding.h"
#include "engines/numbers/fixed_width.h"
#include "input_decoder.h"
#include "engines/numbers/integer_math.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::int64_t Wide(udfzel_fuzz::InputDecoder& in) {
  const auto high = static_cast<std::uint32_t>(in.Int32());
  const auto low = static_cast<std::uint32_t>(in.Int32());
  return static_cast<std::int64_t>((std::uint64_t{high} << 32) | low);
}

void CheckDivision(std::int64_t a, std::int64_t b) {
  const std::int64_t q = udfzel::TruncatingQuotient(a, b);
  const std::int64_t r = udfzel::TruncatingRemainder(a, b);
  if (a == 0 || b == 0) {
    Check(q == 0 && r == 0);
    return;
  }
  Check(static_cast<std::uint64_t>(b) * static_cast<std::uint64_t>(q) + static_cast<std::uint64_t>(r) ==
        static_cast<std::uint64_t>(a));
  Check(udfzel::Magnitude(r) < udfzel::Magnitude(b));
}

void CheckFixedWidth(double x, std::int32_t width, std::int32_t decimals) {
  udfzel::FixedText<udfzel::kFixedWidthOutput> text;
  udfzel::FixedWidthNumber(x, width, decimals, text);
  Check(!text.Truncated());
  Check(text.size() <= 255);
  if (width > 0) Check(text.size() >= static_cast<std::size_t>(width < 255 ? width : 255));
  char copy[udfzel::kFixedWidthOutput];
  std::memcpy(copy, text.c_str(), text.size() + 1);
  udfzel::ZeroFillLeadingSpaces(copy);
  Check(std::strlen(copy) == text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  const std::int32_t value = in.Int32();
  const std::int32_t step = in.Int32();
  (void)udfzel::IncrementCounter(value, step);
  CheckDivision(Wide(in), Wide(in));

  const double x = in.Double();
  const double y = in.Double();
  const double quotient = udfzel::FloatQuotient(x, y);
  if (std::isnan(x) || x == 0 || std::isnan(y) || y == 0) Check(quotient == 0 && !std::signbit(quotient));

  const std::int64_t truncated = udfzel::TruncateToInt64(x);
  if (std::isfinite(x) && std::fabs(x) < 9.2e18) Check(static_cast<double>(truncated) == std::trunc(x));

  const std::int32_t decimals = in.Int32();
  const char mark = (in.Byte() & 1) != 0 ? ',' : '.';
  const double rounded = udfzel::RoundToDecimals(x, decimals, mark);
  const double cut = udfzel::CutToDecimals(x, decimals, mark);
  if (std::isfinite(x) && decimals > 0) {
    Check(std::isfinite(rounded) && std::isfinite(cut));
    // Cutting grows the value at most by the rounding of the 15-digit general
    // text it cuts, or of the fixed text it falls back to (exponent forms).
    const double unit = std::pow(10.0, -(decimals < 18 ? decimals : 18));
    Check(std::fabs(cut) <= std::fabs(x) * (1 + 1e-14) + unit);
  }
  CheckFixedWidth(x, in.Int32(), decimals);
  return 0;
}
