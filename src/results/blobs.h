// The blob functions as both faces call them, through the blob control
// record. A null record or a null blob handle gives 0, SQL NULL (false) or
// no write.
#pragma once

#include <ibase.h>

#include <cstddef>

#include "frame/text_buffer.h"

namespace udfzel::results {

bool HasBlob(BLOBCALLBACK blob) noexcept;

ISC_LONG F_BlobMaxSeg(BLOBCALLBACK blob) noexcept;
ISC_LONG F_BlobSegCount(BLOBCALLBACK blob) noexcept;
ISC_LONG F_BlobSize(BLOBCALLBACK blob) noexcept;
BLOBCALLBACK F_StrToBlob(char* text, BLOBCALLBACK blob) noexcept;

// Reads the whole blob into `dest`; false when it ends before `total` bytes.
bool ReadWholeBlob(BLOBCALLBACK blob, char* dest, std::size_t total);
// Throws ResultTooLong when the blob is longer than the room left in `text`.
bool F_BlobToStr(TextBuffer& text, BLOBCALLBACK blob);

}  // namespace udfzel::results
