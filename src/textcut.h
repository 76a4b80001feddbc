// Measuring, trimming and cutting 8-bit texts. Pure computation on byte
// positions: the callers decide where zero bytes are written.
#pragma once

#include <cstddef>
#include <cstdint>

namespace udfzel::textcut {

// Blanks are the bytes 1 to 32: space and every control character. Bytes
// 128 to 255 are never blanks, whatever the code page.
constexpr bool IsBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 1 && byte <= 32;
}

// Number of blanks at the start of a zero-terminated text.
std::size_t LeadingBlankCount(const char* text);

// Length of the first `length` bytes once trailing blanks are cut off.
std::size_t LengthWithoutTrailingBlanks(const char* text, std::size_t length);

// A piece of a text: `length` bytes from byte offset `offset`.
struct Range {
  std::size_t offset;
  std::size_t length;
  bool operator==(const Range&) const = default;
};

// The bytes from 1-based position `start`, at most `count` of them. A start
// outside 1..length or a count below 1 gives the empty range at offset 0.
// Wide arguments, so start + count never overflows.
Range SubstringRange(std::size_t length, std::int64_t start, std::int64_t count);

// The last `count` bytes; empty when count < 1 or count > length.
Range RightRange(std::size_t length, std::int64_t count);

}  // namespace udfzel::textcut
