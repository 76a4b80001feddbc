// Fuzzes edit masks and the case rewrites: masks and values of any bytes
// under a single-byte and a two-byte locale. Checks that the work area is
// never exceeded, that align mode gives exactly the mask's output length,
// and that the case rewrites keep the length and leave two-byte
// characters whole.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engines/text/MaskUtils.h"
#include "input_decoder.h"
#include "locale/load_locale_formats.h"
#include "scripted_locale_source.h"
#include "engines/text/text_case.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

udfzel::LocaleFormats Locale(bool twoByte, char dateDelimiter) {
  udfzel::LocaleFormats f = udfzel::LoadLocaleFormats(udfzel_test::ScriptedSource{});
  f.DateDelimiter = dateDelimiter;
  if (twoByte) {
    f.MultiByteLocale = true;
    for (int b = 0x81; b <= 0x9F; ++b) f.LeadByteSet.set(static_cast<std::size_t>(b));
  }
  return f;
}

std::size_t OutputPositions(const std::string& mask, const udfzel::LocaleFormats& f) {
  std::size_t count = 0;
  for (std::size_t p = 1; p <= mask.size(); ++p) {
    const auto c = udfzel::ClassifyMaskChar(mask, p, f);
    count += c != udfzel::MaskCharClass::Directive && c != udfzel::MaskCharClass::SectionSeparator &&
             c != udfzel::MaskCharClass::SectionValue;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  const std::uint8_t options = in.Byte();
  const udfzel::LocaleFormats f = Locale((options & 1) != 0, (options & 2) != 0 ? '\0' : '/');
  const std::string mask = in.Text();
  const std::string value = in.Text();

  std::string work(udfzel::EditMaskWorkSize(mask, value), '\0');
  udfzel::TextBuffer out(work.data(), work.size());
  udfzel::ApplyEditMask(mask, value, f, out);
  Check(!out.Truncated());
  if (udfzel::MaskSavesLiterals(mask, f)) Check(out.size() == OutputPositions(mask, f));
  Check(std::string(out.c_str()).size() == out.size());  // no zero byte inside

  std::string proper = value;
  udfzel::ProperCaseInPlace(proper.data(), proper.size(), f);
  std::string folded = value;
  udfzel::FoldAccentsUpperInPlace(folded.data(), folded.size(), f);
  Check(proper.size() == value.size() && folded.size() == value.size());
  if (f.MultiByteLocale) {
    for (std::size_t i = 0; i < value.size(); ++i) {
      if (f.IsLeadByte(value[i])) {
        Check(proper[i] == value[i] && folded[i] == value[i]);
        if (i + 1 < value.size()) Check(proper[i + 1] == value[i + 1] && folded[i + 1] == value[i + 1]);
        ++i;
      }
    }
  }
  return 0;
}
