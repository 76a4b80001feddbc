#include "results/numbers.h"

#include "engines/numbers/decimal_rounding.h"
#include "engines/numbers/fixed_width.h"
#include "engines/numbers/integer_math.h"
#include "engines/numbers/number_picture.h"
#include "locale/process_locale.h"
#include "frame/udf_glob.h"
#include "results/result_text.h"

namespace udfzel::results {
namespace {

// Calls `compute` with the values behind both pointers, or gives 0 when
// either is null.
template <class A, class B, class Compute>
auto BothOrZero(const A* a, const B* b, Compute compute) -> decltype(compute(*a, *b)) {
  return GuardedCall([&]() -> decltype(compute(*a, *b)) {
    if (a == nullptr || b == nullptr) return 0;
    return compute(*a, *b);
  });
}

char DecimalMark() {
  return LoadedLocaleFormats().DecimalMark;
}

// F_Str and F_StrZero: the fixed-width text.
bool FixedWidthText(TextBuffer& out, const double* value, const ISC_LONG* width,
                    const ISC_LONG* decimals, bool zeroFill) {
  if (value == nullptr || width == nullptr || decimals == nullptr) return false;
  FixedText<kFixedWidthOutput> text;
  FixedWidthNumber(*value, *width, *decimals, text);
  if (zeroFill) ZeroFillLeadingSpaces(text.data());
  AppendWhole(out, text);
  return true;
}

NumberSeparators Separators() {
  const LocaleFormats& locale = LoadedLocaleFormats();
  return {locale.DecimalMark, locale.GroupSeparator};
}

}  // namespace

ISC_LONG F_Inc(const ISC_LONG* value, const ISC_LONG* step) noexcept {
  return BothOrZero(value, step, IncrementCounter);
}

ISC_INT64 F_Div(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept {
  return BothOrZero(dividend, divisor, TruncatingQuotient);
}

ISC_INT64 F_Mod(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept {
  return BothOrZero(dividend, divisor, TruncatingRemainder);
}

double F_DivNum(const double* dividend, const double* divisor) noexcept {
  return BothOrZero(dividend, divisor, FloatQuotient);
}

ISC_INT64 F_Trunc(const double* value) noexcept {
  return GuardedCall([&]() -> ISC_INT64 { return value == nullptr ? 0 : TruncateToInt64(*value); });
}

double F_Round(const double* value, const ISC_LONG* decimals) noexcept {
  return BothOrZero(value, decimals,
                    [](double x, ISC_LONG d) { return RoundToDecimals(x, d, DecimalMark()); });
}

double F_Num(const double* value, const ISC_LONG* decimals) noexcept {
  return BothOrZero(value, decimals,
                    [](double x, ISC_LONG d) { return CutToDecimals(x, d, DecimalMark()); });
}

// An over-long picture is the engine's EConvertError.
bool F_FormatFloat(TextBuffer& text, const char* picture, const double* value) {
  if (value == nullptr) return false;
  FixedText<kNumberPictureOutput> formatted;
  // A double widens to extended exactly.
  const Extended x = *value;
  FormatNumberPicture(picture == nullptr ? "" : picture, x, Separators(), formatted);
  AppendWhole(text, formatted);
  return true;
}

bool F_Str(TextBuffer& text, const double* value, const ISC_LONG* width, const ISC_LONG* decimals) {
  return FixedWidthText(text, value, width, decimals, false);
}

bool F_StrZero(TextBuffer& text, const double* value, const ISC_LONG* width,
               const ISC_LONG* decimals) {
  return FixedWidthText(text, value, width, decimals, true);
}

}  // namespace udfzel::results
