#include "sql_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "script_text.h"

namespace udfzel_test {

std::unique_ptr<fbtest::FbSession> SqlTest::session_;
std::string SqlTest::path_;
std::string SqlTest::setupError_;

namespace {

std::string FaceSetting() {
  const char* face = std::getenv("UDFZEL_TEST_FACE");
  return face == nullptr ? "" : face;
}

}  // namespace

Face TestFace() {
  const std::string face = FaceSetting();
  return face == "udr" || face == "udr_wide" || face == "udr_legacy" ? Face::Udr : Face::Legacy;
}

bool WideUdrDeclarations() { return FaceSetting() == "udr_wide" || FaceSetting() == "udr_legacy"; }

bool LegacyResults() { return TestFace() == Face::Legacy || FaceSetting() == "udr_legacy"; }

std::string UdrExternalName(std::string_view entry) {
  return "udfzel!" + std::string(entry) + (FaceSetting() == "udr_legacy" ? "!legacy" : "");
}

fbtest::Value ByFace(fbtest::Value legacy, fbtest::Value udr) {
  return LegacyResults() ? std::move(legacy) : std::move(udr);
}

std::string DeclarationScriptPath(Face face) {
  std::string script = UDFZEL_SQL_SCRIPT;
  if (face == Face::Udr) {
    script = FaceSetting() == "udr_legacy" ? UDFZEL_UDR_LEGACY_SQL_SCRIPT
             : WideUdrDeclarations()      ? UDFZEL_UDR_WIDE_SQL_SCRIPT
                                          : UDFZEL_UDR_SQL_SCRIPT;
  }
  // The scripts as installed (UDFZEL_TEST_SCRIPT_DIR), or the source tree's;
  // those of another character set than WIN1252 in its own folder
  // (UDFZEL_TEST_CHARSET, the code page of UDFZEL_TEST_LANG).
  const std::string file = script.substr(script.rfind('/'));
  const char* installed = std::getenv("UDFZEL_TEST_SCRIPT_DIR");
  const std::string charSet = TestCharacterSet();
  if (charSet != "WIN1252") {
    return (installed != nullptr ? std::string(installed) : std::string(UDFZEL_CHARSET_SCRIPTS_DIR)) +
           "/" + charSet + file;
  }
  if (installed == nullptr) return script;
  return std::string(installed) + file;
}

std::string TestCharacterSet() {
  const char* charSet = std::getenv("UDFZEL_TEST_CHARSET");
  return charSet != nullptr && *charSet != '\0' ? charSet : "WIN1252";
}

std::string TestLocale() {
  const char* lang = std::getenv("UDFZEL_TEST_LANG");
  const std::string name = lang != nullptr ? lang : "C";
  return name.substr(0, name.find_first_of(".@"));
}

std::string DeclarationScript(Face face) { return fbtest::ReadFile(DeclarationScriptPath(face)); }

std::string TestDatabasePath(const std::string& name) {
  std::filesystem::create_directories(UDFZEL_TEST_DB_DIR);
  const std::string path =
      std::string(UDFZEL_TEST_DB_DIR) + "/" + name + "-" + std::to_string(getpid()) + ".fdb";
  std::filesystem::remove(path);
  return path;
}

void SqlTest::SetUpTestSuite() {
  setupError_.clear();
  SetUpStep([] {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_suite();
    path_ = TestDatabasePath(info->name());
    session_ =
        std::make_unique<fbtest::FbSession>(fbtest::FbSession::Create(path_, "UTF8", "UTF8"));
    session_->ExecuteScript(DeclarationScript());
    session_->Commit();
  });
}

void SqlTest::ReopenDatabase() {
  session_.reset();
  session_ = std::make_unique<fbtest::FbSession>(fbtest::FbSession::Attach(path_, "UTF8"));
}

void SqlTest::TearDownTestSuite() {
  if (session_) session_->Drop();
  session_.reset();
}

int EngineMajorVersion() {
  static const int version = [] {
    const std::string path = TestDatabasePath("engine-version");
    auto db = fbtest::FbSession::Create(path, "NONE", "NONE");
    const fbtest::Value text =
        db.Scalar("select rdb$get_context('SYSTEM', 'ENGINE_VERSION') from rdb$database");
    db.Drop();
    return text ? std::atoi(text->c_str()) : 0;
  }();
  return version;
}

bool EngineCallsLegacyFunctions() { return EngineMajorVersion() < 6; }

bool BrazilianLocale() { return TestLocale() == "pt_BR"; }

std::string ExpectErrorHolding(const std::string& what, const std::function<fbtest::Value()>& call,
                               const std::string& message) {
  try {
    const fbtest::Value value = call();
    ADD_FAILURE() << what << " gave " << value.value_or("NULL") << ", not an error";
    return "";
  } catch (const fbtest::FbError& error) {
    const std::string text = error.what();
    EXPECT_NE(text.find(message), std::string::npos) << what << ": " << text;
    return text;
  }
}

fbtest::Value SqlTest::Eval(const std::string& expression,
                            const std::vector<fbtest::Value>& params) {
  return Db().Scalar("select " + expression + " from rdb$database", params);
}

void SqlTest::ExpectValues(const Expectations& cases) {
  for (const auto& [expression, expected] : cases) EXPECT_EQ(Eval(expression), expected) << expression;
}

void SqlTest::ExpectValuesInLocale(const std::vector<LocaleExpectation>& cases) {
  for (const LocaleExpectation& c : cases) {
    EXPECT_EQ(Eval(c.expression), BrazilianLocale() ? c.brazilian : c.fallback) << c.expression;
  }
}

void SqlTest::ExpectNullOrLibraryError(const std::string& expression,
                                       const std::vector<fbtest::Value>& params,
                                       const std::string& message) {
  if (LegacyResults()) {
    EXPECT_EQ(Eval(expression, params), std::nullopt) << expression;
    return;
  }
  const std::string text = ExpectErrorHolding(
      expression, [&] { return Eval(expression, params); }, message);
  if (text.empty()) return;
  // The server says where: 'F_X' up to Firebird 5, "PUBLIC"."F_X" from 6
  // on, so the name alone is matched.
  std::string name = expression.substr(0, expression.find('('));
  std::transform(name.begin(), name.end(), name.begin(), ::toupper);
  const auto where = text.find("-At function ");
  EXPECT_TRUE(where != std::string::npos && text.find(name, where) != std::string::npos)
      << expression << ": " << text;
}

}  // namespace udfzel_test

// The embedded engine reads its configuration root from the environment at
// first use: point it at the build tree's private root before any test runs.
// With UDFZEL_TEST_SERVER ("127.0.0.1:PORT") the suites run through that
// server instead, whose modules loaded the locale UDFZEL_TEST_LANG names.
int main(int argc, char** argv) {
  // Settings given as arguments ("--udfzel-lang=pt_BR.UTF-8") stand for the
  // variables (UDFZEL_TEST_LANG).
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const auto equals = argument.find('=');
    if (argument.rfind("--udfzel-", 0) != 0 || equals == std::string::npos) continue;
    std::string name = "UDFZEL_TEST_" + argument.substr(9, equals - 9);
    for (char& c : name) c = c == '-' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    setenv(name.c_str(), argument.substr(equals + 1).c_str(), 1);
  }
  // The module reads its locale when the server loads it: "C" (the
  // fallbacks) unless UDFZEL_TEST_LANG names another.
  const char* lang = std::getenv("UDFZEL_TEST_LANG");
  unsetenv("LC_ALL");
  setenv("LANG", lang != nullptr ? lang : "C", 1);
  // Another engine's root (a Firebird 4 or 5 tree), or the build's own.
  const char* root = std::getenv("UDFZEL_TEST_FBROOT");
  fbtest::UseConfigurationRoot(root != nullptr ? root : UDFZEL_FBROOT);
  if (const char* server = std::getenv("UDFZEL_TEST_SERVER")) fbtest::UseServer(server);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
