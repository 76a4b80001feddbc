// The code page seam on Windows: WideCharToMultiByte without best fits for
// the exact writing and with them for the best fit, substitutes detected
// (or, for the code pages that cannot report them, a conversion back);
// NormalizeString and the character types for the Unicode services.
#include <windows.h>

#include "locale/code_page.h"
#include "locale/windows_code_page.h"

namespace udfzel {
namespace {

// Code pages whose conversions take no flags at all (UTF-7, the ISO-2022
// and ISCII families, Symbol), and those that take only the
// invalid-character one (UTF-8, GB18030). Neither reports substitutes
// through lpUsedDefaultChar, so their texts are checked by converting back.
bool TakesNoConversionFlags(UINT codePage) {
  return codePage == CP_UTF7 || codePage == 42 || (codePage >= 50220 && codePage <= 50229) ||
         (codePage >= 57002 && codePage <= 57011);
}

bool TakesOnlyInvalidCharFlag(UINT codePage) {
  return codePage == CP_UTF8 || codePage == 54936;
}

bool ReportsSubstitutes(UINT codePage) {
  return !TakesNoConversionFlags(codePage) && !TakesOnlyInvalidCharFlag(codePage);
}

// How strictly a character must be written: as itself only, or also as
// the code page's best-fit character for it.
enum class Fit { Exact, BestFit };

// The conversion of a code page that cannot report substitutes: kept only
// when it converts back to the text itself.
std::optional<std::string> EncodeCheckedByRoundTrip(UINT codePage, std::wstring_view text) {
  const DWORD flags = TakesOnlyInvalidCharFlag(codePage) ? WC_ERR_INVALID_CHARS : 0;
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string out(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), size, nullptr,
                          nullptr) != size) {
    return std::nullopt;
  }
  const std::optional<std::wstring> back = Decode(codePage, out, true);
  if (!back || *back != text) return std::nullopt;
  return out;
}

// UTF-16 text in the code page, or nothing when a character would become
// the code page's substitute byte.
std::optional<std::string> Encode(UINT codePage, std::wstring_view text, Fit fit) {
  if (text.empty()) return std::string();
  if (text.size() > kLongestWindowsText) return std::nullopt;
  if (!ReportsSubstitutes(codePage)) return EncodeCheckedByRoundTrip(codePage, text);
  const DWORD flags = fit == Fit::Exact ? WC_NO_BEST_FIT_CHARS : 0;
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string out(static_cast<std::size_t>(size), '\0');
  BOOL usedSubstitute = FALSE;
  if (WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), size, nullptr,
                          &usedSubstitute) != size ||
      usedSubstitute) {
    return std::nullopt;
  }
  return out;
}

// The text in a Unicode normalization form; nothing when Windows refuses
// it (an unassigned or malformed character).
std::optional<std::wstring> Normalized(NORM_FORM form, std::wstring_view text) {
  if (text.empty()) return std::wstring();
  if (text.size() > kLongestWindowsText) return std::nullopt;
  const int length = static_cast<int>(text.size());
  int size = NormalizeString(form, text.data(), length, nullptr, 0);
  // The first size is an estimate: Windows asks for more, as a negative
  // count, when it was short.
  for (int attempt = 0; attempt < 4 && size > 0; ++attempt) {
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    const int written = NormalizeString(form, text.data(), length, out.data(), size);
    if (written > 0) {
      out.resize(static_cast<std::size_t>(written));
      return out;
    }
    if (written == 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    size = -written;
  }
  return std::nullopt;
}

class WindowsCodePage : public CodePage {
 public:
  explicit WindowsCodePage(UINT number) : number_(number) {}

  std::optional<std::string> Exact(std::u16string_view text) const override {
    return Encode(number_, Wide(text), Fit::Exact);
  }
  std::optional<std::string> BestFit(std::u16string_view character) const override {
    return Encode(number_, Wide(character), Fit::BestFit);
  }
  std::optional<char16_t> CharacterOfByte(unsigned char byte) const override {
    if (IsDBCSLeadByteEx(number_, byte)) return std::nullopt;
    const char text = static_cast<char>(byte);
    wchar_t units[2] = {};
    if (MultiByteToWideChar(number_, StrictDecodeFlags(number_), &text, 1, units, 2) != 1) {
      return std::nullopt;
    }
    return static_cast<char16_t>(units[0]);
  }

 private:
  static std::wstring_view Wide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
  }

  UINT number_;
};

std::optional<std::u16string> Normalized16(NORM_FORM form, std::u16string_view text) {
  const std::optional<std::wstring> out = Normalized(
      form, std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
  if (!out) return std::nullopt;
  return std::u16string(reinterpret_cast<const char16_t*>(out->data()), out->size());
}

}  // namespace

DWORD StrictDecodeFlags(UINT codePage) {
  return TakesNoConversionFlags(codePage) ? 0 : MB_ERR_INVALID_CHARS;
}

std::optional<UINT> UsableCodePage(int codePage) {
  if (codePage < 0) return std::nullopt;
  const UINT number = codePage == 0 ? GetACP() : static_cast<UINT>(codePage);
  if (!IsValidCodePage(number)) return std::nullopt;
  return number;
}

std::optional<std::wstring> Decode(UINT codePage, std::string_view text, bool strict) {
  if (text.empty()) return std::wstring();
  if (text.size() > kLongestWindowsText) return std::nullopt;
  const DWORD flags = strict ? StrictDecodeFlags(codePage) : 0;
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  if (MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), size) != size) {
    return std::nullopt;
  }
  return wide;
}

std::unique_ptr<CodePage> CodePage::Open(int number) {
  const std::optional<UINT> usable = UsableCodePage(number);
  if (!usable) return nullptr;
  return std::make_unique<WindowsCodePage>(*usable);
}

std::optional<std::u16string> ComposedText(std::u16string_view text) {
  return Normalized16(NormalizationC, text);
}

std::optional<std::u16string> DecomposedText(std::u16string_view text) {
  return Normalized16(NormalizationD, text);
}

char16_t LowerCaseOf(char16_t c) {
  auto unit = static_cast<wchar_t>(c);
  CharLowerBuffW(&unit, 1);
  return static_cast<char16_t>(unit);
}

char16_t UpperCaseOf(char16_t c) {
  auto unit = static_cast<wchar_t>(c);
  CharUpperBuffW(&unit, 1);
  return static_cast<char16_t>(unit);
}

bool IsCombiningMark(char16_t unit) {
  WORD type = 0;
  const auto c = static_cast<wchar_t>(unit);
  return GetStringTypeW(CT_CTYPE3, &c, 1, &type) != 0 && (type & C3_NONSPACING) != 0;
}

}  // namespace udfzel
