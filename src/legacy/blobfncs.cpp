#include "legacy/blobfncs.h"

#include <cstring>

#include "engines/blobs/blob_segments.h"

using udfzel::GuardedCall;

namespace {

bool HasBlob(BLOBCALLBACK blob) { return blob != nullptr && blob->blob_handle != nullptr; }

}  // namespace

ISC_LONG F_BlobMaxSeg(BLOBCALLBACK blob) noexcept {
  return GuardedCall([&]() -> ISC_LONG { return HasBlob(blob) ? blob->blob_max_segment : 0; });
}

ISC_LONG F_BlobSegCount(BLOBCALLBACK blob) noexcept {
  return GuardedCall([&]() -> ISC_LONG { return HasBlob(blob) ? blob->blob_number_segments : 0; });
}

ISC_LONG F_BlobSize(BLOBCALLBACK blob) noexcept {
  return GuardedCall([&]() -> ISC_LONG { return HasBlob(blob) ? blob->blob_total_length : 0; });
}

namespace {

// Reads the whole blob into `dest`; false when it ends before its total length.
bool ReadWholeBlob(BLOBCALLBACK blob, char* dest, std::size_t total) {
  return udfzel::ReadSegments(
      reinterpret_cast<unsigned char*>(dest), total,
      [&](unsigned char* buffer, std::size_t ask) -> std::size_t {
        ISC_USHORT delivered = 0;
        blob->blob_get_segment(blob->blob_handle, buffer, static_cast<ISC_USHORT>(ask), &delivered);
        return delivered;
      });
}

}  // namespace

bool udfzel::result_text::F_BlobToStr(TextBuffer& text, BLOBCALLBACK blob) {
  if (!HasBlob(blob) || blob->blob_total_length <= 0) return false;
  const auto total = static_cast<std::size_t>(blob->blob_total_length);
  char* dest = text.Claim(total);
  if (dest == nullptr) throw ResultTooLong();
  return ReadWholeBlob(blob, dest, total);
}

// The legacy face reads straight into the result buffer, whatever the
// length: the server checks it against the declared result. A blob that ends
// before its total length gives NULL. Its block came from the server's
// allocator (ib_util_malloc), which has no release entry of its own: it is
// not handed back, and the server reclaims the blocks it gave out for
// external functions.
char* F_BlobToStr(BLOBCALLBACK blob) noexcept {
  return GuardedCall([&]() -> char* {
    if (!HasBlob(blob) || blob->blob_total_length <= 0) return nullptr;
    const auto total = static_cast<std::size_t>(blob->blob_total_length);
    char* text = udfzel::CopyToResult(nullptr, nullptr, total + 1);
    if (text == nullptr || !ReadWholeBlob(blob, text, total)) return nullptr;
    text[total] = '\0';
    return text;
  });
}

BLOBCALLBACK F_StrToBlob(char* text, BLOBCALLBACK blob) noexcept {
  return GuardedCall([&]() -> BLOBCALLBACK {
    if (!HasBlob(blob)) return blob;
    const char* bytes = text == nullptr ? "" : text;
    udfzel::WriteSegments(reinterpret_cast<const unsigned char*>(bytes), std::strlen(bytes),
                          [&](const unsigned char* segment, std::size_t count) {
                            blob->blob_put_segment(blob->blob_handle, segment,
                                                   static_cast<ISC_USHORT>(count));
                          });
    return blob;
  });
}
