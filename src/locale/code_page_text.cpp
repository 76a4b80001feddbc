#include "locale/code_page_text.h"

#include <bit>

namespace udfzel {
namespace {

// Characters of many marks are not taken apart: none of the code pages
// composes more than a few.
constexpr std::size_t kMostParts = 5;

// The length of the character at `at`: a surrogate pair whole, with the
// combining marks that follow it.
std::size_t CharacterLength(std::u16string_view text, std::size_t at) {
  std::size_t end = at + 1;
  const auto isLead = [](char16_t u) { return u >= 0xD800 && u <= 0xDBFF; };
  const auto isTrail = [](char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
  if (isLead(text[at]) && end < text.size() && isTrail(text[end])) ++end;
  while (end < text.size() && IsCombiningMark(text[end])) ++end;
  return end - at;
}

// Spaces the code pages may lack: the no-break, narrow no-break, figure and
// thin spaces.
bool IsNoBreakOrThinSpace(std::u16string_view character) {
  if (character.size() != 1) return false;
  const char16_t c = character[0];
  return c == 0x00A0 || c == 0x202F || c == 0x2007 || c == 0x2009;
}

// Letters some code pages hold only in an older form: the Romanian
// comma-below letters as cedilla letters, the modifier apostrophe as the
// typographic or the plain one.
constexpr struct {
  char16_t character;
  char16_t equivalents[2];
} kEquivalents[] = {
    {0x0218, {0x015E, 0}}, {0x0219, {0x015F, 0}},     {0x021A, {0x0162, 0}},
    {0x021B, {0x0163, 0}}, {0x02BC, {0x2019, u'\''}},
};

std::optional<std::string> WriteEquivalent(const CodePage& codePage,
                                           std::u16string_view character) {
  if (character.size() != 1) return std::nullopt;
  for (const auto& entry : kEquivalents) {
    if (character[0] != entry.character) continue;
    for (const char16_t equivalent : entry.equivalents) {
      if (equivalent == 0) continue;
      if (auto written = codePage.Exact(std::u16string_view(&equivalent, 1))) return written;
    }
  }
  return std::nullopt;
}

// The base letter with the marks of `subset` composed into it, and the
// other marks apart, both exactly; nothing when either part cannot be.
std::optional<std::string> WriteSplit(const CodePage& codePage, std::u16string_view parts,
                                      unsigned subset) {
  std::u16string head(1, parts[0]);
  std::u16string tail;
  for (std::size_t m = 1; m < parts.size(); ++m) {
    ((subset >> (m - 1)) & 1u ? head : tail) += parts[m];
  }
  const std::optional<std::u16string> composed = ComposedText(head);
  if (!composed) return std::nullopt;
  const auto first = codePage.Exact(*composed);
  const auto rest = codePage.Exact(tail);
  if (!first || !rest) return std::nullopt;
  return *first + *rest;
}

// One character, composed as far as the code page has a composition of the
// base letter with some of its marks, the other marks written apart (the
// Vietnamese of cp1258: "ậ" as "â" and a combining dot below).
std::optional<std::string> WriteDecomposed(const CodePage& codePage,
                                           std::u16string_view character) {
  const std::optional<std::u16string> parts = DecomposedText(character);
  if (!parts || parts->size() <= 1 || parts->size() > kMostParts) return std::nullopt;
  const auto marks = static_cast<unsigned>(parts->size() - 1);
  // Subsets of the marks composed into the base, the largest first.
  for (unsigned taken = marks + 1; taken-- > 0;) {
    for (unsigned subset = 0; subset < (1u << marks); ++subset) {
      if (static_cast<unsigned>(std::popcount(subset)) != taken) continue;
      if (auto written = WriteSplit(codePage, *parts, subset)) return written;
    }
  }
  return std::nullopt;
}

// An exact writing comes before a best fit, which may drop a mark.
std::optional<std::string> WriteCharacter(const CodePage& codePage, std::u16string_view character) {
  if (auto exact = codePage.Exact(character)) return exact;
  if (auto equivalent = WriteEquivalent(codePage, character)) return equivalent;
  if (auto decomposed = WriteDecomposed(codePage, character)) return decomposed;
  return codePage.BestFit(character);
}

}  // namespace

std::optional<std::string> WriteInCodePage(const CodePage& codePage, std::u16string_view text) {
  const std::optional<std::u16string> composed = ComposedText(text);
  if (!composed) return std::nullopt;
  const std::u16string_view characters = *composed;
  const std::optional<std::string> noBreakSpace = codePage.Exact(u"\u00A0");
  const std::string space = noBreakSpace ? *noBreakSpace : std::string(" ");
  std::string out;
  for (std::size_t at = 0; at < characters.size();) {
    const std::u16string_view character = characters.substr(at, CharacterLength(characters, at));
    at += character.size();
    if (IsNoBreakOrThinSpace(character)) {
      out += space;
      continue;
    }
    const std::optional<std::string> piece = WriteCharacter(codePage, character);
    if (!piece) return std::nullopt;
    out += *piece;
  }
  return out;
}

std::optional<std::string> WriteInCodePage(int codePage, std::u16string_view text) {
  const std::unique_ptr<CodePage> opened = CodePage::Open(codePage);
  if (!opened) return std::nullopt;
  return WriteInCodePage(*opened, text);
}

}  // namespace udfzel
