// Turns an arbitrary byte string into function arguments. The fuzzers decode
// their inputs with it, and the thread and in-server harnesses feed it
// pseudo-random bytes, so every harness draws from the same grammar.
#pragma once

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <limits>
#include <cstdint>
#include <cstring>
#include <string>

namespace udfzel_fuzz {

class InputDecoder {
 public:
  InputDecoder(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ == size_; }

  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

  // A zero-terminated text as the server passes it: a length byte (up to
  // maxLength), then that many bytes; a zero byte ends the text early.
  std::string Text(std::size_t maxLength = 255) {
    std::size_t length = Byte();
    if (length > maxLength) length %= maxLength + 1;
    std::string text;
    while (length-- > 0 && !Empty()) {
      const char c = static_cast<char>(Byte());
      if (c == '\0') break;
      text += c;
    }
    return text;
  }

  // Mostly the values that break arithmetic (extremes, 0, ±1, small counts),
  // otherwise four raw bytes covering the whole int32 range.
  std::int32_t Int32() {
    static constexpr std::int32_t kEdges[] = {INT32_MIN, INT32_MIN + 1, -65536, -100, -2, -1, 0, 1,
                                              2,         3,             7,      100,  65536,
                                              INT32_MAX - 1, INT32_MAX};
    const std::uint8_t selector = Byte();
    if (selector < 2 * std::size(kEdges)) return kEdges[selector % std::size(kEdges)];
    std::uint32_t raw = 0;
    for (int i = 0; i < 4; ++i) raw = (raw << 8) | Byte();
    std::int32_t value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
  }

  // Mostly doubles of every class and the values decimal conversion finds
  // hard (halves, powers of ten, extremes, NaN of either sign), otherwise
  // eight raw bytes: any bit pattern at all.
  double Double() {
    static const double kEdges[] = {
        0.0, -0.0, 1.0, -1.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.005, -0.005, 9.995, 1.005, 1234.5,
        1e15, 1e17, 1e18, 9223372036854775808.0, 123456789012345678.0, 1.0 / 3, 2.0 / 3,
        DBL_MAX, -DBL_MAX, DBL_MIN, 4.9406564584124654e-324, 1e-5, 0.0001, 999999999999999.9,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};
    const std::uint8_t selector = Byte();
    if (selector < 2 * std::size(kEdges)) return kEdges[selector % std::size(kEdges)];
    std::uint64_t raw = 0;
    for (int i = 0; i < 8; ++i) raw = (raw << 8) | Byte();
    double value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// The bytes that InputDecoder reads back as the given arguments, in order:
// for tests that need exact values (a text shorter than 256 bytes, any
// int32, any double, each by its raw form).
class InputEncoder {
 public:
  InputEncoder& Text(const std::string& text) {
    bytes_ += static_cast<char>(text.size());
    bytes_ += text;
    return *this;
  }
  InputEncoder& Byte(std::uint8_t value) {
    bytes_ += static_cast<char>(value);
    return *this;
  }
  InputEncoder& Int32(std::int32_t value) { return Raw(static_cast<std::uint32_t>(value), 4); }
  InputEncoder& Double(double value) {
    std::uint64_t raw = 0;
    std::memcpy(&raw, &value, sizeof raw);
    return Raw(raw, 8);
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  // A selector beyond every edge table, then the value, high byte first.
  InputEncoder& Raw(std::uint64_t value, int size) {
    bytes_ += static_cast<char>(0xFF);
    for (int i = size - 1; i >= 0; --i) bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
    return *this;
  }
  std::string bytes_;
};

// Deterministic pseudo-random bytes (splitmix64), for harnesses that need
// many decoded inputs without a fuzzer.
inline std::string PseudoRandomBytes(std::uint64_t seed, std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    seed += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = seed;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    bytes[i] = static_cast<char>((z ^ (z >> 31)) & 0xFF);
  }
  return bytes;
}

}  // namespace udfzel_fuzz
