// The library's own conversion failure: text that is not a number, an
// over-long picture, an invalid time of day. Messages are the library's
// Portuguese texts, shown to SQL users by the UDR face.
#pragma once

#include <stdexcept>

namespace udfzel {

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace udfzel
