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

bool IsWordDelimiter(char c) {
  return c == ' ' || c == '\'' || c == '.' || c == '/';
}

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
        MapCharacters(text + wordStart, word.size(), locale,
                      [&](char c) { return locale.ToUpper(c); });
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
  MapCharacters(text, length, locale, [&](char c) { return locale.ToUpper(locale.FoldAccent(c)); });
}

}  // namespace udfzel
