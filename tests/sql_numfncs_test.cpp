// The number functions end to end in the embedded server, under the
// fallback locale and under Brazilian Portuguese.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sql_fixture.h"

namespace {

using udfzel_test::ByFace;

using fbtest::Value;
using udfzel_test::BrazilianLocale;
using udfzel_test::SqlTest;

// Fallback locale: "." and ","; pt_BR: "," and ".".
class SqlNumbers : public SqlTest {};

TEST_F(SqlNumbers, FormatFloatByPicture) {
  ExpectValuesInLocale({
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
      // SQL NULL reaches a legacy function as an empty text or 0.
      {"f_formatfloat(null, 2.5)", ByFace("2.5", std::nullopt), ByFace("2,5", std::nullopt)},
      {"f_formatfloat('0.0', null)", ByFace("0.0", std::nullopt), ByFace("0,0", std::nullopt)},
  });
}

// The library's error: NULL from the legacy face, an SQL error with the
// library's message from the UDR face.
TEST_F(SqlNumbers, OverLongPicture) {
  EXPECT_EQ(Eval("f_formatfloat(?, 1)", {std::string(224, '#')}), "1");
  for (const std::string& picture : {std::string(225, '#'), std::string(255, '0')}) {
    ExpectNullOrLibraryError("f_formatfloat(?, 1)", {picture}, "String de formato muito longa");
  }
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

namespace {

class SqlArithmetic : public udfzel_test::SqlTest {};

// A double that is not finite is no SQL value: both faces (the UDR face in
// either mode) give the server's own error for it.
TEST_F(SqlArithmetic, NonFiniteResultsAreTheServersError) {
  for (const char* expression : {"f_divnum(-1e308, 1e-300)", "f_divnum(1e308, 1e-300)"}) {
    udfzel_test::ExpectErrorHolding(
        expression, [&] { return Eval(expression); }, "Floating point overflow in result from UDF");
  }
}

TEST_F(SqlArithmetic, IntegersByValue) {
  ExpectValues({
      {"f_inc(5, 1)", "6"},
      {"f_inc(7, 5)", "10"},
      {"f_inc(2, -3)", "-1"},
      {"f_inc(2147483647, 1)", "-2147483648"},
      {"f_div(7, 2)", "3"},
      {"f_div(-7, 2)", "-3"},
      {"f_div(10000000000, 3)", "3333333333"},
      {"f_div(-9223372036854775808, -1)", "-9223372036854775808"},
      {"f_div(7, 0)", "0"},
      {"f_mod(-7, 2)", "-1"},
      {"f_mod(7, -2)", "1"},
      {"f_mod(-9223372036854775808, -1)", "0"},
      {"f_trunc(2.9e0)", "2"},
      {"f_trunc(-2.9e0)", "-2"},
      {"f_trunc(1e19)", "-9223372036854775808"},
      {"f_divnum(1e0, 4e0)", "0.2500000000000000"},
      {"f_divnum(5e0, 0e0)", "0.000000000000000"},
  });
}

TEST_F(SqlArithmetic, BigintAndNumericColumns) {
  Db().Execute("create table ledger (id integer, amount bigint, price numeric(18, 4))");
  Db().Commit();
  Db().Execute("insert into ledger values (1, 9223372036854775807, 1234.5678)");
  Db().Execute("insert into ledger values (2, -9223372036854775808, -0.1250)");
  Db().Execute("insert into ledger values (3, 100, 2.5000)");
  const fbtest::Rows rows = Db().Query(
      "select f_div(amount, 10), f_mod(amount, 10), f_round(cast(price as double precision), 2),"
      " f_num(cast(price as double precision), 1), f_trunc(cast(price as double precision))"
      " from ledger order by id");
  const fbtest::Rows expected = {
      {"922337203685477580", "7", "1234.570000000000", "1234.500000000000", "1234"},
      {"-922337203685477580", "-8", "-0.1300000000000000", "-0.1000000000000000", "0"},
      {"10", "0", "2.500000000000000", "2.500000000000000", "2"},
  };
  EXPECT_EQ(rows, expected);
}

// The rounding functions give the same numbers in every locale; F_Str and
// F_StrZero always write ".".
TEST_F(SqlArithmetic, RoundingAndFixedWidthText) {
  ExpectValues({
      {"f_round(1234.5678e0, 2)", "1234.570000000000"},
      {"f_round(1234.5678e0, -2)", "12.00000000000000"},
      {"f_round(2.5e0, 0)", "2.000000000000000"},
      {"f_round(0.125e0, 2)", "0.1300000000000000"},
      {"f_num(2.678e0, 2)", "2.670000000000000"},
      {"f_num(12345.678e0, -2)", "123.0000000000000"},
      {"f_num(1e15, -2)", "10000000000000.00"},
      {"'[' || f_str(1234.5e0, 10, 2) || ']'", "[   1234.50]"},
      {"f_strzero(1234.5e0, 10, 2)", "0001234.50"},
      {"f_strzero(-12.5e0, 8, 2)", "00-12.50"},
      {"f_str(1234.5e0, 23, -1)", " 1.23450000000000E+0003"},
      {"f_strzero(42, 6, 0)", "000042"},
      {"char_length(f_str(1, 1000, 0))", "255"},
  });
}

}  // namespace
