// The embedded server runs every function of the face under test from 8
// attachments on 8 threads at once, on hostile inputs drawn from the fuzz
// grammar; every thread sees the results one thread sees, and the process
// survives.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "hostile_rows.h"
#include "sql_fixture.h"

namespace {

using udfzel_test::FunctionUse;
using udfzel_test::HostileUses;
using udfzel_test::SqlTest;
using udfzel_test::TestFace;

constexpr int kThreads = 8;
constexpr int kRoundsPerThread = 3;

std::string EveryFunctionQuery() {
  std::string sql = "select id";
  for (const FunctionUse& use : HostileUses()) {
    sql += std::string(", ") + use.Expression(TestFace() == udfzel_test::Face::Udr);
  }
  return sql + " from hostile order by id";
}

class SqlConcurrency : public SqlTest {
 protected:
  static void SetUpTestSuite() {
    SqlTest::SetUpTestSuite();
    SetUpStep([] { udfzel_test::FillHostileRows(Db(), DatabasePath()); });
  }
};

TEST_F(SqlConcurrency, EightAttachmentsAgreeWithOne) {
  const std::string query = EveryFunctionQuery();
  const fbtest::Rows expected = fbtest::FbSession::Attach(DatabasePath(), "WIN1252").Query(query);
  ASSERT_EQ(expected.size(), static_cast<std::size_t>(udfzel_test::kHostileRows));

  std::atomic<int> mismatches{0};
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      try {
        auto db = fbtest::FbSession::Attach(DatabasePath(), "WIN1252");
        for (int round = 0; round < kRoundsPerThread; ++round) {
          if (db.Query(query) != expected) ++mismatches;
        }
      } catch (const std::exception& error) {
        ++failures;
        ADD_FAILURE() << error.what();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_EQ(failures.load(), 0);
}

}  // namespace
