// The embedded server runs every function from 8 attachments on 8 threads at
// once, on hostile inputs drawn from the fuzz grammar; every thread sees the
// results one thread sees, and the process survives.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "function_list.h"
#include "input_decoder.h"
#include "sql_fixture.h"

namespace {

using udfzel_test::SqlTest;

constexpr int kThreads = 8;
constexpr int kRows = 300;
constexpr int kRoundsPerThread = 3;

// One SQL expression per function over the columns of `hostile`.
struct FunctionUse {
  const char* entry;
  const char* expression;
};
const std::vector<FunctionUse>& Uses() {
  static const std::vector<FunctionUse> uses = {
      {"F_StrLen", "f_strlen(t)"},       {"F_Trim", "f_trim(t)"},
      {"F_LTrim", "f_ltrim(t)"},         {"F_RTrim", "f_rtrim(t)"},
      {"F_StrLeft", "f_strleft(t, a)"},  {"F_StrRight", "f_strright(t, a)"},
      {"F_SubStr", "f_substr(t, a, b)"},
      {"F_ProperCase", "f_propercase(t)"},
      {"F_ConStr", "f_constr(t)"},
      {"F_FormatMaskText", "f_formatmasktext(p, t)"},
      {"F_FormatFloat", "f_formatfloat(p, x)"},
      {"F_Inc", "f_inc(a, b)"},
      {"F_Div", "f_div(i, j)"},
      {"F_Mod", "f_mod(i, j)"},
      {"F_DivNum", "f_divnum(x, a)"},
      {"F_Trunc", "f_trunc(x)"},
      {"F_Round", "f_round(x, mod(a, 40))"},
      {"F_Num", "f_num(x, mod(b, 40))"},
      {"F_Str", "f_str(x, mod(a, 300), mod(b, 300))"},
      {"F_StrZero", "f_strzero(x, mod(b, 300), mod(a, 40))"},
      {"F_FormatDateTime", "f_formatdatetime(p, ts)"},
      {"F_UltDia", "f_ultdia(ts)"},
      {"F_UltDiaMes", "f_ultdiames(ts)"},
      {"F_BlobMaxSeg", "f_blobmaxseg(bl)"},
      {"F_BlobSegCount", "f_blobsegcount(bl)"},
      {"F_BlobSize", "f_blobsize(bl)"},
      {"F_BlobToStr", "f_blobtostr(bl)"},
      {"F_StrToBlob", "cast(f_strtoblob(t) as varchar(255) character set win1252)"},
  };
  return uses;
}

std::string EveryFunctionQuery() {
  std::string sql = "select id";
  for (const FunctionUse& use : Uses()) sql += std::string(", ") + use.expression;
  return sql + " from hostile order by id";
}

class SqlConcurrency : public SqlTest {
 protected:
  static void SetUpTestSuite() {
    SqlTest::SetUpTestSuite();
    SetUpStep(FillHostileRows);
  }

  static void FillHostileRows() {
    Db().Execute(
        "create table hostile (id integer, t varchar(255) character set win1252,"
        " a integer, b integer, p varchar(255) character set win1252, x double precision,"
        " i bigint, j bigint, ts timestamp, bl blob sub_type text character set win1252)");
    Db().Commit();
    // WIN1252 on both sides: the bytes arrive untouched.
    auto db = fbtest::FbSession::Attach(DatabasePath(), "WIN1252");
    for (int id = 0; id < kRows; ++id) {
      const std::string bytes = udfzel_fuzz::PseudoRandomBytes(static_cast<std::uint64_t>(id), 300);
      udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
      const std::string text = in.Text();
      const std::string a = std::to_string(in.Int32());
      const std::string b = std::to_string(in.Int32());
      const std::string picture = in.Text();
      // The server's DOUBLE PRECISION takes no infinity, NaN, or text
      // beyond about 1e±290 (its text conversion refuses 1.4e-297): those rows get 0.
      double value = in.Double();
      if (!std::isfinite(value) || std::fabs(value) > 1e290 ||
          (value != 0 && std::fabs(value) < 1e-290)) {
        value = 0;
      }
      char x[32];
      std::snprintf(x, sizeof x, "%.17g", value);
      // 64-bit operands from the halves of two int32 draws: extremes of both.
      const auto wide = [&] {
        const auto high = static_cast<std::uint32_t>(in.Int32());
        const auto low = static_cast<std::uint32_t>(in.Int32());
        return std::to_string(static_cast<std::int64_t>((std::uint64_t{high} << 32) | low));
      };
      const std::string i = wide();
      const std::string j = wide();
      // Any moment the server can store: 1 January 0001 to 31 December 9999.
      const auto seconds = static_cast<std::uint64_t>(static_cast<std::uint32_t>(in.Int32())) *
                           97 % (3652059ull * 86400);
      const std::string ts = "dateadd(" + std::to_string(seconds) +
                             " second to timestamp '0001-01-01 00:00:00')";
      try {
        db.Execute("insert into hostile values (?, ?, ?, ?, ?, ?, ?, ?, " + ts +
                       ", cast(? as varchar(8000) character set win1252))",
                   {std::to_string(id), text, a, b, picture, x, i, j,
                    text + picture + std::string(static_cast<std::size_t>(id) * 25, 'z')});
      } catch (const fbtest::FbError& error) {
        throw fbtest::FbError("row " + std::to_string(id) + " (" + a + ", " + b + ", " + x +
                              "): " + error.what());
      }
    }
    db.Commit();
  }
};

TEST_F(SqlConcurrency, EveryListedFunctionIsExercised) {
  std::set<std::string> listed;
  std::set<std::string> used;
  for (const auto& fn : udfzel::kFunctions) listed.emplace(fn.entry);
  for (const FunctionUse& use : Uses()) used.emplace(use.entry);
  EXPECT_EQ(used, listed);
}

TEST_F(SqlConcurrency, EightAttachmentsAgreeWithOne) {
  const std::string query = EveryFunctionQuery();
  const fbtest::Rows expected = fbtest::FbSession::Attach(DatabasePath(), "WIN1252").Query(query);
  ASSERT_EQ(expected.size(), static_cast<std::size_t>(kRows));

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
