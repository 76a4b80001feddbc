// A locale source that answers from a table, for tests and the locale
// fuzzer: texts in `texts`, switches in `flags`, every other fact cannot be
// read. Its texts are written in an identity code page (each UTF-16 unit
// below 256 as that byte), so a test gives them as the record's bytes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "locale/locale_source.h"

namespace udfzel_test {

using udfzel::ByteRange;
using udfzel::LocaleFlag;
using udfzel::LocaleItem;

// Latin-1 without a best fit: every unit below 256 is its own byte.
class IdentityCodePage : public udfzel::CodePage {
 public:
  std::optional<std::string> Exact(std::u16string_view text) const override {
    std::string out;
    for (const char16_t c : text) {
      if (c > 0xFF) return std::nullopt;
      out += static_cast<char>(c);
    }
    return out;
  }
  std::optional<std::string> BestFit(std::u16string_view) const override { return std::nullopt; }
  std::optional<char16_t> CharacterOfByte(unsigned char byte) const override { return byte; }
};

class ScriptedSource : public udfzel::LocaleSource {
 public:
  std::uint32_t id = 0;
  std::map<std::pair<LocaleItem, int>, std::u16string> texts;
  std::map<LocaleFlag, bool> flags;
  std::optional<int> calendar;
  std::optional<int> codePage;
  std::vector<ByteRange> ranges;

  // A text given as the bytes the record is to hold.
  void Set(LocaleItem item, const std::string& bytes, int index = 0) {
    std::u16string& text = texts[{item, index}];
    text.clear();
    for (const char byte : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(byte));
  }

  // A text beyond the identity code page's bytes.
  void SetUtf16(LocaleItem item, std::u16string_view text, int index = 0) {
    std::u16string& stored = texts[{item, index}];
    stored.clear();
    for (const char16_t unit : text) stored.push_back(unit);
  }

  std::uint32_t LocaleId() const override { return id; }
  std::optional<std::u16string> Text(LocaleItem item, int index) const override {
    const auto found = texts.find({item, index});
    if (found == texts.end()) return std::nullopt;
    return found->second;
  }
  std::optional<bool> Flag(LocaleFlag flag) const override {
    const auto found = flags.find(flag);
    if (found == flags.end()) return std::nullopt;
    return found->second;
  }
  std::optional<int> CalendarType() const override { return calendar; }
  std::optional<int> AnsiCodePage() const override { return codePage; }
  std::vector<ByteRange> LeadByteRanges(int) const override { return ranges; }
  int SystemCodePage() const override { return 1252; }
  std::unique_ptr<udfzel::CodePage> OpenCodePage(int) const override {
    return std::make_unique<IdentityCodePage>();
  }
};

}  // namespace udfzel_test
