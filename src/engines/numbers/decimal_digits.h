// Integers as decimal digits: the one writer the number and date texts use
// for every integer they write (digit strings, exponents, date fields).
#pragma once

#include <cstdint>
#include <string_view>

#include "frame/text_buffer.h"

namespace udfzel {

// "00" to "99", so that digits go two at a time.
inline constexpr struct DigitPairs {
  char text[200];
  constexpr DigitPairs() : text() {
    for (int i = 0; i < 100; ++i) {
      text[2 * i] = static_cast<char>('0' + i / 10);
      text[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
} kDigitPairs;

// The low `count` decimal digits of v, most significant first, into
// out[0] .. out[count - 1]: zeros in front where v has fewer.
inline void WriteDigits(std::uint64_t v, int count, char* out) {
  int at = count;
  for (; at >= 2; at -= 2, v /= 100) {
    const auto pair = static_cast<std::size_t>(v % 100) * 2;
    out[at - 2] = kDigitPairs.text[pair];
    out[at - 1] = kDigitPairs.text[pair + 1];
  }
  if (at == 1) out[0] = static_cast<char>('0' + v % 10);
}

// How many digits v is written with (1 for 0).
inline int DigitCount(std::uint64_t v) {
  int count = 1;
  for (; v >= 10; v /= 10) ++count;
  return count;
}

// The decimal text of value, '-' first when it is negative, after as many
// zeros as make it `width` characters long, the sign counted.
inline void AppendDecimal(std::int64_t value, int width, TextBuffer& out) {
  const bool negative = value < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  char text[24];
  int length = 0;
  if (negative) text[length++] = '-';
  const int digits = DigitCount(magnitude);
  WriteDigits(magnitude, digits, text + length);
  length += digits;
  for (int pad = width - length; pad > 0; --pad) out.Put('0');
  out.Append(std::string_view(text, static_cast<std::size_t>(length)));
}

}  // namespace udfzel
