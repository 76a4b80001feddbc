// A table value for the extended-precision engines: written as a double
// literal, as the server hands doubles over, and widened exactly (the
// conversion says so, which -Wdouble-promotion asks for), or given as an
// extended literal (1e4000L) that no double can hold.
#pragma once

namespace udfzel_test {

struct Extended {
  constexpr Extended(int x) : value(x) {}
  constexpr Extended(double x) : value(static_cast<long double>(x)) {}
  constexpr Extended(long double x) : value(x) {}
  constexpr operator long double() const { return value; }
  long double value;
};

}  // namespace udfzel_test
