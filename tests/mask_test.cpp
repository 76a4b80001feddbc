// Edit masks in both modes, with "/" and ":" delimiters unless a case says
// otherwise.
#include "engines/text/MaskUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "locale/load_locale_formats.h"
#include "scripted_locale_source.h"

namespace {

using udfzel::LocaleFormats;

LocaleFormats Slashes() { return udfzel::LoadLocaleFormats(udfzel_test::ScriptedSource{}); }

std::string Apply(const std::string& mask, const std::string& value,
                  const LocaleFormats& locale = Slashes()) {
  std::string work(udfzel::EditMaskWorkSize(mask, value), '\0');
  udfzel::TextBuffer out(work.data(), work.size());
  udfzel::ApplyEditMask(mask, value, locale, out);
  EXPECT_FALSE(out.Truncated());
  return std::string(out.view());
}

struct Case {
  std::string mask;
  std::string value;
  std::string result;
};

void ExpectAll(const std::vector<Case>& cases, const LocaleFormats& locale = Slashes()) {
  for (const Case& c : cases) {
    EXPECT_EQ(Apply(c.mask, c.value, locale), c.result) << "<" << c.mask << "> <" << c.value << ">";
  }
}

TEST(EditMask, DocumentedTable) {
  ExpectAll({
      {"000.000.000-00;0;_", "12345678901", "123.456.789-01"},
      {"000.000.000-00;0;_", "123", "123.   .   -  "},
      {"000.000.000-00;0;_", "", "   .   .   -  "},
      {"000.000.000-00;0;_", "1234567890123", "123.456.789-0123"},
      {"!000.000.000-00;0;_", "123", "   .   .  1-23"},
      {"00000-000;0;_", "01310100", "01310-100"},
      {"(00) 0000-0000;0;_", "1133334444", "(11) 3333-4444"},
      {">LL-000;0;_", "ab123", "ab-123"},
      {"!99/99/0000;1;_", "25/12/2023", "25/12/2023"},
      {"!99/99/0000;1;_", "5/1/2023", " 5/ 1/2023"},
      {"99/99/0000;1;_", "5/1/2023", "5 /1 /2023"},
      {"99/99/0000;1;_", "25122023", "25/  /    "},
      {"99/99/0000;0;_", "25122023", "25/12/2023"},
      {"000-00", "1234-5", "123-5 "},
      {"!000-00", "1234-5", "234- 5"},
      {"000;1;_", "12345", "123"},
      {"!000;1;_", "1", "  1"},
  });
}

TEST(EditMask, EdgeCases) {
  ExpectAll({
      {"", "anything", ""},
      {"", "", ""},
      {"99/99/0000", "", "  /  /    "},
      {"\\A000;0;_", "123", "A123"},
      {"\\!000;0;_", "123", "!123"},    // an escaped "!" is a literal and still right-justifies
      {"\\!000;0;_", "12", "! 12"},
      {"\\!000", "123", "!   "},        // align mode: the value lacks the literal
      {"000;0;!", "12", " 12"},         // a "!" in the blank section right-justifies too
      {"00;0", "1234", "1234"},
      {"000", "abc", "abc"},
      {"000;0;_", "abc", "abc"},
      {"000-00", "12345", "123-  "},    // the literal is missing: appended, the value cut
      {"00", "1", "1 "},
      {"0", "", " "},
      {"\\\\0;0;_", "5", "\\5"},        // two backslashes: the second is the literal
      {"\\\\\\0;0;_", "5", "\\5"},      // three: the third is a directive, "0" a slot
      {"0;00;0;_", "12", "1;2 "},        // ";" further left than the sections is a literal
      {"<>!0;0;_", "7", "7"},
      {"00:00;0;_", "1234", "12:34"},
      {"a0c9l#AL;0;_", "xyzwvuts", "xyzwvuts"},
  });
}

TEST(EditMask, SectionsAndModes) {
  const LocaleFormats f = Slashes();
  EXPECT_FALSE(udfzel::MaskSavesLiterals("000.000.000-00;0;_", f));
  EXPECT_FALSE(udfzel::MaskSavesLiterals("00;0", f));
  EXPECT_TRUE(udfzel::MaskSavesLiterals("!99/99/0000;1;_", f));
  EXPECT_TRUE(udfzel::MaskSavesLiterals("000;", f));
  EXPECT_TRUE(udfzel::MaskSavesLiterals("0000", f));
  EXPECT_TRUE(udfzel::MaskSavesLiterals("00", f));
  EXPECT_TRUE(udfzel::MaskSavesLiterals("000\\;0", f));  // an escaped ";" separates nothing
  using udfzel::MaskCharClass;
  const std::string mask = "0\\A9;0;_";
  const std::vector<MaskCharClass> classes = {
      MaskCharClass::RequiredSlot, MaskCharClass::Directive,        MaskCharClass::PlainLiteral,
      MaskCharClass::OptionalSlot, MaskCharClass::SectionSeparator, MaskCharClass::SectionValue,
      MaskCharClass::SectionSeparator, MaskCharClass::SectionValue, MaskCharClass::PastEnd};
  for (std::size_t p = 1; p <= classes.size(); ++p) {
    EXPECT_EQ(udfzel::ClassifyMaskChar(mask, p, f), classes[p - 1]) << p;
  }
}

TEST(EditMask, LocaleDelimiters) {
  LocaleFormats dots = Slashes();
  dots.DateDelimiter = '.';
  dots.TimeDelimiter = 'h';
  ExpectAll({{"!99/99/0000;1;_", "25/12/2023", "23.  .    "},
             {"99/99/0000;0;_", "25122023", "25.12.2023"},
             {"00:00;0;_", "1230", "12h30"}},
            dots);
  // A locale without delimiters: the mask's own "/" and ":" keep their
  // places instead of cutting the text short.
  LocaleFormats none = Slashes();
  none.DateDelimiter = '\0';
  none.TimeDelimiter = '\0';
  ExpectAll({{"99/99/0000;0;_", "25122023", "25/12/2023"}, {"00:00;0;_", "1230", "12:30"}}, none);
}

// Lead and trail bytes counted from the left: a trail byte that looks like
// a directive or a slot is part of its character.
TEST(EditMask, TwoByteCharacters) {
  LocaleFormats dbcs = Slashes();
  dbcs.MultiByteLocale = true;
  for (int b = 0x81; b <= 0x9F; ++b) dbcs.LeadByteSet.set(static_cast<std::size_t>(b));
  // 0x81 0x30: the "0" is a trail byte, a literal, not a slot.
  ExpectAll({{"\x81" "000;0;_", "12", "\x81" "012"}}, dbcs);
  // 0x81 0x81 0x30: the second 0x81 is a trail byte, so "0" is a slot again.
  ExpectAll({{"\x81\x81" "00;0;_", "12", "\x81\x81" "12"}}, dbcs);
  // 0x81 0x5C: the backslash is a trail byte and escapes nothing.
  ExpectAll({{"\x81\\" "00;0;_", "12", "\x81\\" "12"}}, dbcs);
}

}  // namespace
