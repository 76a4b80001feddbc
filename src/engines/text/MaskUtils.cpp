#include "engines/text/MaskUtils.h"

namespace udfzel {
namespace {

constexpr char kBackslash = '\\';

enum class ByteKind { Single, Lead, Trail };

// The kind of the byte at 1-based position p, counting lead bytes from the
// left: an odd run of lead bytes just before p makes p a trail byte.
ByteKind KindAt(std::string_view text, std::size_t p, const LocaleFormats& locale) {
  if (!locale.MultiByteLocale || p > text.size()) return ByteKind::Single;
  const bool lead = locale.IsLeadByte(text[p - 1]);
  if (p == 1) return lead ? ByteKind::Lead : ByteKind::Single;
  std::size_t run = 0;
  for (std::size_t q = p - 1; q >= 1 && locale.IsLeadByte(text[q - 1]); --q) ++run;
  if (run % 2 == 1) return ByteKind::Trail;
  return lead ? ByteKind::Lead : ByteKind::Single;
}

char ByteAt(std::string_view text, std::size_t p) { return text[p - 1]; }

bool IsLiteral(MaskCharClass c) {
  return c == MaskCharClass::PlainLiteral || c == MaskCharClass::LocaleLiteral;
}
bool IsSlot(MaskCharClass c) {
  return c == MaskCharClass::RequiredSlot || c == MaskCharClass::OptionalSlot;
}
// Whether a position takes a place in the output.
bool HasOutput(MaskCharClass c) {
  return c != MaskCharClass::Directive && c != MaskCharClass::SectionSeparator &&
         c != MaskCharClass::SectionValue && c != MaskCharClass::PastEnd;
}

// What a literal writes: the mask byte, or the locale's delimiter for "/"
// and ":". A locale whose delimiter is the zero character would cut the
// text short there: the mask's own "/" or ":" stands in for it.
char LiteralOutputChar(std::string_view mask, std::size_t p, MaskCharClass c,
                       const LocaleFormats& locale) {
  const char byte = ByteAt(mask, p);
  if (c != MaskCharClass::LocaleLiteral) return byte;
  const char delimiter = byte == '/' ? locale.DateDelimiter : locale.TimeDelimiter;
  return delimiter == '\0' ? byte : delimiter;
}

// Pads or cuts text[start .. stop-1] (1-based) to `wanted` bytes: spaces
// go at the end of the stretch, or at its start when right-justified; cuts
// keep the first bytes, or the last when right-justified.
void FitSubField(TextBuffer& text, std::size_t start, std::size_t stop, std::size_t wanted,
                 bool rightJustified) {
  const std::size_t have = stop - start;
  if (have < wanted) {
    text.Insert((rightJustified ? start : stop) - 1, ' ', wanted - have);
  } else if (have > wanted) {
    text.Erase((rightJustified ? start : start + wanted) - 1, have - wanted);
  }
}

void InsertMaskLiterals(std::string_view mask, std::string_view value, bool rightJustified,
                        const LocaleFormats& locale, TextBuffer& out) {
  out.Append(value);
  if (!rightJustified) {
    std::size_t i = 1;
    for (std::size_t p = 1; p <= mask.size(); ++p) {
      const MaskCharClass c = ClassifyMaskChar(mask, p, locale);
      if (IsLiteral(c)) {
        out.Insert(i - 1, LiteralOutputChar(mask, p, c, locale));
        ++i;
      } else if (IsSlot(c)) {
        if (out.size() < i) out.Put(' ');
        ++i;
      }
    }
    return;
  }
  std::size_t unused = value.size();
  for (std::size_t p = mask.size(); p >= 1; --p) {
    const MaskCharClass c = ClassifyMaskChar(mask, p, locale);
    if (IsLiteral(c)) {
      out.Insert(unused, LiteralOutputChar(mask, p, c, locale));
    } else if (IsSlot(c)) {
      if (unused >= 1) {
        --unused;
      } else {
        out.Insert(0, ' ');
      }
    }
  }
}

void AlignToMaskLiterals(std::string_view mask, std::string_view value, bool rightJustified,
                         const LocaleFormats& locale, TextBuffer& out) {
  out.Append(value);
  std::size_t previous = 0;  // output position of the previous literal
  std::size_t outputs = 0;   // output positions of mask positions 1..p
  for (std::size_t p = 1; p <= mask.size(); ++p) {
    const MaskCharClass c = ClassifyMaskChar(mask, p, locale);
    if (HasOutput(c)) ++outputs;
    if (!IsLiteral(c)) continue;
    const char ch = LiteralOutputChar(mask, p, c, locale);
    std::size_t k = out.Find(ch, previous);
    if (k == std::string_view::npos) {
      out.Put(ch);
      k = out.size();
    } else {
      k += 1;  // 1-based
    }
    FitSubField(out, previous + 1, k, outputs - previous - 1, rightJustified);
    previous = outputs;
  }
  if (outputs != out.size()) {
    FitSubField(out, previous + 1, out.size() + 1, outputs - previous, rightJustified);
  }
}

}  // namespace

MaskCharClass ClassifyMaskChar(std::string_view mask, std::size_t p, const LocaleFormats& locale) {
  const std::size_t length = mask.size();
  if (p > length) return MaskCharClass::PastEnd;
  if (KindAt(mask, p, locale) != ByteKind::Single) return MaskCharClass::PlainLiteral;
  const auto singleBackslashAt = [&](std::size_t q) {
    return ByteAt(mask, q) == kBackslash && KindAt(mask, q, locale) == ByteKind::Single;
  };
  if (p > 1 && singleBackslashAt(p - 1) && !(p > 2 && singleBackslashAt(p - 2))) {
    return MaskCharClass::PlainLiteral;  // escaped
  }
  const char byte = ByteAt(mask, p);
  const bool inSections = length >= 4 && p + 4 > length;
  if (byte == ';' && inSections) return MaskCharClass::SectionSeparator;
  if (inSections && p > 1 && ByteAt(mask, p - 1) == ';' &&
      !(p > 2 && ByteAt(mask, p - 2) == kBackslash &&
        KindAt(mask, p - 2, locale) != ByteKind::Trail)) {
    return MaskCharClass::SectionValue;
  }
  switch (byte) {
    case '/':
    case ':':
      return MaskCharClass::LocaleLiteral;
    case '!':
    case '<':
    case '>':
    case kBackslash:
      return MaskCharClass::Directive;
    case '#':
    case '9':
    case 'a':
    case 'c':
    case 'l':
      return MaskCharClass::OptionalSlot;
    case '0':
    case 'A':
    case 'C':
    case 'L':
      return MaskCharClass::RequiredSlot;
    default:
      return MaskCharClass::PlainLiteral;
  }
}

bool MaskSavesLiterals(std::string_view mask, const LocaleFormats& locale) {
  const std::size_t length = mask.size();
  if (length < 4) return true;
  int found = 0;
  std::size_t s = 0;
  for (std::size_t p = length; p + 4 >= length && p >= 1 && found < 2; --p) {
    if (ClassifyMaskChar(mask, p, locale) == MaskCharClass::SectionSeparator) {
      ++found;
      s = p;
    }
  }
  if (found == 0 || s == length) return true;
  return ByteAt(mask, s + 1) != '0';
}

std::size_t EditMaskWorkSize(std::string_view mask, std::string_view value) {
  // Insert mode adds at most one byte per mask position; align mode at
  // most two per position while it works (a literal appended and the
  // padding before it).
  return value.size() + 2 * mask.size() + 16;
}

void ApplyEditMask(std::string_view mask, std::string_view value, const LocaleFormats& locale,
                   TextBuffer& out) {
  const bool rightJustified = mask.find('!') != std::string_view::npos;
  if (MaskSavesLiterals(mask, locale)) {
    AlignToMaskLiterals(mask, value, rightJustified, locale, out);
  } else {
    InsertMaskLiterals(mask, value, rightJustified, locale, out);
  }
}

}  // namespace udfzel
