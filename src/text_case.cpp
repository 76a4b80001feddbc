#include "text_case.h"

#include <array>
#include <cstring>
#include <string_view>

namespace udfzel {
namespace {

constexpr std::string_view kParticles = "!da!de!di!do!das!dos!";
constexpr std::string_view kCapitals = "!me!ii!";

bool IsWordDelimiter(char c) { return c == ' ' || c == '\'' || c == '.' || c == '/'; }

// Applies `map` to every single-byte character; the bytes of a two-byte
// character are not characters of their own and stay as they are.
template <class Map>
void MapCharacters(char* text, std::size_t length, const LocaleFormats& locale, Map map) {
  for (std::size_t i = 0; i < length; ++i) {
    if (locale.MultiByteLocale && locale.IsLeadByte(text[i])) {
      ++i;
      continue;
    }
    text[i] = map(text[i]);
  }
}

// Whether "!word!" occurs in the list as a run of bytes.
bool KeyIn(std::string_view list, std::string_view word) {
  if (word.size() + 2 > list.size()) return false;
  char key[32];
  key[0] = '!';
  std::memcpy(key + 1, word.data(), word.size());
  key[word.size() + 1] = '!';
  return list.find(std::string_view(key, word.size() + 2)) != std::string_view::npos;
}

// The fold table of accented vowels and c-cedilla (Windows-1252 byte values).
constexpr std::array<char, 256> FoldTable() {
  std::array<char, 256> table{};
  for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<char>(i);
  const auto fold = [&](std::initializer_list<int> bytes, char letter) {
    for (const int b : bytes) table[static_cast<std::size_t>(b)] = letter;
  };
  fold({0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4}, 'A');
  fold({0xC7, 0xE7}, 'C');
  fold({0xC8, 0xC9, 0xCA, 0xCB, 0xE8, 0xE9, 0xEA, 0xEB}, 'E');
  fold({0xCC, 0xCD, 0xCE, 0xCF, 0xEC, 0xED, 0xEE, 0xEF}, 'I');
  fold({0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6}, 'O');
  fold({0xD9, 0xDA, 0xDB, 0xDC, 0xF9, 0xFA, 0xFB, 0xFC}, 'U');
  return table;
}
constexpr std::array<char, 256> kFold = FoldTable();

}  // namespace

void ProperCaseInPlace(char* text, std::size_t length, const LocaleFormats& locale) {
  if (length == 0) return;
  MapCharacters(text, length, locale, [&](char c) { return locale.ToLower(c); });
  std::size_t wordStart = 0;
  for (std::size_t i = 0; i <= length; ++i) {
    if (i < length && !IsWordDelimiter(text[i])) continue;
    const std::string_view word(text + wordStart, i - wordStart);
    if (!KeyIn(kParticles, word)) {
      if (KeyIn(kCapitals, word)) {
        MapCharacters(text + wordStart, word.size(), locale, [&](char c) { return locale.ToUpper(c); });
      } else if (wordStart < length &&
                 !(locale.MultiByteLocale && locale.IsLeadByte(text[wordStart]))) {
        text[wordStart] = locale.ToUpper(text[wordStart]);
      }
    }
    wordStart = i + 1;
  }
}

void FoldAccentsUpperInPlace(char* text, std::size_t length, const LocaleFormats& locale) {
  MapCharacters(text, length, locale,
                [&](char c) { return locale.ToUpper(kFold[static_cast<unsigned char>(c)]); });
}

}  // namespace udfzel
