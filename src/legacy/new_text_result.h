// How the legacy face hands back a new text: in a ResultBuffer.
#pragma once

#include "frame/udf_glob.h"
#include "results/result_text.h"

namespace udfzel {

// The body of an entry point that returns a new text: `produce` writes the
// text (or returns false for SQL NULL) on the stack, and only the finished
// text is copied into the one result buffer. A library error gives SQL NULL.
template <class Produce>
char* NewTextResult(Produce&& produce) noexcept {
  return GuardedCall([&]() -> char* {
    FixedText<results::kCapacity> text;
    if (!produce(text)) return nullptr;
    return CopyToResult(text.c_str(), nullptr, text.size() + 1);
  });
}

}  // namespace udfzel
