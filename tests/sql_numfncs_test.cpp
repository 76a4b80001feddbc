// The number functions end to end in the embedded server, under the
// fallback locale and under Brazilian Portuguese.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sql_fixture.h"

namespace {

using fbtest::Value;
using udfzel_test::BrazilianLocale;
using udfzel_test::SqlTest;

struct LocaleCase {
  std::string expression;
  Value fallback;   // LANG=C: "." and ","
  Value brazilian;  // pt_BR: "," and "."
};

class SqlNumbers : public SqlTest {
 protected:
  static void ExpectAll(const std::vector<LocaleCase>& cases) {
    for (const LocaleCase& c : cases) {
      EXPECT_EQ(Eval(c.expression), BrazilianLocale() ? c.brazilian : c.fallback)
          << c.expression;
    }
  }
};

TEST_F(SqlNumbers, FormatFloatByPicture) {
  ExpectAll({
      {"f_formatfloat('#,##0.00', 1234.5)", "1,234.50", "1.234,50"},
      {"f_formatfloat('#,##0.00', -1234567.891)", "-1,234,567.89", "-1.234.567,89"},
      {"f_formatfloat('#,##0.00;(#,##0.00);''zero''', -1234.5)", "(1,234.50)", "(1.234,50)"},
      {"f_formatfloat('#,##0.00;(#,##0.00);''zero''', 0)", "zero", "zero"},
      {"f_formatfloat('0.00E+00', 1234.5)", "1.23E+03", "1,23E+03"},
      {"f_formatfloat('00000', 42)", "00042", "00042"},
      {"f_formatfloat('', 1234.5)", "1234.5", "1234,5"},
      {"f_formatfloat('#.##', 0)", "", ""},
      {"f_formatfloat('0.00', 1e18)", "1E18", "1E18"},
      {"f_formatfloat('#,##0.00 \"€\"', 9.5)", "9.50 €", "9,50 €"},
      {"f_formatfloat('R$ #,##0.00', 1000000)", "R$ 1,000,000.00", "R$ 1.000.000,00"},
      // SQL NULL reaches a function declared without NULL as an empty text or 0.
      {"f_formatfloat(null, 2.5)", "2.5", "2,5"},
      {"f_formatfloat('0.0', null)", "0.0", "0,0"},
  });
}

TEST_F(SqlNumbers, OverLongPictureGivesNull) {
  EXPECT_EQ(Eval("f_formatfloat(?, 1)", {std::string(224, '#')}), "1");
  EXPECT_EQ(Eval("f_formatfloat(?, 1)", {std::string(225, '#')}), std::nullopt);
  EXPECT_EQ(Eval("f_formatfloat(?, 1)", {std::string(255, '0')}), std::nullopt);
}

TEST_F(SqlNumbers, LongResults) {
  const Value text = Eval("f_formatfloat(?, 1)", {std::string(223, '0') + ","});
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->size(), 297u);
  EXPECT_EQ(text->substr(text->size() - 5), BrazilianLocale() ? "0.001" : "0,001");
}

TEST_F(SqlNumbers, PriceListFromATable) {
  Db().Execute("create table prices (item varchar(20), price double precision)");
  Db().Commit();
  Db().Execute("insert into prices values ('pão', 0.75)");
  Db().Execute("insert into prices values ('café', 12.5)");
  Db().Execute("insert into prices values ('notebook', 4599.999)");
  const fbtest::Rows rows =
      Db().Query("select item, f_formatfloat('#,##0.00', price) from prices order by price");
  const fbtest::Rows fallback = {{"pão", "0.75"}, {"café", "12.50"}, {"notebook", "4,600.00"}};
  const fbtest::Rows brazilian = {{"pão", "0,75"}, {"café", "12,50"}, {"notebook", "4.600,00"}};
  EXPECT_EQ(rows, BrazilianLocale() ? brazilian : fallback);
}

}  // namespace
