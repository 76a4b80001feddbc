#include "legacy/numfncs.h"

#include "legacy/boundary.h"
#include "results/numbers.h"

namespace results = udfzel::results;
using udfzel::NewTextResult;
using udfzel::TextBuffer;

ISC_LONG F_Inc(const ISC_LONG* value, const ISC_LONG* step) noexcept {
  return udfzel::AtBoundary([&] { return results::F_Inc(value, step); });
}

ISC_INT64 F_Div(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept {
  return udfzel::AtBoundary([&] { return results::F_Div(dividend, divisor); });
}

ISC_INT64 F_Mod(const ISC_INT64* dividend, const ISC_INT64* divisor) noexcept {
  return udfzel::AtBoundary([&] { return results::F_Mod(dividend, divisor); });
}

double F_DivNum(const double* dividend, const double* divisor) noexcept {
  return udfzel::AtBoundary([&] { return results::F_DivNum(dividend, divisor); });
}

ISC_INT64 F_Trunc(const double* value) noexcept {
  return udfzel::AtBoundary([&] { return results::F_Trunc(value); });
}

double F_Round(const double* value, const ISC_LONG* decimals) noexcept {
  return udfzel::AtBoundary([&] { return results::F_Round(value, decimals); });
}

double F_Num(const double* value, const ISC_LONG* decimals) noexcept {
  return udfzel::AtBoundary([&] { return results::F_Num(value, decimals); });
}

// The legacy face turns a library error into SQL NULL.
char* F_FormatFloat(const char* picture, const double* value) noexcept {
  return NewTextResult(
      [&](TextBuffer& text) { return results::F_FormatFloat(text, picture, value); });
}

char* F_Str(const double* value, const ISC_LONG* width, const ISC_LONG* decimals) noexcept {
  return NewTextResult(
      [&](TextBuffer& text) { return results::F_Str(text, value, width, decimals); });
}

char* F_StrZero(const double* value, const ISC_LONG* width, const ISC_LONG* decimals) noexcept {
  return NewTextResult(
      [&](TextBuffer& text) { return results::F_StrZero(text, value, width, decimals); });
}
