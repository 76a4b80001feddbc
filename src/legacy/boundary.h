// What every legacy entry point does at the boundary: the library's
// floating-point environment inside, the caller's restored on return; and
// for a new text, its placement in a ResultBuffer.
#pragma once

#include "frame/floating_point_scope.h"
#include "frame/udf_glob.h"
#include "results/result_text.h"

namespace udfzel {

// Runs an entry point's body, which keeps to the neutral-result rule
// itself, in the library's floating-point environment.
template <class Body>
auto AtBoundary(Body&& body) noexcept -> decltype(body()) {
  const FloatingPointScope scope;
  return body();
}

// The body of an entry point that returns a new text: `produce` writes the
// text (or returns false for SQL NULL) on the stack, and only the finished
// text is copied into the one result buffer. A library error gives SQL NULL.
template <class Produce>
char* NewTextResult(Produce&& produce) noexcept {
  return AtBoundary([&] {
    return GuardedCall([&]() -> char* {
      FixedText<results::kCapacity> text;
      if (!produce(text)) return nullptr;
      return CopyToResult(text.c_str(), nullptr, text.size() + 1);
    });
  });
}

}  // namespace udfzel
