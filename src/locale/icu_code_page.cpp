// The code page seam on ICU: a converter of the Windows code page's number,
// its substitutes switched off both ways, and its fallback mappings for
// the best fits.
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unorm2.h>

#include <string>

#include "locale/icu_code_page.h"

namespace udfzel {
namespace {

// Texts are normalized into this many UTF-16 units at most; every item the
// library reads is far shorter.
constexpr int32_t kLongestText = 512;

}  // namespace

IcuConverter OpenIcuConverter(int number, bool strict) {
  const std::string digits = std::to_string(number);
  for (const std::string& name : {"windows-" + digits, "cp" + digits, "ibm-" + digits}) {
    UErrorCode status = U_ZERO_ERROR;
    IcuConverter converter(ucnv_open(name.c_str(), &status));
    if (U_FAILURE(status) || !converter) continue;
    if (!strict) return converter;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
  }
  return nullptr;
}

namespace {

// One text through a converter, or nothing: no substitute is written.
std::optional<std::string> Convert(UConverter* converter, std::u16string_view text) {
  std::string out(text.size() * 4 + 4, '\0');
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetFromUnicode(converter);
  const int32_t written = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                          reinterpret_cast<const UChar*>(text.data()),
                                          static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return std::nullopt;
  out.resize(static_cast<std::size_t>(written));
  return out;
}

class IcuCodePage : public CodePage {
 public:
  IcuCodePage(IcuConverter exact, IcuConverter bestFit)
      : exact_(std::move(exact)), bestFit_(std::move(bestFit)) {}

  std::optional<std::string> Exact(std::u16string_view text) const override {
    return Convert(exact_.get(), text);
  }
  std::optional<std::string> BestFit(std::u16string_view character) const override {
    return Convert(bestFit_.get(), character);
  }
  std::optional<char16_t> CharacterOfByte(unsigned char byte) const override {
    const char in = static_cast<char>(byte);
    UChar text[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(exact_.get());
    const int32_t length = ucnv_toUChars(exact_.get(), text, 4, &in, 1, &status);
    if (U_FAILURE(status) || length != 1) return std::nullopt;  // a lead byte, or undefined
    return static_cast<char16_t>(text[0]);
  }

 private:
  IcuConverter exact_;
  IcuConverter bestFit_;
};

std::optional<std::u16string> Normalized(const UNormalizer2* form, UErrorCode status,
                                         std::u16string_view text) {
  if (U_FAILURE(status) || text.size() > 65536) return std::nullopt;
  UChar out[kLongestText];
  const int32_t length =
      unorm2_normalize(form, reinterpret_cast<const UChar*>(text.data()),
                       static_cast<int32_t>(text.size()), out, kLongestText, &status);
  if (U_FAILURE(status)) return std::nullopt;
  return std::u16string(reinterpret_cast<const char16_t*>(out), static_cast<std::size_t>(length));
}

}  // namespace

std::unique_ptr<CodePage> CodePage::Open(int number) {
  IcuConverter exact = OpenIcuConverter(number, true);
  IcuConverter bestFit = OpenIcuConverter(number, true);
  if (!exact || !bestFit) return nullptr;
  ucnv_setFallback(bestFit.get(), true);
  return std::make_unique<IcuCodePage>(std::move(exact), std::move(bestFit));
}

std::optional<std::u16string> ComposedText(std::u16string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
  return Normalized(nfc, status, text);
}

std::optional<std::u16string> DecomposedText(std::u16string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
  return Normalized(nfd, status, text);
}

bool IsCombiningMark(char16_t unit) {
  return u_getCombiningClass(static_cast<UChar32>(unit)) != 0;
}

char16_t LowerCaseOf(char16_t c) {
  return static_cast<char16_t>(u_tolower(static_cast<UChar32>(c)));
}

char16_t UpperCaseOf(char16_t c) {
  return static_cast<char16_t>(u_toupper(static_cast<UChar32>(c)));
}

}  // namespace udfzel
