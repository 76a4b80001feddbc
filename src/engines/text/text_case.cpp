#include "engines/text/text_case.h"

#include <array>
#include <cstring>
#include <string_view>

namespace udfzel {
namespace {

constexpr std::string_view kParticles = "!da!de!di!do!das!dos!";
constexpr std::string_view kCapitals = "!me!ii!";
constexpr std::string_view kParticleItems[] = {"da", "de", "di", "do", "das", "dos"};
constexpr std::string_view kCapitalItems[] = {"me", "ii"};

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

// Whether "!word!" occurs in the list as a run of bytes. A word without "!"
// can only match one whole item; only a word holding "!" can span items
// ("da!de"), and only then is the list searched.
template <std::size_t N>
bool KeyIn(std::string_view list, const std::string_view (&items)[N], std::string_view word,
           bool bang) {
  if (word.size() + 2 > list.size()) return false;
  if (!bang) {
    for (const std::string_view item : items) {
      if (word == item) return true;
    }
    return false;
  }
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
  // One pass: each byte is lower-cased as it is read, and each word is
  // settled at the delimiter (or the end) that closes it.
  std::size_t wordStart = 0;
  bool bang = false;  // the word holds a "!", so it may span list items
  for (std::size_t i = 0; i <= length; ++i) {
    if (i < length) {
      const char c = text[i];
      if (locale.MultiByteLocale && locale.IsLeadByte(c)) {
        if (i + 1 < length) ++i;  // a two-byte character belongs to the word whole
        continue;
      }
      if (!IsWordDelimiter(c)) {
        text[i] = locale.ToLower(c);
        bang = bang || c == '!';
        continue;
      }
    }
    const std::string_view word(text + wordStart, i - wordStart);
    if (!KeyIn(kParticles, kParticleItems, word, bang)) {
      if (KeyIn(kCapitals, kCapitalItems, word, bang)) {
        MapCharacters(text + wordStart, word.size(), locale, [&](char c) { return locale.ToUpper(c); });
      } else if (wordStart < length &&
                 !(locale.MultiByteLocale && locale.IsLeadByte(text[wordStart]))) {
        text[wordStart] = locale.ToUpper(text[wordStart]);
      }
    }
    wordStart = i + 1;
    bang = false;
  }
}

void FoldAccentsUpperInPlace(char* text, std::size_t length, const LocaleFormats& locale) {
  MapCharacters(text, length, locale,
                [&](char c) { return locale.ToUpper(kFold[static_cast<unsigned char>(c)]); });
}

}  // namespace udfzel
