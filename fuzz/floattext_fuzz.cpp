// Fuzzes decimal conversion and number pictures: a picture and a double of
// any class, the separators, and a text for the parser. Checks that the
// engines never fail but where they should, never overrun their buffer,
// keep the expansion's invariants, and that the general text parses back
// to the value within 15 significant digits.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engines/numbers/number_picture.h"
#include "frame/convert_error.h"
#include "input_decoder.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckExpansion(udfzel::Extended x, int precision, int decimals) {
  const udfzel::DecimalExpansion e = udfzel::ExpandDecimal(x, precision, decimals);
  const std::size_t n = e.DigitCount();
  Check(n <= 18);
  if (n > 0) Check(e.digits[0] != '0' && e.digits[n - 1] != '0');
  for (std::size_t i = 0; i < n; ++i) Check(e.digits[i] >= '0' && e.digits[i] <= '9');
  if (n == 0 && !e.IsSpecial()) Check(!e.negative);  // infinities keep their sign
}

void CheckGeneralRoundTrip(double x, char mark) {
  udfzel::FixedText<64> text;
  udfzel::FloatToGeneralText(x, mark, text);
  Check(!text.Truncated());
  if (!std::isfinite(x)) return;
  udfzel::Extended back;
  Check(udfzel::TryParseFloatText(text.view(), mark, back));
  if (x == 0) {
    Check(back == 0);
  } else {
    Check(std::fabs((back / udfzel::Extended(x)).ToDouble() - 1) < 1e-14);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  static constexpr udfzel::NumberSeparators kSeparators[] = {
      {'.', ','}, {',', '.'}, {'\0', ','}, {'.', '\0'}, {',', ' '}};
  const auto separators = kSeparators[in.Byte() % std::size(kSeparators)];
  const std::string picture = in.Text(300);
  const double x = in.Double();

  udfzel::FixedText<udfzel::kNumberPictureOutput> out;
  try {
    udfzel::FormatNumberPicture(picture, x, separators, out);
    Check(picture.size() <= 224);
    Check(!out.Truncated());
    Check(std::strlen(out.c_str()) == out.size());  // no zero byte inside the text
  } catch (const udfzel::EConvertError&) {
    Check(picture.size() > 224);
  }

  const int precision = in.Byte() % 20;  // in order, on every compiler
  CheckExpansion(x, precision, in.Int32() % 40);
  CheckGeneralRoundTrip(x, separators.decimalMark);

  const std::string text = in.Text();
  udfzel::Extended parsed;
  (void)udfzel::TryParseFloatText(text, separators.decimalMark, parsed);
  return 0;
}
