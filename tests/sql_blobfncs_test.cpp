// The blob functions end to end: text and binary blobs of many sizes,
// written in different segment sizes, against the server's own measures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sql_fixture.h"

namespace {

using udfzel_test::ByFace;

using fbtest::Value;

class SqlBlobs : public udfzel_test::SqlTest {
 protected:
  static void SetUpTestSuite() {
    SqlTest::SetUpTestSuite();
    SetUpStep([] {
      Db().Execute(
          "create table notes (id integer, body blob sub_type text character set win1252,"
          " raw blob sub_type binary)");
      Db().Commit();
    });
  }
};

// Inserts a blob of `size` bytes built by the server in pieces of `piece`
// bytes, so it is stored in segments of that size.
void InsertBlob(fbtest::FbSession& db, int id, int size, int piece) {
  db.Execute(
      "execute block (id integer = ?, size integer = ?, piece integer = ?) as"
      " declare b blob sub_type text character set win1252; declare n integer = 0; begin"
      " b = ''; while (n < size) do begin"
      "  b = b || left(lpad(cast('' as varchar(1) character set win1252), piece, 'abcdefghij'),"
      "   minvalue(piece, size - n));"
      "  n = n + piece; end"
      " insert into notes (id, body, raw) values (:id, :b, cast(:b as blob sub_type binary)); end",
      {std::to_string(id), std::to_string(size), std::to_string(piece)});
}

TEST_F(SqlBlobs, StatisticsAndTextAgainstTheServer) {
  struct Case {
    int size;
    int piece;
  };
  const std::vector<Case> cases = {{0, 1},        {1, 1},         {3, 3},         {1000, 100},
                                   {32765, 4000}, {65535, 30000}, {65536, 20000}, {200000, 30000}};
  int id = 0;
  for (const Case& c : cases) InsertBlob(Db(), ++id, c.size, c.piece);
  Db().Commit();
  const fbtest::Rows rows = Db().Query(
      "select f_blobsize(body), octet_length(body), f_blobsize(raw), f_blobsegcount(body) > 0,"
      " f_blobmaxseg(body) <= 65535 from notes order by id");
  ASSERT_EQ(rows.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::string size = std::to_string(cases[i].size);
    EXPECT_EQ(rows[i][0], size) << i;
    EXPECT_EQ(rows[i][1], size) << i;
    EXPECT_EQ(rows[i][2], size) << i;
    EXPECT_EQ(rows[i][4], "TRUE") << i;
  }
  // The whole text, as the server's own cast sees it, for blobs that fit (an
  // empty blob gives NULL).
  EXPECT_EQ(
      Db().Scalar("select count(*) from notes where octet_length(body) between 1 and 32765 and"
                  " f_blobtostr(body) is distinct from"
                  " cast(body as varchar(32765) character set win1252)"),
      "0");
  EXPECT_EQ(Db().Scalar("select f_blobtostr(body) from notes where id = 1"), std::nullopt);
  EXPECT_EQ(Db().Scalar("select f_blobtostr(body) from notes where id = 3"), "abc");
}

// A blob longer than the declared result is never a part of it as if it
// were the whole: NULL from the legacy face (no CSTRING result holds more
// than 32,765 bytes), the server's truncation error from the UDR face.
TEST_F(SqlBlobs, TooLongForTheDeclaredResult) {
  struct Case {
    int size;
    int piece;
  };
  const std::vector<Case> cases = {{32766, 4000},   {40000, 1000},   {65535, 30000},
                                   {65536, 1024},   {65537, 30000},  {70000, 1024},
                                   {131060, 30000}, {1048576, 30000}};
  int id = 100;
  for (const Case& c : cases) InsertBlob(Db(), ++id, c.size, c.piece);
  Db().Commit();
  for (int at = 101; at <= id; ++at) {
    const std::string query =
        "select f_blobtostr(body) from notes where id = " + std::to_string(at);
    if (udfzel_test::LegacyResults()) {
      EXPECT_EQ(Db().Scalar(query), std::nullopt) << cases[static_cast<std::size_t>(at - 101)].size;
    } else {
      EXPECT_THROW(Db().Scalar(query), fbtest::FbError) << at;
    }
  }
  EXPECT_EQ(Eval("1"), "1");
}

TEST_F(SqlBlobs, TextIntoBlobsAndNulls) {
  Db().Execute("insert into notes (id, body) values (200, f_strtoblob('Olá, mundo'))");
  Db().Execute("insert into notes (id, body) values (201, null)");
  Db().Commit();
  Db().Execute("update notes set body = f_strtoblob('atualizado') where id = 201");
  Db().Commit();
  const fbtest::Rows rows = Db().Query(
      "select cast(body as varchar(100)), f_blobsize(body) from notes where id in (200, 201)"
      " order by id");
  const fbtest::Rows expected = {{"Olá, mundo", "10"}, {"atualizado", "10"}};
  EXPECT_EQ(rows, expected);
  // NULL blobs reach the legacy functions as a record without a blob.
  EXPECT_EQ(Eval("f_blobsize(cast(null as blob))"), ByFace("0", std::nullopt));
  EXPECT_EQ(Eval("f_blobtostr(cast(null as blob))"), std::nullopt);
  // A text of the largest declared size goes in whole (through WIN1252,
  // where the whole size is usable).
  auto db = fbtest::FbSession::Attach(DatabasePath(), "WIN1252");
  const std::string big(32765, 'q');
  EXPECT_EQ(db.Scalar("select octet_length(f_strtoblob(cast(? as varchar(32765) character set"
                      " win1252))) from rdb$database",
                      {big}),
            "32765");
}

}  // namespace
