#include "engines/numbers/number_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engines/numbers/decimal_digits.h"
#include "frame/convert_error.h"

namespace udfzel {
namespace {

constexpr std::size_t kMaxPicture = 224;
constexpr int kNoZero = 32767;
constexpr int kMaxExponentZeros = 4;

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}
bool IsExponentSign(std::string_view s, std::size_t at) {
  return at + 1 < s.size() && (s[at] == 'E' || s[at] == 'e') &&
         (s[at + 1] == '+' || s[at + 1] == '-');
}

// Where a section starts, and which section it is.
struct Section {
  std::size_t start;
  int index;
};

// The section for `wanted` (0 positive, 1 negative, 2 zero): the one after
// as many ';' outside quotes, when it exists and is not empty; otherwise,
// and when an unclosed quote is met on the way, the first section.
Section FindSection(std::string_view picture, int wanted) {
  std::size_t at = 0;
  for (int passed = 0; passed < wanted; ++passed) {
    while (at < picture.size() && picture[at] != ';') {
      if (IsQuote(picture[at])) {
        const auto close = picture.find(picture[at], at + 1);
        if (close == std::string_view::npos) return {0, 0};
        at = close;
      }
      ++at;
    }
    if (at == picture.size()) return {0, 0};
    ++at;
  }
  if (at == picture.size() || picture[at] == ';') return {0, 0};
  return {at, wanted};
}

bool EmptySection(std::string_view picture, std::size_t start) {
  return start == picture.size() || picture[start] == ';';
}

struct SectionAnalysis {
  int digitCount = 0;
  int decimalIndex = -1;
  int firstZero = kNoZero;
  int lastZero = 0;
  bool thousands = false;
  bool scientific = false;

  int MandatoryIntegers() const { return std::max(0, decimalIndex - firstZero); }
  int MandatoryDecimals() const { return std::max(0, lastZero - decimalIndex); }
};

SectionAnalysis Analyse(std::string_view picture, std::size_t at) {
  SectionAnalysis a;
  while (at < picture.size() && picture[at] != ';') {
    const char c = picture[at];
    if (IsQuote(c)) {
      const auto close = picture.find(c, at + 1);
      if (close == std::string_view::npos) break;  // an unclosed quote ends the scan
      at = close + 1;
      continue;
    }
    if (IsExponentSign(picture, at)) {
      a.scientific = true;
      at += 2;
      while (at < picture.size() && picture[at] == '0') ++at;
      continue;
    }
    if (c == '0') {
      if (a.firstZero == kNoZero) a.firstZero = a.digitCount;
      a.lastZero = a.digitCount + 1;
      ++a.digitCount;
    } else if (c == '#') {
      ++a.digitCount;
    } else if (c == '.') {
      if (a.decimalIndex < 0) a.decimalIndex = a.digitCount;
    } else if (c == ',') {
      a.thousands = true;
    }
    ++at;
  }
  if (a.decimalIndex < 0) a.decimalIndex = a.digitCount;
  return a;
}

// Lays an expansion's digits into one section of the picture.
class SectionWriter {
 public:
  SectionWriter(const DecimalExpansion& e, const SectionAnalysis& a, NumberSeparators separators,
                TextBuffer& out)
      : e_(e),
        a_(a),
        separators_(separators),
        out_(out),
        digitCount_(e.DigitCount()),
        mandatoryIntegers_(a.MandatoryIntegers()),
        mandatoryDecimals_(a.MandatoryDecimals()) {
    if (a.scientific) {
      place_ = a.decimalIndex;
      excess_ = 0;
    } else {
      place_ = std::max<int>(e.exponent, a.decimalIndex);
      excess_ = e.exponent - a.decimalIndex;
    }
  }

  void Write(std::string_view picture, const Section& section) {
    if (e_.negative && section.index == 0) out_.Put('-');
    for (std::size_t at = section.start; at < picture.size() && picture[at] != ';';) {
      const char c = picture[at];
      if (c == '0' || c == '#') {
        Placeholder();
        ++at;
      } else if (c == '.' || c == ',') {
        ++at;
      } else if (IsQuote(c)) {
        const auto close = picture.find(c, at + 1);
        if (close == std::string_view::npos) {
          out_.Append(picture.substr(at + 1));
          return;  // the output ends with the picture
        }
        out_.Append(picture.substr(at + 1, close - at - 1));
        at = close + 1;
      } else if (IsExponentSign(picture, at)) {
        at = Exponent(picture, at);
      } else {
        out_.Put(c);
        ++at;
      }
    }
  }

 private:
  void Emit(char c) {
    if (place_ == 0) {
      // A locale without a decimal mark gets none, as in the fixed text.
      if (separators_.decimalMark != '\0') out_.Put(separators_.decimalMark);
      out_.Put(c);
    } else {
      out_.Put(c);
      if (a_.thousands && place_ > 1 && place_ % 3 == 1 && separators_.groupSeparator != '\0') {
        out_.Put(separators_.groupSeparator);
      }
    }
    --place_;
  }

  void PutDigit() {
    if (nextDigit_ < digitCount_) {
      Emit(e_.digits[nextDigit_++]);
    } else if (place_ <= -mandatoryDecimals_) {
      --place_;
    } else {
      Emit('0');
    }
  }

  void Placeholder() {
    if (excess_ > 0) {
      for (; excess_ > 0; --excess_) PutDigit();
      PutDigit();
    } else if (excess_ < 0) {
      ++excess_;
      if (place_ <= mandatoryIntegers_) {
        Emit('0');
      } else {
        --place_;
      }
    } else {
      PutDigit();
    }
  }

  // Writes "E+07"-style text for the exponent sign at `at`; returns where the
  // walk goes on.
  std::size_t Exponent(std::string_view picture, std::size_t at) {
    const char letter = picture[at];
    const bool plus = picture[at + 1] == '+';
    at += 2;
    int zeros = 0;
    while (zeros < kMaxExponentZeros && at < picture.size() && picture[at] == '0') ++zeros, ++at;
    const int exponent = digitCount_ == 0 ? 0 : e_.exponent - a_.decimalIndex;
    out_.Put(letter);
    if (exponent < 0) {
      out_.Put('-');
    } else if (plus) {
      out_.Put('+');
    }
    AppendDecimal(exponent < 0 ? -std::int64_t{exponent} : exponent, std::max(zeros, 1), out_);
    return at;
  }

  const DecimalExpansion& e_;
  const SectionAnalysis& a_;
  NumberSeparators separators_;
  TextBuffer& out_;
  std::size_t digitCount_;
  std::size_t nextDigit_ = 0;
  int mandatoryIntegers_;
  int mandatoryDecimals_;
  int place_ = 0;
  int excess_ = 0;
};

int SectionFor(Extended x) {
  if (x == 0 && !SignBit(x)) return 2;
  return SignBit(x) ? 1 : 0;
}

}  // namespace

void FormatNumberPicture(std::string_view picture, Extended x, NumberSeparators separators,
                         TextBuffer& out) {
  if (picture.size() > kMaxPicture) throw EConvertError("String de formato muito longa");
  Section section = FindSection(picture, SectionFor(x));
  if (EmptySection(picture, section.start)) {
    FloatToGeneralText(x, separators.decimalMark, out);
    return;
  }
  SectionAnalysis analysis = Analyse(picture, section.start);
  const DecimalExpansion e =
      analysis.scientific ? ExpandDecimal(x, analysis.digitCount, kAllDecimals)
                          : ExpandDecimal(x, 18, analysis.digitCount - analysis.decimalIndex);
  if (e.IsSpecial() || (!analysis.scientific && e.exponent > 18)) {
    FloatToGeneralText(x, separators.decimalMark, out);
    return;
  }
  if (e.DigitCount() == 0) {
    const Section zero = FindSection(picture, 2);
    if (EmptySection(picture, zero.start)) {
      FloatToGeneralText(x, separators.decimalMark, out);
      return;
    }
    if (zero.start != section.start) {
      section = zero;
      analysis = Analyse(picture, section.start);
    }
  }
  SectionWriter(e, analysis, separators, out).Write(picture, section);
}

}  // namespace udfzel
