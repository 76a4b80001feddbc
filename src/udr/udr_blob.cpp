#include "udr/udr_blob.h"

#include <climits>
#include <cstdint>

namespace udfzel::udr {

namespace {

using ::Firebird::CheckStatusWrapper;
using ::Firebird::IStatus;

bool Failed(IStatus* status) {
  return (status->getState() & IStatus::STATE_ERRORS) != 0;
}

// A little-endian count of up to 8 bytes from an info buffer, clamped to
// the record's 32-bit fields.
ISC_LONG InfoValue(const unsigned char* bytes, unsigned length) {
  std::uint64_t value = 0;
  for (unsigned i = 0; i < length && i < 8; ++i) value |= std::uint64_t{bytes[i]} << (8 * i);
  return value > INT32_MAX ? INT32_MAX : static_cast<ISC_LONG>(value);
}

}  // namespace

CallConnection::CallConnection(Status* status, ::Firebird::IExternalContext* context) {
  attachment_ = context->getAttachment(status);
  try {
    transaction_ = context->getTransaction(status);
  } catch (...) {
    attachment_->release();
    throw;
  }
}

CallConnection::~CallConnection() {
  transaction_->release();
  attachment_->release();
}

BlobReader::BlobReader(Status* status, ::Firebird::IExternalContext* context, const ISC_QUAD& id)
    : connection_(status, context), readStatus_(context->getMaster()->getStatus()) {
  record_.blob_get_segment = &BlobReader::GetSegment;
  // The zero id is no blob: a NULL in the legacy-compatible mode, which the
  // blob functions see as the legacy face's null blob handle.
  if (id.gds_quad_high == 0 && id.gds_quad_low == 0) return;
  try {
    ISC_QUAD blobId = id;
    blob_ =
        connection_.attachment()->openBlob(status, connection_.transaction(), &blobId, 0, nullptr);
    ReadStatistics(status);
  } catch (...) {
    if (blob_ != nullptr) blob_->release();
    readStatus_->dispose();
    throw;
  }
  record_.blob_handle = this;
}

BlobReader::~BlobReader() {
  if (blob_ == nullptr) {  // no blob was opened
    readStatus_->dispose();
    return;
  }
  readStatus_->init();  // a failed read must not read as a failed close
  CheckStatusWrapper closing(readStatus_);
  blob_->close(&closing);
  if (Failed(readStatus_)) blob_->release();
  readStatus_->dispose();
}

void BlobReader::ReadStatistics(Status* status) {
  const unsigned char items[] = {isc_info_blob_num_segments, isc_info_blob_max_segment,
                                 isc_info_blob_total_length, isc_info_end};
  unsigned char info[64] = {};
  blob_->getInfo(status, sizeof items, items, sizeof info, info);
  for (unsigned at = 0; at + 3 <= sizeof info && info[at] != isc_info_end;) {
    const unsigned char item = info[at];
    const unsigned length = info[at + 1] | (unsigned{info[at + 2]} << 8);
    at += 3;
    if (at + length > sizeof info) break;
    const ISC_LONG value = InfoValue(info + at, length);
    if (item == isc_info_blob_num_segments) record_.blob_number_segments = value;
    if (item == isc_info_blob_max_segment) record_.blob_max_segment = value;
    if (item == isc_info_blob_total_length) record_.blob_total_length = value;
    at += length;
  }
}

short BlobReader::GetSegment(void* handle, ISC_UCHAR* buffer, ISC_USHORT size, ISC_USHORT* got) {
  auto* reader = static_cast<BlobReader*>(handle);
  *got = 0;
  if (Failed(reader->readStatus_)) return blb_got_eof;
  CheckStatusWrapper status(reader->readStatus_);
  unsigned length = 0;
  const int result = reader->blob_->getSegment(&status, size, buffer, &length);
  switch (result) {
    case IStatus::RESULT_OK:
      *got = static_cast<ISC_USHORT>(length);
      return blb_got_full_segment;
    case IStatus::RESULT_SEGMENT:
      *got = static_cast<ISC_USHORT>(length);
      return blb_got_fragment;
    default:
      return blb_got_eof;
  }
}

void BlobReader::ThrowIfFailed() {
  if (Failed(readStatus_)) throw ::Firebird::FbException(readStatus_);
}

BlobWriter::BlobWriter(Status* status, ::Firebird::IExternalContext* context)
    : connection_(status, context), writeStatus_(context->getMaster()->getStatus()) {
  try {
    blob_ =
        connection_.attachment()->createBlob(status, connection_.transaction(), &id_, 0, nullptr);
  } catch (...) {
    writeStatus_->dispose();
    throw;
  }
  record_.blob_put_segment = &BlobWriter::PutSegment;
  record_.blob_handle = this;
}

BlobWriter::~BlobWriter() {
  if (blob_ != nullptr) {
    writeStatus_->init();
    CheckStatusWrapper cancelling(writeStatus_);
    blob_->cancel(&cancelling);
    if (Failed(writeStatus_)) blob_->release();
  }
  writeStatus_->dispose();
}

void BlobWriter::PutSegment(void* handle, const ISC_UCHAR* buffer, ISC_USHORT size) {
  auto* writer = static_cast<BlobWriter*>(handle);
  if (Failed(writer->writeStatus_)) return;
  CheckStatusWrapper status(writer->writeStatus_);
  writer->blob_->putSegment(&status, size, buffer);
}

ISC_QUAD BlobWriter::Finish(Status* status) {
  if (Failed(writeStatus_)) throw ::Firebird::FbException(writeStatus_);
  blob_->close(status);
  blob_ = nullptr;
  return id_;
}

}  // namespace udfzel::udr
