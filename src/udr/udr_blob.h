// Blobs of the UDR face, handed to the blob functions as the server's blob
// record: the same functions, segment loops and rules serve both faces.
// Blobs are opened and created with the attachment and transaction of the
// call.
#pragma once

#include "udr/udr_status.h"

namespace udfzel::udr {

// The attachment and transaction of one call, released after it.
class CallConnection {
 public:
  CallConnection(Status* status, ::Firebird::IExternalContext* context);
  ~CallConnection();
  CallConnection(const CallConnection&) = delete;
  CallConnection& operator=(const CallConnection&) = delete;

  ::Firebird::IAttachment* attachment() const { return attachment_; }
  ::Firebird::ITransaction* transaction() const { return transaction_; }

 private:
  ::Firebird::IAttachment* attachment_ = nullptr;
  ::Firebird::ITransaction* transaction_ = nullptr;
};

// An input blob: its statistics come from the blob's info items, its
// segments from IBlob::getSegment. A failed read ends the blob early (as a
// cut-short blob does) and is raised after the call by ThrowIfFailed.
class BlobReader {
 public:
  BlobReader(Status* status, ::Firebird::IExternalContext* context, const ISC_QUAD& id);
  ~BlobReader();
  BlobReader(const BlobReader&) = delete;
  BlobReader& operator=(const BlobReader&) = delete;

  BLOBCALLBACK record() { return &record_; }
  void ThrowIfFailed();

 private:
  static short GetSegment(void* handle, ISC_UCHAR* buffer, ISC_USHORT size, ISC_USHORT* got);
  void ReadStatistics(Status* status);

  CallConnection connection_;
  ::Firebird::IStatus* readStatus_;
  ::Firebird::IBlob* blob_ = nullptr;
  blobcallback record_{};
};

// A new blob, written through the record's put callback; Finish closes it
// and gives its id for the result.
class BlobWriter {
 public:
  BlobWriter(Status* status, ::Firebird::IExternalContext* context);
  ~BlobWriter();
  BlobWriter(const BlobWriter&) = delete;
  BlobWriter& operator=(const BlobWriter&) = delete;

  BLOBCALLBACK record() { return &record_; }
  ISC_QUAD Finish(Status* status);

 private:
  static void PutSegment(void* handle, const ISC_UCHAR* buffer, ISC_USHORT size);

  CallConnection connection_;
  ::Firebird::IStatus* writeStatus_;
  ::Firebird::IBlob* blob_ = nullptr;
  ISC_QUAD id_{};
  blobcallback record_{};
};

}  // namespace udfzel::udr
