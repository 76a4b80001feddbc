// A locale source that answers platform items from a table, for tests and
// the locale fuzzer: readable items are in `items`, every other item cannot
// be read.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "locale/locale_source.h"

namespace udfzel_test {

using udfzel::ByteRange;
using udfzel::LocaleItem;

class ScriptedSource : public udfzel::LocaleSource {
 public:
  std::uint32_t id = 0;
  std::map<std::pair<LocaleItem, int>, std::string> items;
  std::vector<ByteRange> ranges;

  void Set(LocaleItem item, const std::string& text, int index = 0) { items[{item, index}] = text; }

  std::uint32_t LocaleId() const override { return id; }
  std::optional<std::string> Read(LocaleItem item, int index) const override {
    const auto found = items.find({item, index});
    if (found == items.end()) return std::nullopt;
    return found->second;
  }
  std::vector<ByteRange> LeadByteRanges(int) const override { return ranges; }
  int SystemCodePage() const override { return 1252; }
  // UTF-8 into Latin-1, enough for the built-in names.
  std::string FromLibraryText(const std::string& utf8, int) const override {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      const auto byte = static_cast<unsigned char>(utf8[i]);
      if (byte >= 0xC0 && i + 1 < utf8.size()) {
        out += static_cast<char>(((byte & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
      } else {
        out += utf8[i];
      }
    }
    return out;
  }
};

}  // namespace udfzel_test
