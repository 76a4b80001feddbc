// ICU's date and time patterns (CLDR's letters) read as the pieces the
// locale source takes its separators from, and written in the platform's
// date format syntax that the loading rules translate into pictures.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace udfzel {

// A date or time pattern as a run of fields (a letter repeated) and literal
// texts (quotes resolved).
struct PatternPiece {
  char16_t letter = 0;  // 0 for a literal
  int count = 0;
  std::u16string literal;
  bool quoted = false;
};

std::vector<PatternPiece> SplitPattern(const std::u16string& pattern);

// The pattern's literal text between the first field matching `from` and
// the field after it.
template <class IsFrom>
std::u16string SeparatorAfter(const std::vector<PatternPiece>& pieces, IsFrom isFrom) {
  std::size_t at = 0;
  while (at < pieces.size() && !(pieces[at].letter != 0 && isFrom(pieces[at].letter))) ++at;
  std::u16string separator;
  for (++at; at < pieces.size() && pieces[at].letter == 0; ++at) separator += pieces[at].literal;
  return separator;
}

// The first literal text standing between two fields of a date pattern
// ("GGGGGy/M/d" gives "/"); empty when the fields are never apart.
std::u16string DateSeparator(const std::vector<PatternPiece>& pieces);

bool IsHourLetter(char16_t c);

// ICU pattern letters into the platform's date format syntax. An era field
// becomes the era picture ("gg"), or, for a Gregorian picture, the era's
// name as literal text (`gregorianEra`): every date the library writes is
// in the Common Era, and the era tokens name the locale's own calendar.
std::u16string ToPlatformDateFormat(const std::vector<PatternPiece>& pieces,
                                    const std::optional<std::u16string>& gregorianEra);

}  // namespace udfzel
