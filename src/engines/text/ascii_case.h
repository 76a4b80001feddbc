// ASCII-only case rules of the picture languages: their tokens are compared
// without regard to the case of a-z only, whatever the code page.
#pragma once

#include <cstddef>
#include <string_view>

namespace udfzel {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether `upperPattern` (upper case) begins at `at`, a-z read as A-Z.
constexpr bool StartsWithNoCase(std::string_view text, std::size_t at,
                                std::string_view upperPattern) {
  if (at > text.size() || text.size() - at < upperPattern.size()) return false;
  for (std::size_t i = 0; i < upperPattern.size(); ++i) {
    if (AsciiUpper(text[at + i]) != upperPattern[i]) return false;
  }
  return true;
}

}  // namespace udfzel
