// Where the two faces differ, and that they differ nowhere else: a NULL in
// any argument of any function (the legacy face computes with an empty text
// or 0, the UDR face gives NULL), and every function on the hostile rows
// through both faces declared side by side in one database.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frame/character_sets.h"
#include "hostile_rows.h"
#include "list/function_list.h"
#include "script_text.h"
#include "sql_fixture.h"
#include "udr/message_layout.h"

namespace {

using udfzel::ArgKind;
using udfzel::FunctionSpec;
using udfzel::ResultKind;
using udfzel_test::Face;
using udfzel_test::SqlTest;
using udfzel_test::TestFace;

// An argument of each kind, SQL NULL of that kind, and what SQL NULL reaches
// a legacy function as.
struct KindValues {
  const char* sample;
  const char* null;
  const char* legacyNull;  // null: no SQL value stands for it
};

KindValues ValuesOf(ArgKind kind) {
  switch (kind) {
    case ArgKind::Text:
      return {"'  Abc d '", "cast(null as varchar(10))", "''"};
    case ArgKind::Picture:
      return {"'0.00'", "cast(null as varchar(10))", "''"};
    case ArgKind::Int32:
      return {"2", "cast(null as integer)", "0"};
    case ArgKind::Int64:
      return {"7", "cast(null as bigint)", "0"};
    case ArgKind::Double:
      return {"2.5", "cast(null as double precision)", "0"};
    // The legacy face reads NULL as the zero record, day 0 at midnight.
    case ArgKind::Timestamp:
      return {"timestamp '2024-02-10 10:30:00'", "cast(null as timestamp)",
              "timestamp '1858-11-17 00:00:00'"};
    case ArgKind::Blob:
      return {"cast('abc' as blob)", "cast(null as blob)", nullptr};
    case ArgKind::None:
      break;
  }
  return {"", "", ""};
}

// The call with argument `position` replaced by `replacement`; blob results
// are measured, so the server need not render a blob.
std::string CallWith(const FunctionSpec& fn, std::size_t position, const char* replacement) {
  std::string call = std::string(fn.entry) + "(";
  for (std::size_t i = 0; i < udfzel::udr::InputCount(fn); ++i) {
    if (i > 0) call += ", ";
    call += i == position ? replacement : ValuesOf(fn.args[i]).sample;
  }
  call += ")";
  return fn.result == ResultKind::BlobArgument ? "octet_length(" + call + ")" : call;
}

// A legacy function given no blob: 0 for counts, NULL for a text.
fbtest::Value LegacyNoBlob(ResultKind result) {
  return result == ResultKind::NewText ? fbtest::Value() : fbtest::Value("0");
}

class SqlFaces : public SqlTest {};

TEST_F(SqlFaces, NullInEveryArgumentOfEveryFunction) {
  for (const FunctionSpec& fn : udfzel::kFunctions) {
    for (std::size_t position = 0; position < udfzel::udr::InputCount(fn); ++position) {
      const KindValues values = ValuesOf(fn.args[position]);
      const std::string withNull = CallWith(fn, position, values.null);
      const fbtest::Value result = Eval(withNull);
      if (!udfzel_test::LegacyResults()) {
        EXPECT_EQ(result, std::nullopt) << withNull;
      } else if (values.legacyNull == nullptr) {
        EXPECT_EQ(result, LegacyNoBlob(fn.result)) << withNull;
      } else {
        EXPECT_EQ(result, Eval(CallWith(fn, position, values.legacyNull))) << withNull;
      }
    }
  }
}

// The UDR module takes texts as long as a declaration makes them: a result
// longer than its declaration is the server's truncation error, not a cut
// text; an argument longer than its declaration never reaches the module.
// The suites run on the engine they were meant for (UDFZEL_TEST_ENGINE).
TEST_F(SqlFaces, RunOnTheEngineUnderTest) {
  const char* expected = std::getenv("UDFZEL_TEST_ENGINE");
  EXPECT_EQ(udfzel_test::EngineMajorVersion(), expected == nullptr ? 3 : std::atoi(expected));
}

// A value of a type newer servers added, where a function expects its own
// kind: the server converts it as it converts any value, or refuses it with
// its own error; both faces alike.
TEST_F(SqlFaces, NewerTypesConvertOrGiveTheServersError) {
  if (udfzel_test::EngineMajorVersion() < 4) GTEST_SKIP() << "Firebird 3 has none of these types";
  ExpectValues({
      {"f_ultdiames(timestamp '2024-02-10 10:30:00 America/Sao_Paulo')", "29"},
      {"f_div(cast(10 as int128), cast(4 as int128))", "2"},
      {"f_round(cast(1.125 as decfloat(16)), 2)", "1.130000000000000"},
      {"f_strlen(true)", "4"},
  });
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"f_div(cast(170141183460469231731687303715884105727 as int128), 2)", "Integer overflow"},
      {"f_round(cast(1e400 as decfloat(34)), 2)", "Floating-point overflow"},
      {"f_inc(true, 1)", "conversion error from string \"BOOLEAN\""},
  };
  for (const auto& [expression, message] : refused) {
    const std::string& text = expression;
    udfzel_test::ExpectErrorHolding(text, [&] { return Eval(text); }, message);
  }
}

// Texts in the loaded locale's code page reach a UTF8 connection as what
// they say, through either face: the declarations name the code page's
// character set, and the UDR face gives the server the same one at setup.
// Two-byte characters whose second byte is an ASCII letter stay whole.
TEST_F(SqlFaces, TextsInTheLocalesCodePage) {
  struct Case {
    const char* locale;
    const char* expression;
    const char* expected;
  };
  const char* const date = "timestamp '2024-03-05 14:07:09'";
  const std::string dayMonthYear =
      std::string("f_formatdatetime('dddd, d mmmm yyyy', ") + date + ")";
  const std::string dayAndMark =
      std::string("f_formatdatetime('yyyy/mm/dd dddd ampm', ") + date + ")";
  const std::string number = "f_formatfloat('#,##0.00', 1234567.891)";
  const std::vector<Case> cases = {
      {"ru_RU", dayMonthYear.c_str(), "вторник, 5 март 2024"},
      {"ru_RU", "f_propercase('ИВАН ПЕТРОВ')", "Иван Петров"},
      {"ru_RU", "f_constr('Иван Петров')", "ИВАН ПЕТРОВ"},
      {"ru_RU", number.c_str(), "1\u00a0234\u00a0567,89"},
      {"el_GR", dayMonthYear.c_str(), "Τρίτη, 5 Μάρτιος 2024"},
      {"el_GR", "f_propercase('ΆΝΝΑ ΜΑΡΊΑ')", "Άννα Μαρία"},
      {"el_GR", "f_constr('Άννα Μαρία')", "ΆΝΝΑ ΜΑΡΊΑ"},
      {"el_GR", number.c_str(), "1.234.567,89"},
      {"cs_CZ", dayMonthYear.c_str(), "úterý, 5 březen 2024"},
      {"cs_CZ", "f_propercase('ČENĚK ĎURÁN')", "Čeněk Ďurán"},
      {"cs_CZ", "f_constr('Čeněk Ďurán')", "CENEK DURAN"},
      {"cs_CZ", number.c_str(), "1\u00a0234\u00a0567,89"},
      {"ja_JP", dayAndMark.c_str(), "2024/03/05 火曜日 午後"},
      {"ja_JP", "f_propercase('年 TOKYO')", "年 Tokyo"},
      {"ja_JP", "f_constr('ﾀﾁﾂ tokyo')", "ﾀﾁﾂ TOKYO"},
      {"ja_JP", number.c_str(), "1,234,567.89"},
      {"zh_TW", dayAndMark.c_str(), "2024/03/05 星期二 下午"},
      {"zh_TW", "f_propercase('臺北 TAIPEI')", "臺北 Taipei"},
      {"zh_TW", "f_constr('大山 taipei')", "大山 TAIPEI"},
      {"zh_TW", number.c_str(), "1,234,567.89"},
  };
  std::size_t checked = 0;
  for (const Case& c : cases) {
    if (udfzel_test::TestLocale() != c.locale) continue;
    EXPECT_EQ(Eval(c.expression), fbtest::Value(c.expected)) << c.locale << ": " << c.expression;
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "no texts for the locale " << udfzel_test::TestLocale();
  // What the server was told: the declared character set of a text.
  EXPECT_EQ(Eval("(select trim(cs.rdb$character_set_name) from rdb$function_arguments a"
                 " left join rdb$fields f on f.rdb$field_name = a.rdb$field_source"
                 " join rdb$character_sets cs on cs.rdb$character_set_id ="
                 " coalesce(a.rdb$character_set_id, f.rdb$character_set_id)"
                 " where a.rdb$function_name = 'F_STRLEFT' and a.rdb$argument_position = 1)"),
            fbtest::Value(udfzel_test::TestCharacterSet()));
}

// The character set of every code page a locale loads is the server's own:
// its name, number and longest character as RDB$CHARACTER_SETS has them.
TEST_F(SqlFaces, CharacterSetsAreTheServers) {
  for (const udfzel::CharacterSet& set : udfzel::kCharacterSets) {
    const std::string name(set.name);
    EXPECT_EQ(Eval("(select rdb$character_set_id || ':' || rdb$bytes_per_character"
                   " from rdb$character_sets where rdb$character_set_name = '" +
                   name + "')"),
              fbtest::Value(std::to_string(set.id) + ":" + std::to_string(set.bytesPerCharacter)))
        << name << " for code page " << set.codePage;
  }
}

TEST_F(SqlFaces, UdrTextsFollowTheirDeclaration) {
  if (TestFace() != Face::Udr) GTEST_SKIP() << "the legacy module's sizes are fixed";
  Db().Execute(
      "create function short_format (p varchar(255) character set win1252,"
      " x double precision) returns varchar(5) character set win1252"
      " external name 'udfzel!F_FormatFloat' engine udr");
  Db().Execute(
      "create function short_left (t varchar(4) character set win1252, n integer)"
      " returns varchar(4) character set win1252"
      " external name 'udfzel!F_StrLeft' engine udr");
  Db().Commit();
  EXPECT_EQ(Eval("short_format('000', 1)"), "001");
  EXPECT_THROW(Eval("short_format('000000', 1)"), fbtest::FbError);
  EXPECT_EQ(Eval("short_left('abcd', 3)"), "abc");
  EXPECT_THROW(Eval("short_left('abcde', 3)"), fbtest::FbError);
}

// The declarations of the face not under test, renamed X_..., beside those
// of the face under test.
std::string OtherFaceRenamed() {
  const Face other = TestFace() == Face::Udr ? Face::Legacy : Face::Udr;
  return fbtest::WithFunctionPrefix(udfzel_test::DeclarationScript(other), "X_");
}

class SqlBothFaces : public SqlTest {
 protected:
  static void SetUpTestSuite() {
    SqlTest::SetUpTestSuite();
    SetUpStep([] {
      Db().ExecuteScript(OtherFaceRenamed());
      Db().Commit();
      udfzel_test::FillHostileRows(Db(), DatabasePath());
    });
  }
};

// Every function gives the same result through both faces on every hostile
// row (none has a NULL; pictures stay short of the over-long error).
TEST_F(SqlBothFaces, AgreeOnEveryHostileRow) {
  if (!udfzel_test::EngineCallsLegacyFunctions()) GTEST_SKIP() << "no legacy calls on this engine";
  auto db = fbtest::FbSession::Attach(DatabasePath(), "WIN1252");
  for (const udfzel_test::FunctionUse& use : udfzel_test::HostileUses()) {
    // Both faces see the same arguments: no over-long picture.
    const std::string expression = use.Expression(true);
    const std::string other = fbtest::ReplaceAll(expression, "f_", "x_");
    const fbtest::Rows rows =
        db.Query("select " + expression + ", " + other + " from hostile order by id");
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(udfzel_test::kHostileRows)) << use.entry;
    int differing = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
      if (rows[row][0] != rows[row][1] && ++differing <= 3) {
        ADD_FAILURE() << use.entry << " row " << row << ": " << rows[row][0].value_or("NULL")
                      << " vs " << rows[row][1].value_or("NULL");
      }
    }
  }
}

}  // namespace
