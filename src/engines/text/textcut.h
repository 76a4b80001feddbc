// Measuring, trimming and cutting 8-bit texts. Pure computation on byte
// positions: the callers decide where zero bytes are written. Everything is
// inline: these run once per row and cost a few nanoseconds.
#pragma once

#include <algorithm>
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
constexpr std::size_t LeadingBlankCount(const char* text) {
  std::size_t n = 0;
  while (IsBlank(text[n])) ++n;  // the terminating zero is not a blank
  return n;
}

// Length of the first `length` bytes once trailing blanks are cut off.
constexpr std::size_t LengthWithoutTrailingBlanks(const char* text, std::size_t length) {
  while (length > 0 && IsBlank(text[length - 1])) --length;
  return length;
}

// A piece of a text: `length` bytes from byte offset `offset`.
struct Range {
  std::size_t offset;
  std::size_t length;
  bool operator==(const Range&) const = default;
};

// The bytes from 1-based position `start`, at most `count` of them. A start
// outside 1..length or a count below 1 gives the empty range at offset 0.
// Wide arguments, so start + count never overflows for int32 inputs.
constexpr Range SubstringRange(std::size_t length, std::int64_t start, std::int64_t count) {
  const auto size = static_cast<std::int64_t>(length);
  if (start < 1 || start > size || count < 1) return {0, 0};
  const std::int64_t remaining = size - start + 1;
  return {static_cast<std::size_t>(start - 1), static_cast<std::size_t>(std::min(count, remaining))};
}

// How much of a text SubstringRange needs to see: the range and whether a
// zero byte must follow it are the same for any length of at least
// start + count, so a text need not be measured past that.
constexpr std::size_t SubstringMeasureLimit(std::int64_t start, std::int64_t count) {
  if (start < 1 || count < 1) return 0;
  return static_cast<std::size_t>(start) + static_cast<std::size_t>(count);
}

// The last `count` bytes; empty when count < 1 or count > length. Total
// over every int64 count.
constexpr Range RightRange(std::size_t length, std::int64_t count) {
  if (count < 1 || static_cast<std::uint64_t>(count) > length) return {0, 0};
  const auto n = static_cast<std::size_t>(count);
  return {length - n, n};
}

}  // namespace udfzel::textcut
