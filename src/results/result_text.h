// The functions that build a new text, apart from where the text goes: the
// legacy entry points copy it into a result buffer from the server's
// allocator, the UDR face into its output message. Each writes into `text`
// and returns false for SQL NULL; a library error is an EConvertError.
#pragma once

#include <ibase.h>

#include <cstddef>
#include <stdexcept>

#include "frame/text_buffer.h"
#include "list/function_kinds.h"

namespace udfzel::result_text {

// Room for the largest declared text result and its zero byte.
inline constexpr std::size_t kCapacity = kTextSize + 1;

// A text longer than the result can take, where cutting it would lose data
// silently (a blob longer than the declared text).
class ResultTooLong : public std::length_error {
 public:
  ResultTooLong() : std::length_error("result longer than the declared text") {}
};

bool F_FormatMaskText(TextBuffer& text, const char* mask, const char* value);
bool F_FormatFloat(TextBuffer& text, const char* picture, const double* value);
bool F_Str(TextBuffer& text, const double* value, const ISC_LONG* width, const ISC_LONG* decimals);
bool F_StrZero(TextBuffer& text, const double* value, const ISC_LONG* width,
               const ISC_LONG* decimals);
bool F_FormatDateTime(TextBuffer& text, const char* picture, ISC_QUAD* date);
// Throws ResultTooLong when the blob is longer than the room left in `text`.
bool F_BlobToStr(TextBuffer& text, BLOBCALLBACK blob);

}  // namespace udfzel::result_text
