// An 8-bit code page as the platform converts it, and the few Unicode
// services that go with it: what the library's one writer of code-page text
// (code_page_text.h) is built on. ICU's converters and normalizers on Linux
// (icu_code_page.cpp); WideCharToMultiByte and NormalizeString on Windows
// (windows_code_page.cpp). Texts are UTF-16.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace udfzel {

class CodePage {
 public:
  // The code page a number names (0: the system's); null when the platform
  // has none of that number.
  static std::unique_ptr<CodePage> Open(int number);

  virtual ~CodePage() = default;

  // The text in the code page, every character as itself; nothing when one
  // has no byte sequence of its own.
  virtual std::optional<std::string> Exact(std::u16string_view text) const = 0;

  // One character as the code page's best fit for it, a near letter the
  // platform's tables name ("ș" as "s"); nothing when there is none.
  virtual std::optional<std::string> BestFit(std::u16string_view character) const = 0;

  // The character one byte stands for alone: nothing for a lead byte or a
  // byte the code page does not define.
  virtual std::optional<char16_t> CharacterOfByte(unsigned char byte) const = 0;
};

// The text composed (NFC) or decomposed (NFD); nothing when the platform
// refuses it.
std::optional<std::u16string> ComposedText(std::u16string_view text);
std::optional<std::u16string> DecomposedText(std::u16string_view text);

// Whether a UTF-16 unit is a combining mark that belongs to the character
// before it.
bool IsCombiningMark(char16_t unit);

// A character in the other case, by the platform's simple case mapping;
// the character itself where it has none.
char16_t LowerCaseOf(char16_t c);
char16_t UpperCaseOf(char16_t c);

}  // namespace udfzel
