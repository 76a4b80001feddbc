// Blob entry points, through the server's blob control record. A null
// record or a null blob handle gives 0, a null pointer, or no write.
#pragma once

#include <ibase.h>

#include "frame/udf_glob.h"

UDFZEL_EXPORT ISC_LONG F_BlobMaxSeg(BLOBCALLBACK blob) noexcept;
UDFZEL_EXPORT ISC_LONG F_BlobSegCount(BLOBCALLBACK blob) noexcept;
UDFZEL_EXPORT ISC_LONG F_BlobSize(BLOBCALLBACK blob) noexcept;
UDFZEL_EXPORT char* F_BlobToStr(BLOBCALLBACK blob) noexcept;
UDFZEL_EXPORT BLOBCALLBACK F_StrToBlob(char* text, BLOBCALLBACK blob) noexcept;
