#include "entry_calls.h"

#include <ibase.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "udfzel_module.h"

namespace udfzel_test {
namespace {

thread_local CallObserver* observer = nullptr;

// Calls the entry point `name` with `args`, between the observer's hooks.
template <class Fn, class... Args>
auto Call(const char* name, Args... args) {
  Fn* fn = Entry<Fn>(name);
  if (observer != nullptr) observer->Before();
  auto result = fn(args...);
  if (observer != nullptr) observer->After();
  return result;
}

// An exact-size heap copy of the text, as the server's argument buffer.
struct ArgBuffer {
  explicit ArgBuffer(const std::string& text)
      : size(text.size() + 1), bytes(std::make_unique<char[]>(size)) {
    text.copy(bytes.get(), text.size());
    bytes[text.size()] = '\0';
  }
  std::string Dump() const { return std::string(bytes.get(), size); }
  std::size_t size;
  std::unique_ptr<char[]> bytes;
};

// Result text, where it points, and the whole buffer afterwards.
std::string RenderInPlace(const ArgBuffer& buffer, const char* result) {
  if (result == nullptr) return "null|" + buffer.Dump();
  return std::string(result) + "|" + std::to_string(result - buffer.bytes.get()) + "|" +
         buffer.Dump();
}

template <const char* Name>
std::string TextOnly(udfzel_fuzz::InputDecoder& in) {
  ArgBuffer buffer(in.Text());
  return RenderInPlace(buffer, Call<char*(char*) noexcept>(Name, buffer.bytes.get()));
}

template <const char* Name>
std::string TextCount(udfzel_fuzz::InputDecoder& in) {
  ArgBuffer buffer(in.Text());
  const ISC_LONG count = in.Int32();
  return RenderInPlace(
      buffer, Call<char*(char*, const ISC_LONG*) noexcept>(Name, buffer.bytes.get(), &count));
}

std::string SubStr(udfzel_fuzz::InputDecoder& in) {
  ArgBuffer buffer(in.Text());
  const ISC_LONG start = in.Int32();
  const ISC_LONG count = in.Int32();
  using Fn = char*(char*, const ISC_LONG*, const ISC_LONG*) noexcept;
  return RenderInPlace(buffer, Call<Fn>("F_SubStr", buffer.bytes.get(), &start, &count));
}

std::string StrLen(udfzel_fuzz::InputDecoder& in) {
  ArgBuffer buffer(in.Text());
  return std::to_string(Call<ISC_LONG(char*) noexcept>("F_StrLen", buffer.bytes.get()));
}

// A new text: its length, ':', the text; "null" for none. The buffer is
// the server's to free.
std::string RenderNewText(char* result) {
  if (result == nullptr) return "null";
  std::string text = std::to_string(std::strlen(result)) + ":" + result;
  std::free(result);
  return text;
}

std::string FormatFloat(udfzel_fuzz::InputDecoder& in) {
  const std::string picture = in.Text(300);
  const double value = in.Double();
  using Fn = char*(const char*, const double*) noexcept;
  return RenderNewText(Call<Fn>("F_FormatFloat", picture.c_str(), &value));
}

// A double by its bit pattern, so equal renderings mean identical results.
std::string RenderDouble(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return std::to_string(bits);
}

template <const char* Name>
std::string Int32Pair(udfzel_fuzz::InputDecoder& in) {
  const ISC_LONG a = in.Int32();
  const ISC_LONG b = in.Int32();
  return std::to_string(Call<ISC_LONG(const ISC_LONG*, const ISC_LONG*) noexcept>(Name, &a, &b));
}

// Int64 operands: two int32 draws side by side, so the edges of both halves
// (and 0) come up often.
ISC_INT64 DrawInt64(udfzel_fuzz::InputDecoder& in) {
  const auto high = static_cast<std::uint64_t>(static_cast<std::uint32_t>(in.Int32()));
  const auto low = static_cast<std::uint64_t>(static_cast<std::uint32_t>(in.Int32()));
  return static_cast<ISC_INT64>((high << 32) | low);
}

template <const char* Name>
std::string Int64Pair(udfzel_fuzz::InputDecoder& in) {
  const ISC_INT64 a = DrawInt64(in);
  const ISC_INT64 b = DrawInt64(in);
  using Fn = ISC_INT64(const ISC_INT64*, const ISC_INT64*) noexcept;
  return std::to_string(Call<Fn>(Name, &a, &b));
}

std::string DivNum(udfzel_fuzz::InputDecoder& in) {
  const double a = in.Double();
  const double b = in.Double();
  return RenderDouble(Call<double(const double*, const double*) noexcept>("F_DivNum", &a, &b));
}

std::string Trunc(udfzel_fuzz::InputDecoder& in) {
  const double x = in.Double();
  return std::to_string(Call<ISC_INT64(const double*) noexcept>("F_Trunc", &x));
}

template <const char* Name>
std::string DoubleCount(udfzel_fuzz::InputDecoder& in) {
  const double x = in.Double();
  const ISC_LONG d = in.Int32() % 64;  // the interesting counts, and some beyond
  return RenderDouble(Call<double(const double*, const ISC_LONG*) noexcept>(Name, &x, &d));
}

template <const char* Name>
std::string FixedWidthText(udfzel_fuzz::InputDecoder& in) {
  const double x = in.Double();
  const ISC_LONG width = in.Int32();
  const ISC_LONG decimals = in.Int32();
  using Fn = char*(const double*, const ISC_LONG*, const ISC_LONG*) noexcept;
  return RenderNewText(Call<Fn>(Name, &x, &width, &decimals));
}

// A date record: a day number around the server's range or anywhere, and a
// time word (valid or not).
ISC_QUAD DrawRecord(udfzel_fuzz::InputDecoder& in) {
  ISC_TIMESTAMP stamp;
  const std::int32_t day = in.Int32();
  stamp.timestamp_date = (in.Byte() & 1) != 0 ? day : day % 3000000;  // mostly 1 to 9999 AD
  stamp.timestamp_time = static_cast<ISC_TIME>(in.Int32());
  ISC_QUAD quad;
  std::memcpy(&quad, &stamp, sizeof quad);
  return quad;
}

std::string RenderRecord(const ISC_QUAD* quad) {
  if (quad == nullptr) return "null";
  ISC_TIMESTAMP stamp;
  std::memcpy(&stamp, quad, sizeof stamp);
  return std::to_string(stamp.timestamp_date) + "/" + std::to_string(stamp.timestamp_time);
}

std::string FormatDateTime(udfzel_fuzz::InputDecoder& in) {
  const std::string picture = in.Text(300);
  ISC_QUAD date = DrawRecord(in);
  using Fn = char*(const char*, ISC_QUAD*) noexcept;
  return RenderNewText(Call<Fn>("F_FormatDateTime", picture.c_str(), &date)) + "|" +
         RenderRecord(&date);
}

std::string UltDia(udfzel_fuzz::InputDecoder& in) {
  ISC_QUAD date = DrawRecord(in);
  ISC_QUAD* result = Call<ISC_QUAD*(ISC_QUAD*) noexcept>("F_UltDia", &date);
  return (result == &date ? "arg|" : "other|") + RenderRecord(&date);
}

std::string UltDiaMes(udfzel_fuzz::InputDecoder& in) {
  ISC_QUAD date = DrawRecord(in);
  // The call first: the record is rendered as the call left it.
  const ISC_LONG last = Call<ISC_LONG(ISC_QUAD*) noexcept>("F_UltDiaMes", &date);
  return std::to_string(last) + "|" + RenderRecord(&date);
}

std::string FormatMaskText(udfzel_fuzz::InputDecoder& in) {
  const std::string mask = in.Text();
  const std::string value = in.Text();
  using Fn = char*(const char*, const char*) noexcept;
  return RenderNewText(Call<Fn>("F_FormatMaskText", mask.c_str(), value.c_str()));
}

// A blob record over bytes drawn from the input, delivered in segments of a
// drawn size; or one that collects what is written. (A blob cut short
// leaves its block to the server to reclaim: blob_entry_test covers it.)
struct DrawnBlob {
  std::string content;
  std::size_t segment = 1;
  std::size_t at = 0;
  std::string written;

  explicit DrawnBlob(udfzel_fuzz::InputDecoder& in) {
    // One statement per draw: the order of the draws is the input's.
    content = in.Text();
    content += in.Text();
    content += in.Text();
    segment = 1 + static_cast<std::uint32_t>(in.Int32()) % 70000;
  }
  static short Get(void* handle, ISC_UCHAR* buffer, ISC_USHORT size, ISC_USHORT* length) {
    auto* self = static_cast<DrawnBlob*>(handle);
    const std::size_t n =
        std::min<std::size_t>({size, self->segment, self->content.size() - self->at});
    std::memcpy(buffer, self->content.data() + self->at, n);
    self->at += n;
    *length = static_cast<ISC_USHORT>(n);
    return 0;
  }
  static void Put(void* handle, const ISC_UCHAR* buffer, ISC_USHORT length) {
    static_cast<DrawnBlob*>(handle)->written.append(reinterpret_cast<const char*>(buffer), length);
  }
  blobcallback Record() {
    blobcallback record{};
    record.blob_get_segment = Get;
    record.blob_put_segment = Put;
    record.blob_handle = content.empty() && segment % 3 == 0 ? nullptr : this;
    record.blob_total_length = static_cast<ISC_LONG>(content.size());
    record.blob_max_segment = static_cast<ISC_LONG>(segment);
    record.blob_number_segments = static_cast<ISC_LONG>(segment % 97);
    return record;
  }
};

template <const char* Name>
std::string BlobStatistic(udfzel_fuzz::InputDecoder& in) {
  DrawnBlob blob(in);
  blobcallback record = blob.Record();
  return std::to_string(Call<ISC_LONG(BLOBCALLBACK) noexcept>(Name, &record));
}

std::string BlobToStr(udfzel_fuzz::InputDecoder& in) {
  DrawnBlob blob(in);
  blobcallback record = blob.Record();
  char* text = Call<char*(BLOBCALLBACK) noexcept>("F_BlobToStr", &record);
  if (text == nullptr) return "null";
  // The block holds the whole blob, zero bytes and all, and a zero after it.
  std::string rendered = std::to_string(blob.content.size()) + ":" +
                         std::string(text, blob.content.size() + 1);
  std::free(text);
  return rendered;
}

std::string StrToBlob(udfzel_fuzz::InputDecoder& in) {
  DrawnBlob blob(in);
  std::string text = in.Text();
  blobcallback record = blob.Record();
  using Fn = BLOBCALLBACK(char*, BLOBCALLBACK) noexcept;
  const BLOBCALLBACK result = Call<Fn>("F_StrToBlob", text.data(), &record);
  return (result == &record ? "arg|" : "other|") + blob.written;
}

constexpr char kBlobMaxSeg[] = "F_BlobMaxSeg";
constexpr char kBlobSegCount[] = "F_BlobSegCount";
constexpr char kBlobSize[] = "F_BlobSize";
constexpr char kProperCase[] = "F_ProperCase";
constexpr char kConStr[] = "F_ConStr";
constexpr char kInc[] = "F_Inc";
constexpr char kDiv[] = "F_Div";
constexpr char kMod[] = "F_Mod";
constexpr char kRound[] = "F_Round";
constexpr char kNum[] = "F_Num";
constexpr char kStr[] = "F_Str";
constexpr char kStrZero[] = "F_StrZero";
constexpr char kTrim[] = "F_Trim";
constexpr char kLTrim[] = "F_LTrim";
constexpr char kRTrim[] = "F_RTrim";
constexpr char kStrLeft[] = "F_StrLeft";
constexpr char kStrRight[] = "F_StrRight";

}  // namespace

const std::vector<EntryCall>& EntryCalls() {
  static const std::vector<EntryCall> calls = {
      {"F_StrLen", StrLen},
      {"F_Trim", TextOnly<kTrim>},
      {"F_LTrim", TextOnly<kLTrim>},
      {"F_RTrim", TextOnly<kRTrim>},
      {"F_StrLeft", TextCount<kStrLeft>},
      {"F_StrRight", TextCount<kStrRight>},
      {"F_SubStr", SubStr},
      {"F_ProperCase", TextOnly<kProperCase>},
      {"F_ConStr", TextOnly<kConStr>},
      {"F_FormatMaskText", FormatMaskText},
      {"F_FormatFloat", FormatFloat},
      {"F_Inc", Int32Pair<kInc>},
      {"F_Div", Int64Pair<kDiv>},
      {"F_Mod", Int64Pair<kMod>},
      {"F_DivNum", DivNum},
      {"F_Trunc", Trunc},
      {"F_Round", DoubleCount<kRound>},
      {"F_Num", DoubleCount<kNum>},
      {"F_Str", FixedWidthText<kStr>},
      {"F_StrZero", FixedWidthText<kStrZero>},
      {"F_FormatDateTime", FormatDateTime},
      {"F_UltDia", UltDia},
      {"F_UltDiaMes", UltDiaMes},
      {"F_BlobMaxSeg", BlobStatistic<kBlobMaxSeg>},
      {"F_BlobSegCount", BlobStatistic<kBlobSegCount>},
      {"F_BlobSize", BlobStatistic<kBlobSize>},
      {"F_BlobToStr", BlobToStr},
      {"F_StrToBlob", StrToBlob},
  };
  return calls;
}

void SetCallObserver(CallObserver* newObserver) { observer = newObserver; }

std::string RunOn(const EntryCall& call, const std::string& bytes) {
  udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return call.run(in);
}

Renders RunAllOn(const std::vector<std::string>& inputs) {
  Renders results;
  for (const EntryCall& call : EntryCalls()) {
    std::vector<std::string> renders;
    for (const std::string& input : inputs) renders.push_back(RunOn(call, input));
    results.push_back(renders);
  }
  return results;
}

std::vector<std::string> ThreadInputs(std::size_t count, std::uint64_t seed) {
  std::vector<std::string> inputs;
  for (std::size_t i = 0; i < count; ++i) {
    inputs.push_back(udfzel_fuzz::PseudoRandomBytes(seed + i, 48));
  }
  return inputs;
}

int CountMismatches(const std::vector<std::string>& inputs, const Renders& expected,
                    std::size_t first, const std::function<void()>& afterEachCall) {
  int mismatches = 0;
  for (std::size_t c = 0; c < EntryCalls().size(); ++c) {
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      const std::size_t at = (first + i) % inputs.size();
      if (RunOn(EntryCalls()[c], inputs[at]) != expected[c][at]) ++mismatches;
      if (afterEachCall) afterEachCall();
    }
  }
  return mismatches;
}

}  // namespace udfzel_test
