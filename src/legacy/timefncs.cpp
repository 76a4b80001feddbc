#include "legacy/timefncs.h"

#include "legacy/boundary.h"
#include "results/dates.h"

namespace results = udfzel::results;

char* F_FormatDateTime(const char* picture, ISC_QUAD* date) noexcept {
  return udfzel::NewTextResult(
      [&](udfzel::TextBuffer& text) { return results::F_FormatDateTime(text, picture, date); });
}

ISC_QUAD* F_UltDia(ISC_QUAD* date) noexcept {
  return udfzel::AtBoundary([&] { return results::F_UltDia(date); });
}
ISC_LONG F_UltDiaMes(ISC_QUAD* date) noexcept {
  return udfzel::AtBoundary([&] { return results::F_UltDiaMes(date); });
}
