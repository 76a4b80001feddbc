// The text functions end to end in the embedded server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sql_fixture.h"

namespace {

using udfzel_test::ByFace;

using fbtest::Value;
using namespace std::string_literals;
using udfzel_test::SqlTest;

class SqlText : public SqlTest {};

TEST_F(SqlText, LiteralsGiveTheDocumentedResults) {
  ExpectValues({
      {"f_strlen('')", "0"},
      {"f_strlen('abc')", "3"},
      {"f_strlen('  ab  ')", "6"},
      {"'[' || f_ltrim('  ab  ') || ']'", "[ab  ]"},
      {"'[' || f_rtrim('  ab  ') || ']'", "[  ab]"},
      {"'[' || f_trim('  ab  ') || ']'", "[ab]"},
      {"'[' || f_trim('     ') || ']'", "[]"},
      {"'[' || f_trim(ascii_char(9) || ascii_char(13) || ascii_char(10) || 'x' || ascii_char(9)) || ']'",
       "[x]"},
      {"f_strleft('abcdef', 2)", "ab"},
      {"f_strleft('abcdef', 6)", "abcdef"},
      {"f_strleft('abcdef', 100)", "abcdef"},
      {"f_strleft('abcdef', 0)", ""},
      {"f_strleft('abcdef', -3)", ""},
      {"f_strright('abcdef', 2)", "ef"},
      {"f_strright('abcdef', 6)", "abcdef"},
      {"f_strright('abcdef', 7)", ""},
      {"f_strright('abcdef', 0)", ""},
      {"f_substr('abcdef', 3, 2)", "cd"},
      {"f_substr('abcdef', 3, 100)", "cdef"},
      {"f_substr('abcdef', 6, 1)", "f"},
      {"f_substr('abcdef', 7, 1)", ""},
      {"f_substr('abcdef', 0, 1)", ""},
      {"f_substr('abcdef', 3, 0)", ""},
      {"f_substr('abcdef', 2, 2147483647)", "bcdef"},
      {"f_substr('abcdef', -2147483648, 2147483647)", ""},
  });
}

// UTF8 text is transliterated to the functions' WIN1252 and back: lengths and
// positions count WIN1252 bytes, one per accented letter.
TEST_F(SqlText, AccentedTextFromUtf8Columns) {
  Db().Execute("create table people (id integer, name varchar(60) character set utf8)");
  Db().Commit();
  Db().Execute("insert into people values (1, '  José Conceição  ')");
  Db().Execute("insert into people values (2, 'Ângela')");
  Db().Execute("insert into people values (3, '')");
  const fbtest::Rows rows = Db().Query(
      "select f_strlen(name), '[' || f_trim(name) || ']', f_strleft(f_trim(name), 4),"
      " f_strright(name, 3), f_substr(name, 2, 3) from people order by id");
  const fbtest::Rows expected = {
      {"18", "[José Conceição]", "José", "o  ", " Jo"},
      {"6", "[Ângela]", "Ânge", "ela", "nge"},
      {"0", "[]", "", "", ""},
  };
  EXPECT_EQ(rows, expected);
}

// The functions with texts of the full 32765 bytes: the legacy
// declarations, or UDR copies declared that wide (the UDR script declares
// 2000 bytes; the module takes what the declaration gives).
std::string Wide(const std::string& name) {
  if (udfzel_test::TestFace() == udfzel_test::Face::Legacy) return name;
  return std::string("w").append(name, 1);
}

class SqlWideText : public SqlText {
 protected:
  static void SetUpTestSuite() {
    SqlText::SetUpTestSuite();
    if (udfzel_test::TestFace() == udfzel_test::Face::Legacy) return;
    SetUpStep([] {
      const std::string text = "varchar(32765) character set win1252";
      Db().Execute("create function w_strlen (t " + text +
                   ") returns integer external name 'udfzel!F_StrLen' engine udr");
      Db().Execute("create function w_trim (t " + text + ") returns " + text +
                   " external name 'udfzel!F_Trim' engine udr");
      Db().Execute("create function w_strright (t " + text + ", n integer) returns " + text +
                   " external name 'udfzel!F_StrRight' engine udr");
      Db().Commit();
    });
  }
};

// Through a WIN1252 connection the whole declared size is usable.
TEST_F(SqlWideText, LongestTextsThroughAWin1252Connection) {
  auto db = fbtest::FbSession::Attach(DatabasePath(), "WIN1252");
  const std::string big = "  " + std::string(32761, 'x') + "  ";
  const auto eval = [&](const std::string& expression, const std::string& text) {
    return db.Scalar("select " + expression + " from rdb$database", {text});
  };
  EXPECT_EQ(eval(Wide("f_strlen") + "(cast(? as varchar(32765)))", big), "32765");
  EXPECT_EQ(eval(Wide("f_trim") + "(cast(? as varchar(32765)))", big), std::string(32761, 'x'));
  EXPECT_EQ(eval(Wide("f_strright") + "(cast(? as varchar(32765)), 3)", big), "x  ");
  EXPECT_EQ(eval(Wide("f_strlen") + "(cast(? as varchar(32765)))", "\x80\xff\x01"s), "3");
  // A text longer than the declaration is refused by the server itself,
  // and the attachment goes on working.
  EXPECT_THROW(eval(Wide("f_strlen") + "(cast(? as varchar(32766)))", std::string(32766, 'y')),
               fbtest::FbError);
  EXPECT_EQ(eval(Wide("f_strlen") + "(?)", "ok"), "2");
}

// A UTF8 connection describes the 32765-byte WIN1252 text as 8191
// characters of UTF8: longer values are the server's truncation error.
TEST_F(SqlWideText, LongestTextsThroughAUtf8Connection) {
  const auto utf8 = [](std::size_t n) { return std::string(n, 'u'); };
  EXPECT_EQ(Eval(Wide("f_strlen") + "(cast(? as varchar(8191)))", {utf8(8191)}), "8191");
  EXPECT_EQ(Eval("char_length(" + Wide("f_trim") + "(cast(? as varchar(8191))))", {utf8(8191)}),
            "8191");
  EXPECT_THROW(Eval(Wide("f_trim") + "(cast(? as varchar(8192)))", {utf8(8192)}),
               fbtest::FbError);
  EXPECT_EQ(Eval(Wide("f_strlen") + "(?)", {"still fine"}), "10");
}

// The shipped UDR declarations take texts of 2000 bytes; the legacy ones and
// the wide UDR ones of 32765. Beyond the declaration is the server's
// truncation error.
TEST_F(SqlText, ShippedTextLength) {
  const bool narrow =
      udfzel_test::TestFace() == udfzel_test::Face::Udr && !udfzel_test::WideUdrDeclarations();
  const std::size_t limit = narrow ? 2000 : 32765;
  auto db = fbtest::FbSession::Attach(DatabasePath(), "WIN1252");
  const auto strlenOf = [&](std::size_t n) {
    return db.Scalar("select f_strlen(cast(? as varchar(32765))) from rdb$database",
                     {std::string(n, 'a')});
  };
  EXPECT_EQ(strlenOf(limit), std::to_string(limit));
  if (limit < 32765) {
    EXPECT_THROW(strlenOf(limit + 1), fbtest::FbError);
  }
}

// Declared without the NULL keyword, SQL NULL reaches the legacy functions
// as an empty text; declared with it, as a null pointer, which must not
// crash. The UDR face gives NULL.
TEST_F(SqlText, NullArguments) {
  EXPECT_EQ(Eval("f_strlen(null)"), ByFace("0", std::nullopt));
  EXPECT_EQ(Eval("f_trim(null)"), ByFace("", std::nullopt));
  if (!udfzel_test::EngineCallsLegacyFunctions()) return;
  Db().Execute(
      "declare external function t_trim_null cstring(100) null returns cstring(100)"
      " entry_point 'F_Trim' module_name 'udfzel'");
  Db().Execute(
      "declare external function t_strlen_null cstring(100) null returns integer by value"
      " entry_point 'F_StrLen' module_name 'udfzel'");
  Db().Commit();
  EXPECT_EQ(Eval("t_trim_null(null)"), std::nullopt);
  EXPECT_EQ(Eval("t_strlen_null(null)"), "0");
  EXPECT_EQ(Eval("t_trim_null(' a ')"), "a");
}

}  // namespace
