// Fuzzes the segment loops behind the blob functions: blobs whose reads
// deliver drawn sequences of segment sizes (short, long, zero, more than
// asked), and texts written back in segments. Checks that the whole blob
// arrives or the read reports it cut short, that no read asks for 0 bytes
// or runs past the block (ASan), and that writes reassemble the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engines/blobs/blob_segments.h"
#include "input_decoder.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  const std::size_t total = static_cast<std::uint32_t>(in.Int32()) % 300000;
  std::vector<std::size_t> deliveries;
  for (int i = in.Byte() % 16; i > 0; --i) deliveries.push_back(static_cast<std::uint32_t>(in.Int32()) % 70000);
  if (deliveries.empty()) deliveries.push_back(1000);

  auto block = std::make_unique<unsigned char[]>(total + 1);
  std::size_t call = 0;
  std::size_t arrived = 0;
  const bool whole = udfzel::ReadSegments(block.get(), total, [&](unsigned char* buffer, std::size_t ask) {
    Check(ask > 0 && ask <= udfzel::kMaxSegment);
    Check(buffer + ask <= block.get() + total);
    const std::size_t report = deliveries[call++ % deliveries.size()];
    const std::size_t written = std::min(report, ask);
    std::memset(buffer, 'b', written);
    arrived += written;
    return report;  // may claim more than asked, or nothing
  });
  Check(whole == (arrived >= total));

  // One draw per statement: the same bytes on every compiler and CPU.
  std::string text = in.Text();
  text.append(static_cast<std::uint32_t>(in.Int32()) % 140000, 't');
  std::string joined;
  udfzel::WriteSegments(reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                        [&](const unsigned char* segment, std::size_t count) {
                          Check(count <= udfzel::kMaxSegment);
                          joined.append(reinterpret_cast<const char*>(segment), count);
                        });
  Check(joined == text);
  return 0;
}
