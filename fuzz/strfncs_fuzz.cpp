// Fuzzes the trimming and substring entry points: one text and two int32
// arguments per input. Each call runs on an exact-size heap buffer (the
// sanitizers catch any access outside it) and is compared with a plain
// string model of the function.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "input_decoder.h"
#include "engines/text/textcut.h"
#include "legacy/strfncs.h"

namespace {

bool Blank(char c) { return static_cast<unsigned char>(c) >= 1 && static_cast<unsigned char>(c) <= 32; }

std::string ModelLTrim(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && Blank(s[i])) ++i;
  return s.substr(i);
}

std::string ModelRTrim(const std::string& s) {
  std::size_t n = s.size();
  while (n > 0 && Blank(s[n - 1])) --n;
  return s.substr(0, n);
}

std::string ModelSubStr(const std::string& s, std::int64_t start, std::int64_t count) {
  const auto length = static_cast<std::int64_t>(s.size());
  if (start < 1 || start > length || count < 1) return "";
  return s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// Calls fn on a fresh exact-size copy of text; checks the result against
// the model and that the returned pointer lies inside the buffer.
template <class Fn>
void Expect(const std::string& text, const std::string& model, Fn fn) {
  auto buffer = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
  const char* result = fn(buffer.get());
  Check(result != nullptr);
  Check(result >= buffer.get() && result <= buffer.get() + text.size());
  Check(model == result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  const std::string text = in.Text(4096);
  const ISC_LONG a = in.Int32();
  const ISC_LONG b = in.Int32();
  const auto length = static_cast<std::int64_t>(text.size());

  Check(F_StrLen(std::string(text).data()) == static_cast<ISC_LONG>(text.size()));
  Expect(text, ModelLTrim(text), [](char* t) { return F_LTrim(t); });
  Expect(text, ModelRTrim(text), [](char* t) { return F_RTrim(t); });
  Expect(text, ModelLTrim(ModelRTrim(text)), [](char* t) { return F_Trim(t); });
  Expect(text, ModelSubStr(text, 1, a), [&](char* t) { return F_StrLeft(t, &a); });
  Expect(text, ModelSubStr(text, length - a + 1, a), [&](char* t) { return F_StrRight(t, &a); });
  Expect(text, ModelSubStr(text, a, b), [&](char* t) { return F_SubStr(t, &a, &b); });

  // The cutting engine over its own argument types, beyond what the entry
  // points' 32-bit counts reach.
  const auto wide = [&] {
    const auto high = static_cast<std::uint64_t>(static_cast<std::uint32_t>(in.Int32()));
    return static_cast<std::int64_t>((high << 32) | static_cast<std::uint32_t>(in.Int32()));
  };
  const std::int64_t start = wide();
  const std::int64_t count = wide();
  const auto right = udfzel::textcut::RightRange(text.size(), count);
  Check(right.offset + right.length <= text.size());
  Check(right.length == 0 || right.length == static_cast<std::uint64_t>(count));
  const auto piece = udfzel::textcut::SubstringRange(text.size(), start, count);
  Check(piece.offset + piece.length <= text.size());
  Check(text.substr(piece.offset, piece.length) == ModelSubStr(text, start, count));
  return 0;
}
