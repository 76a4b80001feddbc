#include "results/blobs.h"

#include <cstring>

#include "engines/blobs/blob_segments.h"
#include "frame/udf_glob.h"
#include "results/result_text.h"

namespace udfzel::results {

namespace {

bool HasBlob(BLOBCALLBACK blob) {
  return blob != nullptr && blob->blob_handle != nullptr;
}

// Reads the whole blob into `dest`; false when it ends before `total` bytes.
bool ReadWholeBlob(BLOBCALLBACK blob, char* dest, std::size_t total) {
  return ReadSegments(reinterpret_cast<unsigned char*>(dest), total,
                      [&](unsigned char* buffer, std::size_t ask) -> std::size_t {
                        ISC_USHORT delivered = 0;
                        blob->blob_get_segment(blob->blob_handle, buffer,
                                               static_cast<ISC_USHORT>(ask), &delivered);
                        return delivered;
                      });
}

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

// The length is compared with the room in `text` before a byte is read.
bool F_BlobToStr(TextBuffer& text, BLOBCALLBACK blob) {
  if (!HasBlob(blob) || blob->blob_total_length <= 0) return false;
  const auto total = static_cast<std::size_t>(blob->blob_total_length);
  char* dest = text.Claim(total);
  if (dest == nullptr) throw ResultTooLong();
  return ReadWholeBlob(blob, dest, total);
}

BLOBCALLBACK F_StrToBlob(char* text, BLOBCALLBACK blob) noexcept {
  return GuardedCall([&]() -> BLOBCALLBACK {
    if (!HasBlob(blob)) return blob;
    const char* bytes = text == nullptr ? "" : text;
    WriteSegments(reinterpret_cast<const unsigned char*>(bytes), std::strlen(bytes),
                  [&](const unsigned char* segment, std::size_t count) {
                    blob->blob_put_segment(blob->blob_handle, segment,
                                           static_cast<ISC_USHORT>(count));
                  });
    return blob;
  });
}

}  // namespace udfzel::results
