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

// The legacy face reads straight into the result buffer, whatever the
// length: the server checks it against the declared result. A blob that ends
// before its total length gives NULL. Its block came from the server's
// allocator (ib_util_malloc), which has no release entry of its own: it is
// not handed back, and the server reclaims the blocks it gave out for
// external functions.
char* F_BlobToStr(BLOBCALLBACK blob) noexcept {
  return udfzel::AtBoundary([&] {
    return udfzel::GuardedCall([&]() -> char* {
      if (!results::HasBlob(blob) || blob->blob_total_length <= 0) return nullptr;
      const auto total = static_cast<std::size_t>(blob->blob_total_length);
      char* text = udfzel::CopyToResult(nullptr, nullptr, total + 1);
      if (text == nullptr || !results::ReadWholeBlob(blob, text, total)) return nullptr;
      text[total] = '\0';
      return text;
    });
  });
}

BLOBCALLBACK F_StrToBlob(char* text, BLOBCALLBACK blob) noexcept {
  return udfzel::AtBoundary([&] { return results::F_StrToBlob(text, blob); });
}
