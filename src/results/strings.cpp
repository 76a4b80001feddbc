#include "results/strings.h"

#include <cstring>
#include <memory>
#include <string_view>

#include "engines/text/MaskUtils.h"
#include "engines/text/text_case.h"
#include "engines/text/textcut.h"
#include "locale/process_locale.h"
#include "frame/udf_glob.h"
#include "results/result_text.h"

namespace udfzel::results {
namespace {

// Leaves exactly `range` of the text visible through the returned pointer.
// An empty range empties the argument itself; a range that runs to the end
// of the text writes nothing.
[[gnu::always_inline]] inline char* CutInPlace(char* text, std::size_t length,
                                               textcut::Range range) {
  if (range.length == 0) {
    text[0] = '\0';
    return text;
  }
  const std::size_t end = range.offset + range.length;
  if (end < length) text[end] = '\0';
  return text + range.offset;
}

char* RightTrimInPlace(char* text) {
  const std::size_t length = std::strlen(text);
  if (length == 0) return text;
  text[textcut::LengthWithoutTrailingBlanks(text, length)] = '\0';
  return text;
}

// A null count pointer reads as 0, which every cut treats as "nothing".
std::int64_t ValueOr0(const ISC_LONG* value) {
  return value == nullptr ? 0 : *value;
}

// Cuts the substring in place, measuring the text no further than the cut
// needs: a short piece of a long text costs the piece, not the text.
[[gnu::always_inline]] inline char* SubstringInPlace(char* text, std::int64_t start,
                                                     std::int64_t count) {
  const std::size_t seen = strnlen(text, textcut::SubstringMeasureLimit(start, count));
  return CutInPlace(text, seen, textcut::SubstringRange(seen, start, count));
}

}  // namespace

ISC_LONG F_StrLen(char* text) noexcept {
  return GuardedCall([&]() -> ISC_LONG {
    if (text == nullptr) return 0;
    // Texts reach us from CSTRING buffers of at most 32 KiB; the clamp only
    // keeps a larger caller from reading a wrapped length.
    const std::size_t length = std::strlen(text);
    return length > INT32_MAX ? INT32_MAX : static_cast<ISC_LONG>(length);
  });
}

char* F_LTrim(char* text) noexcept {
  return GuardedCall([&]() -> char* {
    if (text == nullptr) return nullptr;
    return text + textcut::LeadingBlankCount(text);
  });
}

char* F_RTrim(char* text) noexcept {
  return GuardedCall([&]() -> char* {
    if (text == nullptr) return nullptr;
    return RightTrimInPlace(text);
  });
}

char* F_Trim(char* text) noexcept {
  return GuardedCall([&]() -> char* {
    if (text == nullptr) return nullptr;
    char* trimmed = RightTrimInPlace(text);
    return trimmed + textcut::LeadingBlankCount(trimmed);
  });
}

char* F_StrLeft(char* text, const ISC_LONG* count) noexcept {
  return GuardedCall([&]() -> char* {
    if (text == nullptr) return nullptr;
    return SubstringInPlace(text, 1, ValueOr0(count));
  });
}

char* F_StrRight(char* text, const ISC_LONG* count) noexcept {
  return GuardedCall([&]() -> char* {
    if (text == nullptr) return nullptr;
    const std::size_t length = std::strlen(text);
    return CutInPlace(text, length, textcut::RightRange(length, ValueOr0(count)));
  });
}

char* F_SubStr(char* text, const ISC_LONG* start, const ISC_LONG* count) noexcept {
  return GuardedCall([&]() -> char* {
    if (text == nullptr) return nullptr;
    return SubstringInPlace(text, ValueOr0(start), ValueOr0(count));
  });
}

char* F_ProperCase(char* text) noexcept {
  return GuardedCall([&]() -> char* {
    if (text == nullptr) return nullptr;
    ProperCaseInPlace(text, std::strlen(text), LoadedLocaleFormats());
    return text;
  });
}

char* F_ConStr(char* text) noexcept {
  return GuardedCall([&]() -> char* {
    if (text == nullptr) return nullptr;
    FoldAccentsUpperInPlace(text, std::strlen(text), LoadedLocaleFormats());
    return text;
  });
}

// Masks and values of everyday size are laid out on the stack; only a
// value of several kilobytes needs a heap work area.
constexpr std::size_t kStackMaskWork = 4096;

bool F_FormatMaskText(TextBuffer& text, const char* mask, const char* value) {
  const std::string_view maskText = mask == nullptr ? "" : mask;
  const std::string_view valueText = value == nullptr ? "" : value;
  const std::size_t size = EditMaskWorkSize(maskText, valueText);
  char stack[kStackMaskWork];
  std::unique_ptr<char[]> heap;
  char* work = stack;
  if (size > sizeof stack) {
    heap = std::make_unique<char[]>(size);
    work = heap.get();
  }
  TextBuffer masked(work, size);
  ApplyEditMask(maskText, valueText, LoadedLocaleFormats(), masked);
  AppendWhole(text, masked);
  return true;
}

}  // namespace udfzel::results
