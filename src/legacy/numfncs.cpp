#include "legacy/numfncs.h"

#include "engines/numbers/decimal_rounding.h"
#include "engines/numbers/fixed_width.h"
#include "engines/numbers/number_picture.h"
#include "engines/numbers/integer_math.h"
#include "frame/process_locale.h"

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

// F_Str and F_StrZero: the fixed-width text.
bool FixedWidthText(udfzel::TextBuffer& out, const double* value, const ISC_LONG* width,
                    const ISC_LONG* decimals, bool zeroFill) {
  if (value == nullptr || width == nullptr || decimals == nullptr) return false;
  udfzel::FixedText<udfzel::kFixedWidthOutput> text;
  udfzel::FixedWidthNumber(*value, *width, *decimals, text);
  if (zeroFill) udfzel::ZeroFillLeadingSpaces(text.data());
  out.Append(text.view());
  return true;
}

udfzel::NumberSeparators Separators() {
  const udfzel::LocaleFormats& locale = udfzel::LoadedLocaleFormats();
  return {locale.DecimalMark, locale.GroupSeparator};
}

}  // namespace

namespace udfzel::result_text {

// An over-long picture is the engine's EConvertError.
bool F_FormatFloat(TextBuffer& text, const char* picture, const double* value) {
  if (value == nullptr) return false;
  FixedText<kNumberPictureOutput> formatted;
  // A double widens to extended exactly.
  const auto x = static_cast<long double>(*value);
  FormatNumberPicture(picture == nullptr ? "" : picture, x, Separators(), formatted);
  text.Append(formatted.view());
  return true;
}

bool F_Str(TextBuffer& text, const double* value, const ISC_LONG* width,
           const ISC_LONG* decimals) {
  return FixedWidthText(text, value, width, decimals, false);
}

bool F_StrZero(TextBuffer& text, const double* value, const ISC_LONG* width,
               const ISC_LONG* decimals) {
  return FixedWidthText(text, value, width, decimals, true);
}

}  // namespace udfzel::result_text

// The legacy face turns a library error into SQL NULL.
char* F_FormatFloat(const char* picture, const double* value) noexcept {
  return udfzel::NewTextResult([&](udfzel::TextBuffer& text) {
    return udfzel::result_text::F_FormatFloat(text, picture, value);
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
  return udfzel::NewTextResult([&](udfzel::TextBuffer& text) {
    return udfzel::result_text::F_Str(text, value, width, decimals);
  });
}

char* F_StrZero(const double* value, const ISC_LONG* width, const ISC_LONG* decimals) noexcept {
  return udfzel::NewTextResult([&](udfzel::TextBuffer& text) {
    return udfzel::result_text::F_StrZero(text, value, width, decimals);
  });
}
