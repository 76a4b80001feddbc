// The blob functions as both faces call them, through the blob control
// record. A null record or a null blob handle gives 0, SQL NULL (false) or
// no write.
#pragma once

#include <ibase.h>

#include "frame/text_buffer.h"

namespace udfzel::results {

ISC_LONG F_BlobMaxSeg(BLOBCALLBACK blob) noexcept;
ISC_LONG F_BlobSegCount(BLOBCALLBACK blob) noexcept;
ISC_LONG F_BlobSize(BLOBCALLBACK blob) noexcept;
BLOBCALLBACK F_StrToBlob(char* text, BLOBCALLBACK blob) noexcept;

// Throws ResultTooLong when the blob is longer than the room left in `text`.
bool F_BlobToStr(TextBuffer& text, BLOBCALLBACK blob);

}  // namespace udfzel::results
