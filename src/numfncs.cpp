#include "numfncs.h"

#include "floattext/decimal_rounding.h"
#include "floattext/fixed_width.h"
#include "floattext/number_picture.h"
#include "integer_math.h"
#include "locale/process_locale.h"

using udfzel::GuardedCall;

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

char DecimalMark() { return udfzel::LoadedLocaleFormats().DecimalMark; }

// F_Str and F_StrZero: the fixed-width text in a new result buffer.
char* FixedWidthResult(const double* value, const ISC_LONG* width, const ISC_LONG* decimals,
                       bool zeroFill) {
  return GuardedCall([&]() -> char* {
    if (value == nullptr || width == nullptr || decimals == nullptr) return nullptr;
    udfzel::FixedText<udfzel::kFixedWidthOutput> text;
    udfzel::FixedWidthNumber(*value, *width, *decimals, text);
    char* result = udfzel::CopyToResult(text.c_str(), nullptr, 0);
    if (zeroFill && result != nullptr) udfzel::ZeroFillLeadingSpaces(result);
    return result;
  });
}

udfzel::NumberSeparators Separators() {
  const udfzel::LocaleFormats& locale = udfzel::LoadedLocaleFormats();
  return {locale.DecimalMark, locale.GroupSeparator};
}

}  // namespace

// An over-long picture is the engine's EConvertError, which the guard turns
// into SQL NULL.
char* F_FormatFloat(const char* picture, const double* value) noexcept {
  return GuardedCall([&]() -> char* {
    if (value == nullptr) return nullptr;
    udfzel::FixedText<udfzel::kNumberPictureOutput> text;
    // A double widens to extended exactly.
    const auto x = static_cast<long double>(*value);
    udfzel::FormatNumberPicture(picture == nullptr ? "" : picture, x, Separators(), text);
    return udfzel::CopyToResult(text.c_str(), nullptr, 0);
  });
}

ISC_LONG F_Inc(const ISC_LONG* value, const ISC_LONG* step) noexcept {
  return BothOrZero(value, step, udfzel::IncrementCounter);
}

ISC_INT64 F_Div(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept {
  return BothOrZero(dividend, divisor, udfzel::TruncatingQuotient);
}

ISC_INT64 F_Mod(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept {
  return BothOrZero(dividend, divisor, udfzel::TruncatingRemainder);
}

double F_DivNum(const double* dividend, const double* divisor) noexcept {
  return BothOrZero(dividend, divisor, udfzel::FloatQuotient);
}

ISC_INT64 F_Trunc(const double* value) noexcept {
  return GuardedCall([&]() -> ISC_INT64 {
    return value == nullptr ? 0 : udfzel::TruncateToInt64(*value);
  });
}

double F_Round(const double* value, const ISC_LONG* decimals) noexcept {
  return BothOrZero(value, decimals, [](double x, ISC_LONG d) {
    return udfzel::RoundToDecimals(x, d, DecimalMark());
  });
}

double F_Num(const double* value, const ISC_LONG* decimals) noexcept {
  return BothOrZero(value, decimals, [](double x, ISC_LONG d) {
    return udfzel::CutToDecimals(x, d, DecimalMark());
  });
}

char* F_Str(const double* value, const ISC_LONG* width, const ISC_LONG* decimals) noexcept {
  return FixedWidthResult(value, width, decimals, false);
}

char* F_StrZero(const double* value, const ISC_LONG* width, const ISC_LONG* decimals) noexcept {
  return FixedWidthResult(value, width, decimals, true);
}
