#include "locale/icu_patterns.h"

namespace udfzel {
namespace {

bool IsPatternLetter(char16_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void AppendQuoted(std::u16string& out, const std::u16string& text) {
  out += u'\'';
  for (const char16_t c : text) out += c == u'\'' ? u"''" : std::u16string(1, c);
  out += u'\'';
}

}  // namespace

std::vector<PatternPiece> SplitPattern(const std::u16string& pattern) {
  std::vector<PatternPiece> pieces;
  for (std::size_t at = 0; at < pattern.size();) {
    const char16_t c = pattern[at];
    if (IsPatternLetter(c)) {
      PatternPiece field{c, 0, {}, false};
      while (at < pattern.size() && pattern[at] == c) ++field.count, ++at;
      pieces.push_back(field);
    } else if (c == u'\'') {
      PatternPiece text{0, 0, {}, true};
      if (at + 1 < pattern.size() && pattern[at + 1] == u'\'') {
        text.literal = u"'";
        at += 2;
      } else {
        for (++at; at < pattern.size(); ++at) {
          if (pattern[at] != u'\'') {
            text.literal += pattern[at];
          } else if (at + 1 < pattern.size() && pattern[at + 1] == u'\'') {
            text.literal += u'\'';
            ++at;
          } else {
            ++at;
            break;
          }
        }
      }
      pieces.push_back(text);
    } else {
      pieces.push_back({0, 0, std::u16string(1, c), false});
      ++at;
    }
  }
  return pieces;
}

std::u16string DateSeparator(const std::vector<PatternPiece>& pieces) {
  bool afterField = false;
  std::u16string separator;
  for (const PatternPiece& piece : pieces) {
    if (piece.letter == 0) {
      if (afterField) separator += piece.literal;
    } else if (!separator.empty()) {
      return separator;
    } else {
      afterField = true;
    }
  }
  return {};
}

bool IsHourLetter(char16_t c) {
  return c == 'h' || c == 'H' || c == 'k' || c == 'K';
}

std::u16string ToPlatformDateFormat(const std::vector<PatternPiece>& pieces,
                                    const std::optional<std::u16string>& gregorianEra) {
  std::u16string out;
  for (const PatternPiece& piece : pieces) {
    if (piece.letter == 0) {
      if (!piece.quoted) {
        out += piece.literal;
        continue;
      }
      AppendQuoted(out, piece.literal);
      continue;
    }
    switch (piece.letter) {
      case 'y':
      case 'Y':
      case 'u':
      case 'r':
        out += piece.count == 2 ? u"yy" : u"yyyy";
        break;
      case 'M':
      case 'L':
        out += std::u16string(static_cast<std::size_t>(piece.count <= 4 ? piece.count : 3), u'M');
        break;
      case 'd':
        out += piece.count == 1 ? u"d" : u"dd";
        break;
      case 'E':
      case 'e':
      case 'c':
        out += piece.count == 4 ? u"dddd" : u"ddd";
        break;
      case 'G':
        if (gregorianEra) {
          AppendQuoted(out, *gregorianEra);
        } else {
          out += u"gg";
        }
        break;
      default:
        break;  // fields the platform syntax has no letter for
    }
  }
  return out;
}

}  // namespace udfzel
