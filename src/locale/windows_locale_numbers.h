// The numbers the Windows locale services answer as text ("932" for a code
// page, "1" for a switch): decimal digits, the whole text, read from the
// item's buffer of a fixed length. Plain C++, so the rules are tested on
// every platform.
#pragma once

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace udfzel {

// A text item's buffer: 256 characters, terminator included; the code page
// item's 7.
inline constexpr std::size_t kWindowsTextItemLimit = 255;
inline constexpr std::size_t kWindowsCodePageItemLimit = 6;

// A decimal integer, an optional sign and the whole text; nothing for any
// other text or one longer than `limit`.
inline std::optional<int> WindowsLocaleNumber(std::u16string_view text, std::size_t limit) {
  if (text.size() > limit) return std::nullopt;
  std::string digits;
  for (const char16_t c : text) {
    if (c > 0x7F) return std::nullopt;
    digits += static_cast<char>(c);
  }
  const char* begin = digits.data();
  const char* end = begin + digits.size();
  if (begin != end && *begin == '+') ++begin;
  int value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end || begin == end) return std::nullopt;
  return value;
}

}  // namespace udfzel
