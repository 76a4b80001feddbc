// Result buffers and the rules every entry point keeps at the server boundary.
#pragma once

#include <cstddef>

#include "frame/export.h"

namespace udfzel {

// Places a finished text in a block the server will free (a ResultBuffer).
//   source  the text, or null
//   dest    a block to copy into, or null to obtain one from ib_util_malloc
//   count   bytes to copy including the terminating zero; 0 measures source
// Returns dest (or the new block); null only when the allocator has no block.
char* CopyToResult(const char* source, char* dest, std::size_t count) noexcept;

// Runs an entry point's body so that nothing but a value leaves it: the
// server calls us in its own threads, and a C++ exception crossing the C
// boundary would terminate the whole server. Any failure the body does not
// handle itself gives the neutral result: a null pointer or 0.
template <class Body>
auto GuardedCall(Body&& body) noexcept -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    return decltype(body()){};
  }
}

}  // namespace udfzel
