// The shipped declaration script, run the way an administrator runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "list/function_list.h"
#include "sql_fixture.h"
#include "udr/message_layout.h"

namespace {

using udfzel_test::TestDatabasePath;

// Runs isql-fb on a script; returns its exit status and everything it printed.
std::pair<int, std::string> RunIsql(const std::string& script) {
  const std::string command = "isql-fb -q -b -m -i '" + script + "' 2>&1";
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
  const fbtest::Rows declared = DeclareInIsql("isql", udfzel_test::DeclarationScriptPath(udfzel_test::Face::Legacy));
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
  const fbtest::Rows declared = DeclareInIsql("isql-udr", udfzel_test::DeclarationScriptPath(udfzel_test::Face::Udr));
  ASSERT_EQ(declared.size(), udfzel::kFunctions.size());
  for (const auto& fn : udfzel::kFunctions) {
    const fbtest::Row expected = {Upper(fn.entry), "udfzel!" + std::string(fn.entry), "UDR",
                                  std::to_string(udfzel::udr::InputCount(fn) + 1)};
    EXPECT_NE(std::find(declared.begin(), declared.end(), expected), declared.end()) << fn.entry;
  }
}

}  // namespace
