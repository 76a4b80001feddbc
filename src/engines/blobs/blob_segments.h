// Moving bytes between a text and a blob in segments, whose lengths are
// 16-bit counts: the loops behind F_BlobToStr and F_StrToBlob, apart from
// how a segment is read or written.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace udfzel {

inline constexpr std::size_t kMaxSegment = 65535;

// Reads exactly `total` bytes into `dest` with read(buffer, ask) -> the
// count delivered. Never asks for 0 bytes and never lets a delivery run
// past what was asked. False when the blob delivers nothing before `total`
// bytes have arrived: a truncated blob is not a whole one.
template <class Read>
bool ReadSegments(unsigned char* dest, std::size_t total, Read read) {
  std::size_t offset = 0;
  while (offset < total) {
    const std::size_t ask = std::min(total - offset, kMaxSegment);
    const std::size_t delivered = std::min<std::size_t>(read(dest + offset, ask), ask);
    if (delivered == 0) return false;
    offset += delivered;
  }
  return true;
}

// Writes `length` bytes with write(buffer, count), in order, as segments of
// at most 65535 bytes; an empty text is one segment of length 0.
template <class Write>
void WriteSegments(const unsigned char* text, std::size_t length, Write write) {
  std::size_t offset = 0;
  do {
    const std::size_t count = std::min(length - offset, kMaxSegment);
    write(text + offset, count);
    offset += count;
  } while (offset < length);
}

}  // namespace udfzel
