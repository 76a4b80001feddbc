// Number pictures: sections, placeholders, grouping, exponents, quotes and
// the fall-backs to the general text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "frame/convert_error.h"
#include "engines/numbers/number_picture.h"
#include "extended.h"

namespace {

using udfzel::FixedText;
using udfzel::NumberSeparators;

std::string Format(const std::string& picture, udfzel_test::Extended x,
                   NumberSeparators separators = {'.', ','}) {
  FixedText<udfzel::kNumberPictureOutput> out;
  udfzel::FormatNumberPicture(picture, x, separators, out);
  EXPECT_FALSE(out.Truncated());
  return std::string(out.view());
}

struct Case {
  std::string picture;
  udfzel_test::Extended x;
  std::string text;
};

void ExpectAll(const std::vector<Case>& cases, NumberSeparators separators = {'.', ','}) {
  for (const Case& c : cases) {
    EXPECT_EQ(Format(c.picture, c.x, separators), c.text)
        << "picture <" << c.picture << "> value " << static_cast<double>(c.x);
  }
}

TEST(NumberPictureExactDigits, PlaceholdersGroupingAndDecimals) {
  ExpectAll({
      {"#,##0.00", 1234.5, "1,234.50"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0.00", -1234.5, "-1,234.50"},
      {"#,##0.00", 0.5, "0.50"},
      {"#,##0.00", 0.005, "0.01"},
      {"#,##0.00", -0.004, "0.00"},
      {"#,##0.00", 0, "0.00"},
      {"#,##0.00", 999.995, "1,000.00"},  // 999.99499999... in binary, but rounded at 18 digits first
      {"00000", 42, "00042"},
      {"#", 123456, "123456"},
      {"0", 0.4, "0"},
      {"0", 0.5, "1"},
      {"0", 1.5, "2"},
      {"0", 2.5, "3"},
      {"#.##", 0, ""},
      {"#.##", 0.0004, ""},
      {"#.##", 0.004, ".00"},
      {"#.##", 0.05, ".05"},
      {"#.##", 1, "1"},
      {"0#.#", 0.5, "00.5"},
      {"#,##0.00 'kg'", 1234.5, "1,234.50 kg"},
      {"E0", 7, "E7"},
      {"0,0", 1234567, "1,234,567"},
      {"0.0.0", 1.25, "1.25"},            // a second "." is ignored
      {"#,###", 1234567890123.0, "1,234,567,890,123"},
      {"$#,##0.00", 42.1, "$42.10"},
      {"0.00", 1e18, "1E18"},
      {"0", 123456789012345678.0, "123456789012345680"},
      {"0.00", 1e17, "100000000000000000.00"},
      {"##0.0##", 3.14159, "3.142"},
      {"##0.0##", 3.1, "3.1"},
      {"0.000", -0.0005, "-0.001"},
  });
}

TEST(NumberPictureExactDigits, Sections) {
  ExpectAll({
      {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
      {"#,##0.00;(#,##0.00)", 1234.5, "1,234.50"},
      {"#,##0.00;(#,##0.00)", -0.001, "0.00"},
      {"#,##0.00;(#,##0.00);'zero'", 0, "zero"},
      {"#,##0.00;(#,##0.00);'zero'", 0.001, "zero"},
      {"#,##0.00;(#,##0.00);'zero'", -0.001, "zero"},
      {"#,##0.00;(#,##0.00);'zero'", -0.0, "zero"},
      {"0.00;", -2, "-2.00"},
      {";(0.00)", 2, "2"},
      {";(0.00)", -2, "(2.00)"},
      {";;", 0, "0"},
      {";;", -0.0, "0"},
      {";;'Z'", 0, "Z"},
      {";;'Z'", -0.0, "0"},
      {"0.0;;'Z'", 0, "Z"},
      {"0.0;;'Z'", -0.0, "Z"},
      {"0.00;;'Z'", -2, "-2.00"},
      {"\"a;b\" 0;neg", 5, "a;b 5"},
      {"\"a;b\" 0;neg 0", -5, "neg 5"},
      {"0 'abc", 5, "5 abc"},            // an unclosed quote copies the rest
      {"'x", 5, "x"},
      {"0;'open", -3, "open"},           // the unclosed quote is in the section found
      {"'a;0;0", -3, "-a;0;0"},          // an unclosed quote on the way: the first section
      {"", 1234.5, "1234.5"},
      {"0.00;-0.00;0", 1e-9, "0"},
  });
}

TEST(NumberPictureExactDigits, Exponents) {
  ExpectAll({
      {"0.00E+00", 1234.5, "1.23E+03"},
      {"0.00E+00", 0.000123, "1.23E-04"},
      {"0.00E+00", 0, "0.00E+00"},
      {"0.00E-00", 1234.5, "1.23E03"},
      {"0.00e-0", 0.000123, "1.23e-4"},
      {"0E+0", 5, "5E+0"},
      {"##0.0E+0", 12345, "123.5E+2"},
      {"0.00E+0000", 1e300, "1.00E+0300"},
      // Four exponent zeros at most: the fifth is a placeholder past the last
      // mandatory decimal, with no digit left to show.
      {"0.00E+00000", 1e300, "1.00E+0300"},
      {"0E+000000.0", 12, "1E+0001.2"},
      {"0.0E+00", -9.96, "-1.0E+01"},
      {"0E+00", 1e18, "1E+18"},              // a picture with an exponent takes any magnitude
      {"0.00E+00", 1e-300, "1.00E-300"},
  });
}

TEST(NumberPictureExactDigits, SpecialValuesTakeTheGeneralText) {
  const double inf = std::numeric_limits<double>::infinity();
  ExpectAll({
      {"#,##0.00", inf, "INF"},
      {"#,##0.00", -inf, "-INF"},
      {"#,##0.00", std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {"0.00E+00", inf, "INF"},
      {"0.00", 1.5e20, "1.5E20"},
  });
}

TEST(NumberPictureExactDigits, LocaleSeparators) {
  ExpectAll({{"#,##0.00", 1234567.5, "1.234.567,50"},
             {"0.00E+00", 1234.5, "1,23E+03"},
             {"", 1234.5, "1234,5"}},
            {',', '.'});
  // No group separator in the locale: none written. No decimal mark: none.
  ExpectAll({{"#,##0.00", 1234567.5, "1234567.50"}}, {'.', '\0'});
  ExpectAll({{"#,##0.00", 1234.5, "1,23450"}}, {'\0', ','});
}

TEST(NumberPictureExactDigits, LongPictures) {
  const std::string grouped = std::string(223, '0') + ",";
  const std::string text = Format(grouped, 1);
  EXPECT_EQ(text.size(), 297u);
  EXPECT_EQ(text.substr(text.size() - 5), "0,001");
  EXPECT_EQ(Format(std::string(224, '#'), 5), "5");
  EXPECT_THROW(Format(std::string(225, '#'), 5), udfzel::EConvertError);
  try {
    Format(std::string(300, '0'), 1);
    FAIL();
  } catch (const udfzel::EConvertError& error) {
    EXPECT_STREQ(error.what(), "String de formato muito longa");
  }
}

}  // namespace
