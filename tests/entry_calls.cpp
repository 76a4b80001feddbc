#include "entry_calls.h"

#include <ibase.h>

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
      {"F_FormatFloat", FormatFloat},
  };
  return calls;
}

void SetCallObserver(CallObserver* newObserver) { observer = newObserver; }

std::string RunOn(const EntryCall& call, const std::string& bytes) {
  udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return call.run(in);
}

}  // namespace udfzel_test
