#include "legacy/blobfncs.h"

#include "legacy/boundary.h"
#include "results/blobs.h"

namespace results = udfzel::results;

ISC_LONG F_BlobMaxSeg(BLOBCALLBACK blob) noexcept {
  return udfzel::AtBoundary([&] { return results::F_BlobMaxSeg(blob); });
}
ISC_LONG F_BlobSegCount(BLOBCALLBACK blob) noexcept {
  return udfzel::AtBoundary([&] { return results::F_BlobSegCount(blob); });
}
ISC_LONG F_BlobSize(BLOBCALLBACK blob) noexcept {
  return udfzel::AtBoundary([&] { return results::F_BlobSize(blob); });
}

// The whole blob as a text, or NULL: a blob longer than any text result can
// be (32,765 bytes) is refused before anything is read or allocated (the
// server would take a longer result's length modulo 65,536 and hand back a
// part as if it were the whole), and one that ends before its total length
// leaves no result buffer behind. The text is read on the stack and copied
// into a buffer of exactly its size.
char* F_BlobToStr(BLOBCALLBACK blob) noexcept {
  return udfzel::NewTextResult(
      [&](udfzel::TextBuffer& text) { return results::F_BlobToStr(text, blob); });
}

BLOBCALLBACK F_StrToBlob(char* text, BLOBCALLBACK blob) noexcept {
  return udfzel::AtBoundary([&] { return results::F_StrToBlob(text, blob); });
}
