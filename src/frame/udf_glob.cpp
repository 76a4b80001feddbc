#include "frame/udf_glob.h"

#include <ib_util.h>

#include <cstring>

namespace udfzel {

char* CopyToResult(const char* source, char* dest, std::size_t count) noexcept {
  if (dest == nullptr) {
    if (count == 0) count = (source == nullptr ? 0 : std::strlen(source)) + 1;
    dest = static_cast<char*>(ib_util_malloc(static_cast<long>(count)));
    // An exhausted allocator must not turn into a write through null.
    if (dest == nullptr) return nullptr;
  }
  if (source == dest) return dest;
  if (source == nullptr || count == 1) {
    dest[0] = '\0';
  } else {
    std::memcpy(dest, source, count);
  }
  return dest;
}

}  // namespace udfzel
