// The shipped declaration script, run the way an administrator runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "list/function_list.h"
#include "script_text.h"
#include "sql_fixture.h"
#include "udr/message_layout.h"

namespace {

using udfzel_test::TestDatabasePath;

// Runs isql-fb on a script; returns its exit status and everything it printed.
std::pair<int, std::string> RunIsql(const std::string& script) {
  // The isql of the engine under test (UDFZEL_TEST_ISQL), Debian's otherwise.
  const char* isql = std::getenv("UDFZEL_TEST_ISQL");
  const std::string command =
      std::string(isql != nullptr ? isql : "isql-fb") + " -q -b -m -i '" + script + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, "cannot start isql-fb"};
  std::string output;
  char chunk[512];
  while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) output += chunk;
  return {pclose(pipe), output};
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Runs a face's script in isql on a new database and returns what the
// catalogue then holds for each user function: name, entry point, module or
// engine, and the number of argument rows (the result included).
fbtest::Rows DeclareInIsql(const std::string& name, const std::string& scriptPath) {
  const std::string database = TestDatabasePath(name);
  const std::string script = database + ".sql";
  std::ofstream(script) << "create database '" << fbtest::DatabaseAddress(database)
                        << "' user 'SYSDBA';\n"
                        << "input '" << scriptPath << "';\n";
  const auto [status, output] = RunIsql(script);
  std::remove(script.c_str());
  EXPECT_EQ(status, 0) << output;
  EXPECT_EQ(output, "");
  auto db = fbtest::FbSession::Attach(database, "UTF8");
  const fbtest::Rows declared = db.Query(
      "select trim(f.rdb$function_name), trim(f.rdb$entrypoint),"
      " trim(coalesce(f.rdb$module_name, f.rdb$engine_name)),"
      " (select count(*) from rdb$function_arguments a"
      "   where a.rdb$function_name = f.rdb$function_name)"
      " from rdb$functions f where coalesce(f.rdb$system_flag, 0) = 0");
  db.Drop();
  return declared;
}

TEST(DeclarationScript, LegacyScriptDeclaresEveryListedFunction) {
  const fbtest::Rows declared =
      DeclareInIsql("isql", udfzel_test::DeclarationScriptPath(udfzel_test::Face::Legacy));
  ASSERT_EQ(declared.size(), udfzel::kFunctions.size());
  for (const auto& fn : udfzel::kFunctions) {
    const std::size_t arguments =
        fn.ArgCount() + (fn.result == udfzel::ResultKind::BlobArgument ? 0 : 1);
    const fbtest::Row expected = {Upper(fn.entry), std::string(fn.entry), "udfzel",
                                  std::to_string(arguments)};
    EXPECT_NE(std::find(declared.begin(), declared.end(), expected), declared.end()) << fn.entry;
  }
}

// The server loads the UDR module while it runs the script: a function the
// module does not register, or declared with the wrong arguments, fails here.
TEST(DeclarationScript, UdrScriptDeclaresEveryListedFunction) {
  const fbtest::Rows declared =
      DeclareInIsql("isql-udr", udfzel_test::DeclarationScriptPath(udfzel_test::Face::Udr));
  ASSERT_EQ(declared.size(), udfzel::kFunctions.size());
  for (const auto& fn : udfzel::kFunctions) {
    const fbtest::Row expected = {Upper(fn.entry), udfzel_test::UdrExternalName(fn.entry), "UDR",
                                  std::to_string(udfzel::udr::InputCount(fn) + 1)};
    EXPECT_NE(std::find(declared.begin(), declared.end(), expected), declared.end()) << fn.entry;
  }
}

// Schemas (Firebird 6): the script declares into the current schema, the
// first of the search path, where the functions answer qualified, and
// unqualified through a search path that names their schema; the default
// search path (PUBLIC, SYSTEM) does not find them.
TEST(DeclarationScript, UdrScriptDeclaresIntoTheCurrentSchema) {
  if (udfzel_test::EngineMajorVersion() < 6) GTEST_SKIP() << "schemas begin with Firebird 6";
  const std::string database = TestDatabasePath("isql-schema");
  const std::string script = database + ".sql";
  std::ofstream(script) << "create database '" << fbtest::DatabaseAddress(database)
                        << "' user 'SYSDBA';\n"
                        << "create schema accounting;\ncommit;\n"
                        << "set search_path to accounting, system;\n"
                        << "input '" << udfzel_test::DeclarationScriptPath(udfzel_test::Face::Udr)
                        << "';\n";
  const auto [status, output] = RunIsql(script);
  std::remove(script.c_str());
  ASSERT_EQ(status, 0) << output;

  const std::string countIn =
      "select count(*) from rdb$functions where coalesce(rdb$system_flag, 0) = 0"
      " and rdb$schema_name = ";
  EXPECT_EQ(fbtest::FbSession::Attach(database, "UTF8").Scalar(countIn + "'ACCOUNTING'"),
            std::to_string(udfzel::kFunctions.size()));
  EXPECT_EQ(fbtest::FbSession::Attach(database, "UTF8").Scalar(countIn + "'PUBLIC'"), "0");
  struct Call {
    const char* searchPath;  // null: the attachment's default
    const char* expression;
    fbtest::Value expected;  // nullopt: "Function unknown"
  };
  const Call calls[] = {
      {nullptr, "accounting.f_strleft('abcdef', 3)", "abc"},
      {nullptr, "\"ACCOUNTING\".\"F_STRLEFT\"('abcdef', 3)", "abc"},
      {nullptr, "f_strleft('abcdef', 3)", std::nullopt},
      {"accounting, system", "f_strleft('abcdef', 3)", "abc"},
      {"public, accounting, system", "f_strright('abcdef', 2)", "ef"},
      {"public, system", "f_strleft('abcdef', 3)", std::nullopt},
  };
  for (const Call& call : calls) {
    auto db = fbtest::FbSession::Attach(database, "UTF8");
    if (call.searchPath != nullptr)
      db.Execute(std::string("set search_path to ") + call.searchPath);
    const std::string query = std::string("select ") + call.expression + " from rdb$database";
    if (call.expected) {
      EXPECT_EQ(db.Scalar(query), call.expected) << call.expression;
    } else {
      udfzel_test::ExpectErrorHolding(
          call.expression, [&] { return db.Scalar(query); }, "Function unknown");
    }
  }
  fbtest::FbSession::Attach(database, "UTF8").Drop();
}

// A database whose view, procedure and trigger call the legacy functions
// moves to the UDR face by one script, on every server version: the server
// refuses to drop a function with dependents, but CREATE OR ALTER switches
// it in place, and in the legacy-compatible mode nothing that depends on
// the functions gives other results. Each step in an attachment of its own:
// an attachment that ran a dependent procedure before the switch spins in
// the engine when it runs it again after (docs/udr.md).
class SqlMigration : public udfzel_test::SqlTest {
 protected:
  static void SetUpTestSuite() {
    SqlTest::SetUpTestSuite();
    if (udfzel_test::TestFace() != udfzel_test::Face::Legacy) return;
    SetUpStep([] {
      auto db = Fresh();
      db.ExecuteScript(fbtest::ReadFile(UDFZEL_TEST_SQL_DIR "/legacy_dependents.sql"));
      db.ExecuteScript(fbtest::ReadFile(UDFZEL_TEST_SQL_DIR "/legacy_dependents_rows.sql"));
      db.Commit();
    });
  }

  static fbtest::FbSession Fresh() { return fbtest::FbSession::Attach(DatabasePath(), "UTF8"); }

  // Everything the dependents give, as rows.
  static fbtest::Rows DependentResults() {
    auto db = Fresh();
    fbtest::Rows rows = db.Query("select * from people_v order by id");
    for (const char* call :
         {"select t from price_text('0.00', 2.5)", "select t from price_text(null, null)",
          "select t from price_text(lpad('', 230, '0'), 1)"}) {
      rows.push_back(db.Query(call).at(0));
    }
    db.Execute("insert into people (id, name) values (3, 'MARIA DAS DORES')");
    rows.push_back(db.Query("select name, f_blobtostr(notes) from people where id = 3").at(0));
    db.Execute("delete from people where id = 3");
    db.Commit();
    // Columns taken straight from text results, through a view over a view
    // and a computed column.
    for (const char* query : {"select * from people_initials_v order by id",
                              "select id, name_start from people order by id"}) {
      for (fbtest::Row& row : db.Query(query)) rows.push_back(std::move(row));
    }
    return rows;
  }

  static fbtest::Rows Engines() {
    return Fresh().Query(
        "select coalesce(trim(rdb$engine_name), 'legacy'), count(*) from rdb$functions"
        " where coalesce(rdb$system_flag, 0) = 0 group by 1");
  }

  // Whether the process running the engine for this database (this one in
  // the embedded engine, the server on this machine) maps udfzel.so.
  static bool EngineMapsLegacyModule() {
    const fbtest::Value pid = Fresh().Scalar(
        "select mon$server_pid from mon$attachments where mon$attachment_id = current_connection");
    std::ifstream maps("/proc/" + pid.value_or("self") + "/maps");
    for (std::string line; std::getline(maps, line);) {
      if (line.ends_with("/udfzel.so")) return true;
    }
    return false;
  }

  // Runs a script's statements, each committed, as isql does by default.
  static void RunScript(const std::string& path, const std::string& only = "") {
    auto db = Fresh();
    for (const std::string& statement : fbtest::SplitScript(fbtest::ReadFile(path))) {
      if (statement == "COMMIT" || statement.find(only) == std::string::npos) continue;
      db.Execute(statement);
      db.Commit();
    }
  }
};

TEST_F(SqlMigration, LegacyDeclarationsWithDependentsMoveToTheUdrFace) {
  if (udfzel_test::TestFace() != udfzel_test::Face::Legacy) {
    GTEST_SKIP() << "starts from the legacy declarations";
  }
  const fbtest::Rows before = DependentResults();
  ASSERT_EQ(before.size(), 10u);
  EXPECT_EQ(before[1][2], "0");           // F_FORMATFLOAT(NULL, NULL): '' and 0
  EXPECT_EQ(before[4][0], std::nullopt);  // the over-long picture: NULL
  EXPECT_EQ(before[6], (fbtest::Row{"1", "J"}));
  EXPECT_EQ(before[9], (fbtest::Row{"2", ""}));  // F_STRLEFT(NULL, 3): an empty text
  {
    // The server refuses to drop a function that has dependents.
    auto db = Fresh();
    db.Execute("drop external function f_strleft");
    EXPECT_THROW(db.Commit(), fbtest::FbError);
    db.Rollback();
  }
  RunScript(UDFZEL_UDR_LEGACY_SQL_SCRIPT);
  EXPECT_EQ(Engines(), (fbtest::Rows{{"UDR", std::to_string(udfzel::kFunctions.size())}}));
  // Opened afresh, every dependent calls the UDR face: the legacy module is
  // not even loaded.
  ReopenDatabase();
  EXPECT_EQ(DependentResults(), before);
  EXPECT_FALSE(EngineMapsLegacyModule());

  // One function at a time to the NULL-correct declaration.
  RunScript(UDFZEL_UDR_SQL_SCRIPT, "FUNCTION F_FORMATFLOAT (");
  ReopenDatabase();
  EXPECT_EQ(Fresh().Query("select price_text from people_v order by id"),
            (fbtest::Rows{{before[0][2]}, {std::nullopt}}));
  EXPECT_EQ(Fresh().Query("select t from price_text(null, null)"), (fbtest::Rows{{std::nullopt}}));
}

}  // namespace
