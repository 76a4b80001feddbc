// A table value for the extended-precision engines: written as a double
// literal, as the server hands doubles over, and widened exactly (the
// conversion says so, which -Wdouble-promotion asks for).
#pragma once

#include "engines/extended/extended.h"

namespace udfzel_test {

struct Extended {
  constexpr Extended(int x) : value(x) {}
  constexpr Extended(double x) : value(x) {}
  operator udfzel::Extended() const { return value; }
  explicit operator double() const { return value.ToDouble(); }
  udfzel::Extended value;
};

}  // namespace udfzel_test
