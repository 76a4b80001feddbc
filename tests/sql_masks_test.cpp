// Edit masks, proper case and accent folding end to end in the server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sql_fixture.h"

namespace {

using udfzel_test::ByFace;

using fbtest::Value;

class SqlNames : public udfzel_test::SqlTest {};

TEST_F(SqlNames, CustomerListFromAUtf8Table) {
  Db().Execute(
      "create table customers (id integer, name varchar(60) character set utf8,"
      " cpf varchar(11), cep varchar(8), phone varchar(10))");
  Db().Commit();
  Db().Execute("insert into customers values (1, 'JOÃO DA SILVA', '12345678901', '01310100', '1133334444')");
  Db().Execute("insert into customers values (2, 'maria dos santos me', '123', '', '')");
  Db().Execute("insert into customers values (3, 'conceição d''ávila', '98765432100', '70040', '6132')");
  const fbtest::Rows rows = Db().Query(
      "select f_propercase(name), f_constr(name),"
      " f_formatmasktext('000.000.000-00;0;_', cpf), f_formatmasktext('00000-000;0;_', cep),"
      " f_formatmasktext('(00) 0000-0000;0;_', phone) from customers order by id");
  const fbtest::Rows expected = {
      {"João da Silva", "JOAO DA SILVA", "123.456.789-01", "01310-100", "(11) 3333-4444"},
      {"Maria dos Santos ME", "MARIA DOS SANTOS ME", "123.   .   -  ", "     -   ", "(  )     -    "},
      {"Conceição D'Ávila", "CONCEICAO D'AVILA", "987.654.321-00", "70040-   ", "(61) 32  -    "},
  };
  EXPECT_EQ(rows, expected);
}

TEST_F(SqlNames, MasksInBothModes) {
  ExpectValues({
      {"f_formatmasktext('!99/99/0000;1;_', '5/1/2023')", " 5/ 1/2023"},
      {"f_formatmasktext('99/99/0000;0;_', '25122023')", "25/12/2023"},
      {"f_formatmasktext('000-00', '1234-5')", "123-5 "},
      {"f_formatmasktext('', 'x')", ""},
      {"f_formatmasktext(null, null)", ByFace("", std::nullopt)},
      {"f_propercase('DE SOUZA')", "de Souza"},
      {"f_propercase('')", ""},
      {"f_constr('Ångström niño')", "ÅNGSTROM NIÑO"},
  });
}

}  // namespace
