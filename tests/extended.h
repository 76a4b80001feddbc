// A table value for the extended-precision engines: written as a double
// literal, as the server hands doubles over, and widened exactly, or given
// as an x87 extended literal (1e4000L) that no double can hold, taken over
// bit for bit into the library's extended type.
#pragma once

#include <cstring>

#include "engines/extended/extended.h"

namespace udfzel_test {

struct Extended {
  constexpr Extended(int x) : value(x) {}
  constexpr Extended(double x) : value(x) {}
  Extended(long double x) : value(FromX87(x)) {}
  operator udfzel::Extended() const { return value; }
  explicit operator double() const { return value.ToDouble(); }
  udfzel::Extended value;

 private:
  static udfzel::Extended FromX87(long double x) {
    unsigned char bytes[sizeof x];
    std::memcpy(bytes, &x, sizeof bytes);
    udfzel::ExtendedBits bits{};
    std::memcpy(&bits.significand, bytes, 8);
    const int top = bytes[8] | (bytes[9] << 8);
    bits.sign = (top & 0x8000) != 0;
    bits.exponentField = top & 0x7FFF;
    return udfzel::Extended::FromBits(bits);
  }
};

}  // namespace udfzel_test
