#include "numfncs.h"

#include "floattext/number_picture.h"
#include "locale/process_locale.h"

namespace {

udfzel::NumberSeparators Separators() {
  const udfzel::LocaleFormats& locale = udfzel::LoadedLocaleFormats();
  return {locale.DecimalMark, locale.GroupSeparator};
}

}  // namespace

// An over-long picture is the engine's EConvertError, which the guard turns
// into SQL NULL.
char* F_FormatFloat(const char* picture, const double* value) noexcept {
  return udfzel::GuardedCall([&]() -> char* {
    if (value == nullptr) return nullptr;
    udfzel::FixedText<udfzel::kNumberPictureOutput> text;
    // A double widens to extended exactly.
    const auto x = static_cast<long double>(*value);
    udfzel::FormatNumberPicture(picture == nullptr ? "" : picture, x, Separators(), text);
    return udfzel::CopyToResult(text.c_str(), nullptr, 0);
  });
}
