// What every function that builds a new text shares, whichever face places
// the text: the room a result has, and the error for a text that does not
// fit it.
#pragma once

#include <cstddef>
#include <stdexcept>

#include "frame/text_buffer.h"
#include "list/function_kinds.h"

namespace udfzel::results {

// Room for the largest declared text result and its zero byte.
inline constexpr std::size_t kCapacity = kTextSize + 1;

// A text longer than the result can take, where cutting it would lose data
// silently (a blob longer than the declared text).
class ResultTooLong : public std::length_error {
 public:
  ResultTooLong() : std::length_error("result longer than the declared text") {}
};

// Appends an engine's finished text to a result: a part the engine had to
// cut, or one the result has no room for, is ResultTooLong (SQL NULL in the
// legacy face, the server's truncation error in the UDR face), never a
// shorter text than the function computes.
inline void AppendWhole(TextBuffer& result, const TextBuffer& part) {
  if (part.Truncated()) throw ResultTooLong();
  result.Append(part.view());
  if (result.Truncated()) throw ResultTooLong();
}

}  // namespace udfzel::results
