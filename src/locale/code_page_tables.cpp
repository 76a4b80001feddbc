#include "locale/code_page_tables.h"

#include <optional>
#include <string>

#include "records/locale_formats.h"

namespace udfzel {
namespace {

// The one byte of the code page that is exactly c, if there is one.
std::optional<char> OneByteOf(const CodePage& codePage, char16_t c) {
  const std::optional<std::string> written = codePage.Exact(std::u16string_view(&c, 1));
  if (!written || written->size() != 1) return std::nullopt;
  return (*written)[0];
}

std::optional<char> PlainCapitalOf(char16_t c) {
  const std::optional<std::u16string> parts = DecomposedText(std::u16string_view(&c, 1));
  if (!parts || parts->size() < 2) return std::nullopt;
  const char16_t base = (*parts)[0];
  if (base >= u'a' && base <= u'z') return static_cast<char>(base - u'a' + u'A');
  if (base >= u'A' && base <= u'Z') return static_cast<char>(base);
  return std::nullopt;
}

}  // namespace

void FillCaseTables(const CodePage& codePage, std::array<char, 256>& lower,
                    std::array<char, 256>& upper) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::optional<char16_t> c = codePage.CharacterOfByte(static_cast<unsigned char>(byte));
    if (!c) continue;
    const auto index = static_cast<std::size_t>(byte);
    if (const auto mapped = OneByteOf(codePage, LowerCaseOf(*c))) lower[index] = *mapped;
    if (const auto mapped = OneByteOf(codePage, UpperCaseOf(*c))) upper[index] = *mapped;
  }
}

void FillAccentFold(const CodePage& codePage, std::array<char, 256>& fold) {
  fold = LocaleFormats::IdentityTable();
  for (int byte = 0x80; byte < 256; ++byte) {
    const std::optional<char16_t> c = codePage.CharacterOfByte(static_cast<unsigned char>(byte));
    if (!c) continue;
    if (const auto plain = PlainCapitalOf(*c)) fold[static_cast<std::size_t>(byte)] = *plain;
  }
}

}  // namespace udfzel
