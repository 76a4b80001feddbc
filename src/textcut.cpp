#include "textcut.h"

#include <algorithm>

namespace udfzel::textcut {

std::size_t LeadingBlankCount(const char* text) {
  std::size_t n = 0;
  while (IsBlank(text[n])) ++n;  // the terminating zero is not a blank
  return n;
}

std::size_t LengthWithoutTrailingBlanks(const char* text, std::size_t length) {
  while (length > 0 && IsBlank(text[length - 1])) --length;
  return length;
}

Range SubstringRange(std::size_t length, std::int64_t start, std::int64_t count) {
  const auto size = static_cast<std::int64_t>(length);
  if (start < 1 || start > size || count < 1) return {0, 0};
  const std::int64_t remaining = size - start + 1;
  return {static_cast<std::size_t>(start - 1), static_cast<std::size_t>(std::min(count, remaining))};
}

Range RightRange(std::size_t length, std::int64_t count) {
  return SubstringRange(length, static_cast<std::int64_t>(length) - count + 1, count);
}

}  // namespace udfzel::textcut
