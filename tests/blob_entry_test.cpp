// The blob entry points on a recording fake of the server's blob record.
#include <gtest/gtest.h>
#include <ib_util.h>
#include <ibase.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "udfzel_module.h"

namespace {

using udfzel_test::Entry;

// A blob to read in segments of at most `segment` bytes, or one to write;
// records every call.
struct FakeBlob {
  std::string content;
  std::size_t segment = 65535;
  std::size_t readAt = 0;
  bool stopEarlyAt = false;  // deliver nothing once `stopAt` bytes have gone
  std::size_t stopAt = 0;
  std::size_t overReport = 0;  // report this many bytes more than delivered
  std::vector<std::size_t> asked;
  std::vector<std::string> written;

  static short Get(void* handle, ISC_UCHAR* buffer, ISC_USHORT size, ISC_USHORT* length) {
    auto* self = static_cast<FakeBlob*>(handle);
    self->asked.push_back(size);
    std::size_t n =
        std::min<std::size_t>({size, self->segment, self->content.size() - self->readAt});
    if (self->stopEarlyAt && self->readAt >= self->stopAt) n = 0;
    std::memcpy(buffer, self->content.data() + self->readAt, n);
    self->readAt += n;
    *length = static_cast<ISC_USHORT>(n + self->overReport);
    return 0;
  }
  static void Put(void* handle, const ISC_UCHAR* buffer, ISC_USHORT length) {
    static_cast<FakeBlob*>(handle)->written.emplace_back(reinterpret_cast<const char*>(buffer),
                                                         length);
  }

  blobcallback Record(ISC_LONG total) {
    blobcallback record{};
    record.blob_get_segment = Get;
    record.blob_put_segment = Put;
    record.blob_handle = this;
    record.blob_total_length = total;
    record.blob_max_segment = static_cast<ISC_LONG>(segment);
    record.blob_number_segments = 7;
    return record;
  }
};

using StatFn = ISC_LONG(BLOBCALLBACK) noexcept;
using ToStrFn = char*(BLOBCALLBACK) noexcept;
using ToBlobFn = BLOBCALLBACK(char*, BLOBCALLBACK) noexcept;

std::string Read(FakeBlob& blob, ISC_LONG total, std::size_t* blockSize = nullptr) {
  blobcallback record = blob.Record(total);
  char* text = Entry<ToStrFn>("F_BlobToStr")(&record);
  if (text == nullptr) return "<null>";
  std::string bytes(text, static_cast<std::size_t>(total) + 1);
  if (blockSize != nullptr) *blockSize = bytes.size();
  std::free(text);
  return bytes;
}

TEST(BlobEntries, StatisticsAndNoBlob) {
  FakeBlob blob;
  blobcallback record = blob.Record(1234);
  EXPECT_EQ(Entry<StatFn>("F_BlobSize")(&record), 1234);
  EXPECT_EQ(Entry<StatFn>("F_BlobMaxSeg")(&record), 65535);
  EXPECT_EQ(Entry<StatFn>("F_BlobSegCount")(&record), 7);
  record.blob_total_length = -5;
  EXPECT_EQ(Entry<StatFn>("F_BlobSize")(&record), -5);  // passed on unchanged
  EXPECT_EQ(Entry<ToStrFn>("F_BlobToStr")(&record), nullptr);
  EXPECT_TRUE(blob.asked.empty());
  record.blob_handle = nullptr;
  for (const char* name : {"F_BlobSize", "F_BlobMaxSeg", "F_BlobSegCount"}) {
    EXPECT_EQ(Entry<StatFn>(name)(&record), 0) << name;
    EXPECT_EQ(Entry<StatFn>(name)(nullptr), 0) << name;
  }
  EXPECT_EQ(Entry<ToStrFn>("F_BlobToStr")(&record), nullptr);
  EXPECT_EQ(Entry<ToStrFn>("F_BlobToStr")(nullptr), nullptr);
  char text[] = "abc";
  EXPECT_EQ(Entry<ToBlobFn>("F_StrToBlob")(text, &record), &record);
  EXPECT_EQ(Entry<ToBlobFn>("F_StrToBlob")(text, nullptr), nullptr);
  EXPECT_TRUE(blob.written.empty());
}

TEST(BlobEntries, ReadingSegments) {
  struct Case {
    std::size_t size;
    std::size_t segment;
    std::vector<std::size_t> firstAsks;
  };
  const std::vector<Case> cases = {
      {3, 65535, {3}},
      {32765, 100, {32765, 32665}},  // the longest text result, in small
                                     // segments
      {32765, 65535, {32765}},
      {1000, 1, {1000, 999, 998}},
      {5000, 1024, {5000, 3976, 2952}},
  };
  for (const Case& c : cases) {
    FakeBlob blob;
    for (std::size_t i = 0; i < c.size; ++i) blob.content += static_cast<char>('a' + i % 26);
    blob.segment = c.segment;
    std::size_t block = 0;
    const std::string result = Read(blob, static_cast<ISC_LONG>(c.size), &block);
    EXPECT_EQ(block, c.size + 1);
    EXPECT_EQ(result, blob.content + '\0') << c.size;
    ASSERT_GE(blob.asked.size(), c.firstAsks.size());
    for (std::size_t i = 0; i < c.firstAsks.size(); ++i) EXPECT_EQ(blob.asked[i], c.firstAsks[i]);
    for (const std::size_t ask : blob.asked) EXPECT_GT(ask, 0u);
  }
}

// A blob longer than any text result (32,765 bytes) is NULL, never a part
// of it as if it were the whole: refused before a segment is read or a
// block allocated, whatever its length or segments (1 GiB claimed included).
TEST(BlobEntries, LongerThanAnyTextResultIsNullAndReadsNothing) {
  for (const std::size_t size : {32766u, 65535u, 65536u, 65537u, 70000u, 131060u, 1048576u}) {
    for (const std::size_t segment : {1u, 1024u, 65535u}) {
      FakeBlob blob;
      blob.content = std::string(size, 'q');
      blob.segment = segment;
      EXPECT_EQ(Read(blob, static_cast<ISC_LONG>(size)), "<null>") << size << "/" << segment;
      EXPECT_TRUE(blob.asked.empty()) << size;
    }
  }
  FakeBlob claims;
  claims.content = "short";
  EXPECT_EQ(Read(claims, 1 << 30), "<null>");
  EXPECT_TRUE(claims.asked.empty());
}

TEST(BlobEntries, EmptyBlobAndZeroBytesInside) {
  FakeBlob empty;
  EXPECT_EQ(Read(empty, 0), "<null>");
  EXPECT_TRUE(empty.asked.empty());
  FakeBlob binary;
  binary.content = std::string("a\0b\0", 4);
  EXPECT_EQ(Read(binary, 4), std::string("a\0b\0\0", 5));
}

}  // namespace

// The server's allocator library takes the allocation routine it should use
// through this export (not in its header); the test catches the blocks.
extern "C" void ib_util_init(void* (*allocate)(long));

namespace {

std::vector<void*> blocks;
void* PlainMalloc(long size) {
  return std::malloc(static_cast<std::size_t>(size));
}
void* Tracked(long size) {
  void* block = std::malloc(static_cast<std::size_t>(size));
  blocks.push_back(block);
  return block;
}

TEST(BlobEntries, ABlobCutShortGivesNull) {
  ib_util_init(Tracked);
  FakeBlob blob;
  blob.content = std::string(1000, 'x');
  blob.segment = 100;
  blob.stopEarlyAt = true;
  blob.stopAt = 300;
  EXPECT_EQ(Read(blob, 1000), "<null>");
  EXPECT_EQ(blob.asked.size(), 4u);  // three segments, then one that delivers nothing
  // Nothing is allocated for a blob that is not whole, nor for one too long.
  FakeBlob huge;
  huge.content = "x";
  EXPECT_EQ(Read(huge, 1 << 30), "<null>");
  ib_util_init(PlainMalloc);  // back to what the library does by default
  EXPECT_EQ(blocks.size(), 0u);
  for (void* block : blocks) std::free(block);
  blocks.clear();
  // A routine reporting more than it was asked for cannot push the reading
  // past the block.
  FakeBlob liar;
  liar.content = std::string(10, 'y');
  liar.overReport = 5000;
  EXPECT_EQ(Read(liar, 10), std::string(10, 'y') + '\0');
}

TEST(BlobEntries, WritingSegments) {
  struct Case {
    std::size_t size;
    std::vector<std::size_t> segments;
  };
  const std::vector<Case> cases = {
      {3, {3}}, {0, {0}}, {65535, {65535}}, {65536, {65535, 1}}, {140000, {65535, 65535, 8930}},
  };
  for (const Case& c : cases) {
    std::string text;
    for (std::size_t i = 0; i < c.size; ++i) text += static_cast<char>('A' + i % 26);
    FakeBlob blob;
    blobcallback record = blob.Record(0);
    EXPECT_EQ(Entry<ToBlobFn>("F_StrToBlob")(text.data(), &record), &record);
    ASSERT_EQ(blob.written.size(), c.segments.size()) << c.size;
    std::string joined;
    for (std::size_t i = 0; i < c.segments.size(); ++i) {
      EXPECT_EQ(blob.written[i].size(), c.segments[i]);
      joined += blob.written[i];
    }
    EXPECT_EQ(joined, text);
  }
}

// The record as the server lays it out in memory, byte by byte, not through
// this build's declaration of it: pointers of the platform's width and
// 32-bit counts in declaration order, each at its natural alignment. On a
// 32-bit server the fields lie at 0, 4, 8, 12, 16, 20 and 24; on a 64-bit
// one at 0, 8, 16, 20, 24, 32 and 40.
struct ServerRecordLayout {
  std::size_t getSegment, handle, numberSegments, maxSegment, totalLength, putSegment, lseek, size;
};
constexpr ServerRecordLayout kServerLayout = sizeof(void*) == 4
                                                 ? ServerRecordLayout{0, 4, 8, 12, 16, 20, 24, 28}
                                                 : ServerRecordLayout{0, 8, 16, 20, 24, 32, 40, 48};

template <class T>
void Place(unsigned char* raw, std::size_t offset, T value) {
  std::memcpy(raw + offset, &value, sizeof value);
}

TEST(BlobEntries, TheServersOwnRecordLayout) {
  FakeBlob blob;
  blob.content = std::string(30000, 'q');
  blob.segment = 100;
  alignas(8) unsigned char raw[48] = {};
  using GetFn = short (*)(void*, ISC_UCHAR*, ISC_USHORT, ISC_USHORT*);
  using PutFn = void (*)(void*, const ISC_UCHAR*, ISC_USHORT);
  Place<GetFn>(raw, kServerLayout.getSegment, &FakeBlob::Get);
  Place<void*>(raw, kServerLayout.handle, &blob);
  Place<ISC_LONG>(raw, kServerLayout.numberSegments, 700);
  Place<ISC_LONG>(raw, kServerLayout.maxSegment, 100);
  Place<ISC_LONG>(raw, kServerLayout.totalLength, 30000);
  Place<PutFn>(raw, kServerLayout.putSegment, &FakeBlob::Put);
  ASSERT_EQ(sizeof(blobcallback), kServerLayout.size);
  auto* record = reinterpret_cast<BLOBCALLBACK>(raw);

  EXPECT_EQ(Entry<StatFn>("F_BlobSegCount")(record), 700);
  EXPECT_EQ(Entry<StatFn>("F_BlobMaxSeg")(record), 100);
  EXPECT_EQ(Entry<StatFn>("F_BlobSize")(record), 30000);
  char* text = Entry<ToStrFn>("F_BlobToStr")(record);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::string(text, 30001), blob.content + '\0');
  std::free(text);
  ASSERT_FALSE(blob.asked.empty());
  EXPECT_EQ(blob.asked.front(), 30000u);
  EXPECT_EQ(blob.asked.size(), 300u);

  char abc[] = "abc";
  EXPECT_EQ(Entry<ToBlobFn>("F_StrToBlob")(abc, record), record);
  ASSERT_EQ(blob.written.size(), 1u);
  EXPECT_EQ(blob.written[0], "abc");
  // The unused seek routine's slot is the record's last word.
  EXPECT_EQ(kServerLayout.lseek + sizeof(void*), kServerLayout.size);
}

}  // namespace
