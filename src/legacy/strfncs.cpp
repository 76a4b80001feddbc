#include "legacy/strfncs.h"

#include "legacy/boundary.h"
#include "results/strings.h"

namespace results = udfzel::results;

ISC_LONG F_StrLen(char* text) noexcept {
  return udfzel::AtBoundary([&] { return results::F_StrLen(text); });
}
char* F_LTrim(char* text) noexcept {
  return udfzel::AtBoundary([&] { return results::F_LTrim(text); });
}
char* F_RTrim(char* text) noexcept {
  return udfzel::AtBoundary([&] { return results::F_RTrim(text); });
}
char* F_Trim(char* text) noexcept {
  return udfzel::AtBoundary([&] { return results::F_Trim(text); });
}

char* F_StrLeft(char* text, const ISC_LONG* count) noexcept {
  return results::F_StrLeft(text, count);
}

char* F_StrRight(char* text, const ISC_LONG* count) noexcept {
  return results::F_StrRight(text, count);
}

char* F_SubStr(char* text, const ISC_LONG* start, const ISC_LONG* count) noexcept {
  return results::F_SubStr(text, start, count);
}

char* F_ProperCase(char* text) noexcept {
  return udfzel::AtBoundary([&] { return results::F_ProperCase(text); });
}
char* F_ConStr(char* text) noexcept {
  return udfzel::AtBoundary([&] { return results::F_ConStr(text); });
}

char* F_FormatMaskText(const char* mask, const char* value) noexcept {
  return udfzel::NewTextResult(
      [&](udfzel::TextBuffer& text) { return results::F_FormatMaskText(text, mask, value); });
}
