// The date functions end to end in the embedded server, in both locales.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sql_fixture.h"

namespace {

using udfzel_test::ByFace;

using fbtest::Value;
using udfzel_test::BrazilianLocale;

class SqlDates : public udfzel_test::SqlTest {};

// Timestamps come back as the test client writes them, whatever the
// server's version ("2024-02-29 10:30:00.0000").
TEST_F(SqlDates, LastDayOfTheMonth) {
  ExpectValues({
      {"f_ultdia(timestamp '2024-02-10 10:30:00')", "2024-02-29 10:30:00.0000"},
      {"f_ultdia(timestamp '2023-12-15 00:00:00')", "2023-12-31 00:00:00.0000"},
      {"f_ultdia(timestamp '1900-02-01 00:00:00')", "1900-02-28 00:00:00.0000"},
      {"f_ultdia(timestamp '2000-02-01 00:00:00')", "2000-02-29 00:00:00.0000"},
      {"f_ultdia(timestamp '2100-02-01 00:00:00')", "2100-02-28 00:00:00.0000"},
      {"f_ultdia(timestamp '2024-01-31 23:59:59.9999')", "2024-01-31 23:59:59.0000"},
      {"f_ultdia(timestamp '0001-01-05 00:00:00')", "0001-01-31 00:00:00.0000"},
      {"f_ultdiames(timestamp '2024-02-10 10:30:00')", "29"},
      {"f_ultdiames(timestamp '2023-02-10 10:30:00')", "28"},
      {"f_ultdiames(timestamp '2023-04-30 00:00:00')", "30"},
  });
}

TEST_F(SqlDates, FormatDateTimeInBothLocales) {
  ExpectValuesInLocale({
      {"f_formatdatetime('dd/mm/yyyy hh:nn:ss', timestamp '2024-03-05 14:07:09')",
       "05/03/2024 14:07:09", "05/03/2024 14:07:09"},
      {"f_formatdatetime('dddd, d ''de'' mmmm ''de'' yyyy', timestamp '2024-03-05 14:07:09')",
       "Terça, 5 de Março de 2024", "terça-feira, 5 de março de 2024"},
      {"f_formatdatetime('c', timestamp '2024-03-05 14:07:09')", "3/5/24 2:07:09 pm",
       "05/03/2024 14:07:09"},
      {"f_formatdatetime('ddddd', timestamp '2024-03-05 00:00:00')", "3/5/24", "05/03/2024"},
      {"f_formatdatetime('dddddd', timestamp '2024-03-05 00:00:00')", "Março 5, 2024",
       "terça-feira, 5 de março de 2024"},
      {"f_formatdatetime('h:nn am/pm', timestamp '2024-03-05 14:07:09')", "2:07 pm", "2:07 pm"},
      {"f_formatdatetime('mmm/yy', timestamp '2024-12-25 00:00:00')", "Dez/24", "dez./24"},
      {"f_formatdatetime('dd/mm/yyyy', timestamp '0001-01-01 00:00:00')", "01/01/0001",
       "01/01/0001"},
      {"f_formatdatetime('dd/mm/yyyy', timestamp '9999-12-31 23:59:59')", "31/12/9999",
       "31/12/9999"},
      {"f_formatdatetime('dd/mm/yyyy hh:nn', timestamp '1899-12-29 06:00:00')", "29/12/1899 06:00",
       "29/12/1899 06:00"},
  });
}

TEST_F(SqlDates, DueDatesFromATable) {
  Db().Execute("create table bills (id integer, issued timestamp)");
  Db().Commit();
  Db().Execute("insert into bills values (1, timestamp '2024-01-15 09:00:00')");
  Db().Execute("insert into bills values (2, timestamp '2024-02-03 17:45:00')");
  Db().Execute("insert into bills values (3, null)");
  const fbtest::Rows rows = Db().Query(
      "select f_formatdatetime('dd/mm/yyyy', f_ultdia(issued)), f_ultdiames(issued)"
      " from bills order by id");
  // A NULL timestamp reaches the legacy functions as the zero record: no date.
  const fbtest::Rows expected = {
      {"31/01/2024", "31"}, {"29/02/2024", "29"}, {std::nullopt, ByFace("0", std::nullopt)}};
  EXPECT_EQ(rows, expected);
}

}  // namespace
