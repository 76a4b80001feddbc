// A build without the client library: the server checks each layout when
// it sets a function up, and the module refuses one it does not read.
#include "udr_layouts.h"

namespace udfzel_fuzz {

LayoutCheck LayoutCheckOf(std::string_view) {
  return nullptr;
}

}  // namespace udfzel_fuzz
