// A fresh database in the embedded server per test suite, with every
// function declared by the script of the face under test: sql/udfzel.sql
// (legacy external functions) or sql/udfzel_udr.sql (UDR functions) when
// UDFZEL_TEST_FACE=udr, sql/udfzel_udr_wide.sql when udr_wide. The suites expect the same results of both faces,
// except where SQL NULL and library errors differ.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fbsession.h"

namespace udfzel_test {

enum class Face { Legacy, Udr };
// The face the suites run against.
Face TestFace();
// Whether the UDR face is declared with every text 32765 bytes long:
// sql/udfzel_udr_wide.sql (UDFZEL_TEST_FACE=udr_wide) or the
// legacy-compatible sql/udfzel_udr_legacy.sql (udr_legacy).
bool WideUdrDeclarations();
// Whether the functions give the legacy face's results: the legacy face,
// or the UDR face in its legacy-compatible mode (udr_legacy).
bool LegacyResults();
// The external name the UDR script under test declares for an entry point:
// 'udfzel!F_StrLeft', or 'udfzel!F_StrLeft!legacy' (udr_legacy).
std::string UdrExternalName(std::string_view entry);
// The declaration script of a face, as shipped: the source tree's, or the
// installed one in UDFZEL_TEST_SCRIPT_DIR.
std::string DeclarationScriptPath(Face face = TestFace());
std::string DeclarationScript(Face face = TestFace());
// What an argument that is SQL NULL gives: the legacy face (and the UDR face
// in its legacy-compatible mode) receives it as an empty text or 0 and
// computes with that; the UDR face gives NULL.
fbtest::Value ByFace(fbtest::Value legacy, fbtest::Value udr);
// Whether the module under test loaded the Brazilian Portuguese locale
// (UDFZEL_TEST_LANG=pt_BR.UTF-8) rather than the fallbacks.
bool BrazilianLocale();
// The character set the module's texts are declared in: the code page of
// the locale under test (UDFZEL_TEST_CHARSET), WIN1252 by default.
std::string TestCharacterSet();
// The locale the module loaded ("C", "pt_BR", "ru_RU"...).
std::string TestLocale();
// The major version of the engine the suites run against (3, 4, 5...).
int EngineMajorVersion();
// Whether the engine calls legacy external functions. Firebird 6.0 declares
// them but fails every call in the server itself: a CSTRING result is "Data
// type unknown", anything else dies in the engine before the module is
// reached. Tests that call legacy declarations run where it does.
bool EngineCallsLegacyFunctions();
// A database file path unique to this process.
std::string TestDatabasePath(const std::string& name);
// Expects `call` to fail with a server error whose text holds `message`;
// `what` names the call in a failure. Returns the error's text ("" when the
// call gave a value).
std::string ExpectErrorHolding(const std::string& what, const std::function<fbtest::Value()>& call,
                               const std::string& message);

class SqlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  // A suite set-up that fails must fail every test, not skip it.
  void SetUp() override { ASSERT_EQ(setupError_, "") << "suite set-up failed"; }
  // Runs a suite's own set-up step, recording a failure for SetUp.
  // A step after a failed one does not run: it would work on no database.
  template <class Step>
  static void SetUpStep(Step&& step) {
    if (!setupError_.empty()) return;
    try {
      step();
    } catch (const std::exception& error) {
      setupError_ += error.what();
    }
  }

  static fbtest::FbSession& Db() { return *session_; }
  // Detaches the suite's session and attaches again, so that a database
  // with no other attachment is closed and opened afresh (the server then
  // reads its metadata anew).
  static void ReopenDatabase();
  static const std::string& DatabasePath() { return path_; }
  // The value of one expression, evaluated once by the server.
  static fbtest::Value Eval(const std::string& expression,
                            const std::vector<fbtest::Value>& params = {});

  // Expressions and the values they must give.
  using Expectations = std::vector<std::pair<std::string, fbtest::Value>>;
  static void ExpectValues(const Expectations& cases);

  // Expressions whose values depend on the module's locale.
  struct LocaleExpectation {
    std::string expression;
    fbtest::Value fallback;   // LANG=C
    fbtest::Value brazilian;  // pt_BR
  };
  static void ExpectValuesInLocale(const std::vector<LocaleExpectation>& cases);

  // An expression the legacy face answers with NULL and the UDR face with an
  // SQL error carrying `message`.
  static void ExpectNullOrLibraryError(const std::string& expression,
                                       const std::vector<fbtest::Value>& params,
                                       const std::string& message);

 private:
  static std::unique_ptr<fbtest::FbSession> session_;
  static std::string path_;
  static std::string setupError_;
};

}  // namespace udfzel_test
