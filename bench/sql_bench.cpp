// Every function inside the embedded server, on a table of a million rows:
// the time of a query that applies it to every row and aggregates the result,
// next to the built-in SQL that does the same job and a no-op external
// function with the same arguments (the floor of any external call). The
// queries alternate, each round in a new order; medians of the rounds are
// printed per row and as ratios, as a Markdown table.
//   sql_bench [--rows N] [--rounds N] [--only NAME-PART] [--database PATH]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fbsession.h"
#include "list/function_list.h"
#include "script_text.h"

namespace {

using fbtest::ReadFile;
using fbtest::ReplaceAll;
using fbtest::WithFunctionPrefix;

// One function's queries differ only in the expression per row.
constexpr int kKinds = 5;

struct Case {
  const char* entry;
  const char* aggregate;  // wraps the expression; %s is the expression
  const char* udfzel;
  const char* builtin;
  const char* noop;
  const char* table = "bench";
};

// Blobs of 1 KB and 30 KB live in a table of their own, of this many rows.
constexpr long kBlobRows = 2000;

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"F_StrLen", "sum(%s)", "f_strlen(s)", "octet_length(s)", "n_text_to_int(s)"},
      {"F_Trim", "max(%s)", "f_trim(s)", "trim(s)", "n_text(s)"},
      {"F_LTrim", "max(%s)", "f_ltrim(s)", "trim(leading from s)", "n_text(s)"},
      {"F_RTrim", "max(%s)", "f_rtrim(s)", "trim(trailing from s)", "n_text(s)"},
      {"F_StrLeft", "max(%s)", "f_strleft(s, 8)", "left(s, 8)", "n_text_int(s, 8)"},
      {"F_StrRight", "max(%s)", "f_strright(s, 8)", "right(s, 8)", "n_text_int(s, 8)"},
      {"F_SubStr", "max(%s)", "f_substr(s, 3, 6)", "substring(s from 3 for 6)",
       "n_text_int_int(s, 3, 6)"},
      {"F_ProperCase", "max(%s)", "f_propercase(s)",
       "upper(left(trim(s), 1)) || lower(substring(trim(s) from 2))", "n_text(s)"},
      {"F_ConStr", "max(%s)", "f_constr(s)", "upper(s)", "n_text(s)"},
      {"F_FormatMaskText", "max(%s)", "f_formatmasktext('000.000.000-00;0;_', c)",
       "substring(c from 1 for 3) || '.' || substring(c from 4 for 3) || '.' ||"
       " substring(c from 7 for 3) || '-' || substring(c from 10 for 2)",
       "n_text_text('000.000.000-00;0;_', c)"},
      {"F_FormatFloat", "max(%s)", "f_formatfloat('#,##0.00', d)",
       "cast(cast(d as numeric(18, 2)) as varchar(30))", "n_text_double('#,##0.00', d)"},
      {"F_Div", "sum(%s)", "f_div(i, 7)", "i / 7", "n_int64_pair(i, 7)"},
      {"F_Mod", "sum(%s)", "f_mod(i, 7)", "mod(i, 7)", "n_int64_pair(i, 7)"},
      {"F_Round", "sum(%s)", "f_round(d, 2)", "round(d, 2)", "n_double_int(d, 2)"},
      {"F_Num", "sum(%s)", "f_num(d, 1)", "trunc(d, 1)", "n_double_int(d, 1)"},
      {"F_Str", "max(%s)", "f_str(d, 15, 2)", "lpad(cast(cast(d as numeric(18, 2)) as varchar(20)), 15)",
       "n_double_int_int_text(d, 15, 2)"},
      {"F_FormatDateTime", "max(%s)", "f_formatdatetime('dd/mm/yyyy hh:nn', ts)",
       "lpad(extract(day from ts), 2, '0') || '/' || lpad(extract(month from ts), 2, '0') || '/' ||"
       " extract(year from ts) || ' ' || lpad(extract(hour from ts), 2, '0') || ':' ||"
       " lpad(extract(minute from ts), 2, '0')",
       "n_text_timestamp('dd/mm/yyyy hh:nn', ts)"},
      {"F_UltDia", "max(%s)", "f_ultdia(ts)",
       "dateadd(-extract(day from dateadd(1 month to ts)) day to dateadd(1 month to ts))",
       "n_timestamp(ts)"},
      {"F_Inc", "sum(%s)", "f_inc(cast(mod(i, 100000) as integer), 5)",
       "(cast(mod(i, 100000) as integer) / 5 + 1) * 5",
       "n_int_pair(cast(mod(i, 100000) as integer), 5)"},
      {"F_DivNum", "sum(%s)", "f_divnum(d, 3)", "d / 3", "n_double_pair(d, 3)"},
      {"F_Trunc", "sum(%s)", "f_trunc(d)", "trunc(d)", "n_double_to_int64(d)"},
      {"F_StrZero", "max(%s)", "f_strzero(d, 15, 2)",
       "lpad(cast(cast(d as numeric(18, 2)) as varchar(20)), 15, '0')",
       "n_double_int_int_text(d, 15, 2)"},
      {"F_UltDiaMes", "sum(%s)", "f_ultdiames(ts)",
       "extract(day from dateadd(-extract(day from dateadd(1 month to ts)) day to"
       " dateadd(1 month to ts)))",
       "n_timestamp_int(ts)"},
      {"F_StrToBlob", "max(%s)", "octet_length(f_strtoblob(s))", "octet_length(cast(s as blob))",
       "octet_length(n_text_blob(s))"},
      {"F_BlobMaxSeg", "sum(%s)", "f_blobmaxseg(kb30)", "octet_length(kb30)", "n_blob(kb30)",
       "bench_blobs"},
      {"F_BlobSegCount", "sum(%s)", "f_blobsegcount(kb30)", "octet_length(kb30)", "n_blob(kb30)",
       "bench_blobs"},
      {"F_BlobSize 1KB", "sum(%s)", "f_blobsize(kb1)", "octet_length(kb1)", "n_blob(kb1)",
       "bench_blobs"},
      {"F_BlobSize 30KB", "sum(%s)", "f_blobsize(kb30)", "octet_length(kb30)", "n_blob(kb30)",
       "bench_blobs"},
      {"F_BlobToStr 1KB", "max(%s)", "f_blobtostr(kb1)", "cast(kb1 as varchar(1100))",
       "n_blob_text(kb1)", "bench_blobs"},
      {"F_BlobToStr 30KB", "max(%s)", "f_blobtostr(kb30)", "cast(kb30 as varchar(30100))",
       "n_blob_text(kb30)", "bench_blobs"},
  };
  return cases;
}

const char* const kNoopDeclarations[] = {
    "declare external function n_text cstring(32765) character set win1252"
    " returns cstring(32765) character set win1252"
    " entry_point 'N_Text' module_name 'udfzel_noop'",
    "declare external function n_text_int cstring(32765) character set win1252, integer"
    " returns cstring(32765) character set win1252"
    " entry_point 'N_TextInt' module_name 'udfzel_noop'",
    "declare external function n_text_int_int cstring(32765) character set win1252,"
    " integer, integer returns cstring(32765) character set win1252"
    " entry_point 'N_TextIntInt' module_name 'udfzel_noop'",
    "declare external function n_text_to_int cstring(32765) character set win1252"
    " returns integer by value entry_point 'N_TextToInt' module_name 'udfzel_noop'",
    "declare external function n_int64_pair bigint, bigint returns bigint by value"
    " entry_point 'N_Int64Pair' module_name 'udfzel_noop'",
    "declare external function n_double_int double precision, integer"
    " returns double precision by value entry_point 'N_DoubleInt' module_name 'udfzel_noop'",
    "declare external function n_double_int_int_text double precision, integer, integer"
    " returns cstring(255) character set win1252"
    " entry_point 'N_DoubleIntIntText' module_name 'udfzel_noop'",
    "declare external function n_text_text cstring(255) character set win1252,"
    " cstring(255) character set win1252 returns cstring(255) character set win1252"
    " entry_point 'N_TextText' module_name 'udfzel_noop'",
    "declare external function n_int_pair integer, integer returns integer by value"
    " entry_point 'N_IntPair' module_name 'udfzel_noop'",
    "declare external function n_double_pair double precision, double precision"
    " returns double precision by value entry_point 'N_DoublePair' module_name 'udfzel_noop'",
    "declare external function n_double_to_int64 double precision returns bigint by value"
    " entry_point 'N_DoubleToInt64' module_name 'udfzel_noop'",
    "declare external function n_timestamp_int timestamp returns integer by value"
    " entry_point 'N_TimestampInt' module_name 'udfzel_noop'",
    "declare external function n_text_blob cstring(32765) character set win1252, blob"
    " returns parameter 2 entry_point 'N_TextBlob' module_name 'udfzel_noop'",
    "declare external function n_blob blob returns integer by value"
    " entry_point 'N_Blob' module_name 'udfzel_noop'",
    "declare external function n_blob_text blob returns cstring(32765) character set win1252"
    " entry_point 'N_BlobText' module_name 'udfzel_noop'",
    "declare external function n_timestamp timestamp returns timestamp"
    " entry_point 'N_Timestamp' module_name 'udfzel_noop'",
    "declare external function n_text_timestamp cstring(255) character set win1252, timestamp"
    " returns cstring(255) character set win1252"
    " entry_point 'N_TextTimestamp' module_name 'udfzel_noop'",
    "declare external function n_text_double cstring(255) character set win1252,"
    " double precision returns cstring(255) character set win1252"
    " entry_point 'N_TextDouble' module_name 'udfzel_noop'",
};

// The UDR floor: the same shapes as UDR functions of libudfzel_noop.so,
// named m_... for the n_... above, texts declared as sql/udfzel_udr.sql
// declares them.
#define UDR_TEXT "varchar(2000) character set win1252"
#define UDR_LONG_TEXT "varchar(32765) character set win1252"
#define UDR_PICTURE "varchar(255) character set win1252"
const char* const kNoopUdrDeclarations[] = {
    "create function m_text (a " UDR_TEXT ") returns " UDR_TEXT
    " external name 'udfzel_noop!N_Text' engine udr",
    "create function m_text_int (a " UDR_TEXT ", b integer) returns " UDR_TEXT
    " external name 'udfzel_noop!N_TextInt' engine udr",
    "create function m_text_int_int (a " UDR_TEXT ", b integer, c integer) returns " UDR_TEXT
    " external name 'udfzel_noop!N_TextIntInt' engine udr",
    "create function m_text_to_int (a " UDR_TEXT ") returns integer"
    " external name 'udfzel_noop!N_TextToInt' engine udr",
    "create function m_int64_pair (a bigint, b bigint) returns bigint"
    " external name 'udfzel_noop!N_Int64Pair' engine udr",
    "create function m_double_int (a double precision, b integer) returns double precision"
    " external name 'udfzel_noop!N_DoubleInt' engine udr",
    "create function m_double_int_int_text (a double precision, b integer, c integer) returns "
    UDR_TEXT " external name 'udfzel_noop!N_DoubleIntIntText' engine udr",
    "create function m_text_text (a " UDR_PICTURE ", b " UDR_PICTURE ") returns " UDR_TEXT
    " external name 'udfzel_noop!N_TextText' engine udr",
    "create function m_int_pair (a integer, b integer) returns integer"
    " external name 'udfzel_noop!N_IntPair' engine udr",
    "create function m_double_pair (a double precision, b double precision)"
    " returns double precision external name 'udfzel_noop!N_DoublePair' engine udr",
    "create function m_double_to_int64 (a double precision) returns bigint"
    " external name 'udfzel_noop!N_DoubleToInt64' engine udr",
    "create function m_timestamp_int (a timestamp) returns integer"
    " external name 'udfzel_noop!N_TimestampInt' engine udr",
    "create function m_text_blob (a " UDR_LONG_TEXT ") returns blob"
    " external name 'udfzel_noop!N_TextBlob' engine udr",
    "create function m_blob (a blob) returns integer"
    " external name 'udfzel_noop!N_Blob' engine udr",
    "create function m_blob_text (a blob) returns " UDR_LONG_TEXT
    " external name 'udfzel_noop!N_BlobText' engine udr",
    "create function m_timestamp (a timestamp) returns timestamp"
    " external name 'udfzel_noop!N_Timestamp' engine udr",
    "create function m_text_timestamp (a " UDR_PICTURE ", b timestamp) returns " UDR_TEXT
    " external name 'udfzel_noop!N_TextTimestamp' engine udr",
    "create function m_text_double (a " UDR_PICTURE ", b double precision) returns " UDR_TEXT
    " external name 'udfzel_noop!N_TextDouble' engine udr",
};

struct Options {
  long rows = 1000000;
  int rounds = 5;
  std::string database = UDFZEL_FBROOT "/../bench/sql-bench.fdb";
  std::string only;  // run only the cases whose name contains this
};

std::string Replace(const char* pattern, const std::string& expression) {
  std::string out = pattern;
  out.replace(out.find("%s"), 2, expression);
  return out;
}

fbtest::FbSession Prepare(const Options& options) {
  std::filesystem::create_directories(std::filesystem::path(options.database).parent_path());
  std::filesystem::remove(options.database);
  auto db = fbtest::FbSession::Create(options.database, "WIN1252", "WIN1252");
  db.ExecuteScript(ReadFile(UDFZEL_SOURCE_DIR "/sql/udfzel.sql"));
  for (const char* declaration : kNoopDeclarations) db.Execute(declaration);
  // The UDR face beside the legacy one, as u_...
  db.ExecuteScript(WithFunctionPrefix(ReadFile(UDFZEL_SOURCE_DIR "/sql/udfzel_udr.sql"), "U_"));
  for (const char* declaration : kNoopUdrDeclarations) db.Execute(declaration);
  db.Execute(
      "create table bench (s varchar(60), d double precision, i bigint, ts timestamp,"
      " b blob sub_type text, c varchar(11))");
  db.Commit();
  db.Execute(
      "execute block (n integer = ?) as declare k integer = 0; begin"
      " while (k < n) do begin"
      "  insert into bench values ('  customer name ' || :k || '  ', :k * 1.37, :k * 7919,"
      "   dateadd(mod(:k, 3650000) second to timestamp '2020-01-01 00:00:00'),"
      "   'note ' || :k, lpad(:k * 7919, 11, '0'));"
      "  k = k + 1; end end",
      {std::to_string(options.rows)});
  db.Commit();
  db.Execute(
      "create table bench_blobs (kb1 blob sub_type text character set win1252,"
      " kb30 blob sub_type text character set win1252)");
  db.Commit();
  db.Execute(
      "execute block (n integer = ?) as declare k integer = 0;"
      " declare piece varchar(1000) character set win1252; begin"
      " piece = lpad(cast('' as varchar(1) character set win1252), 1000, 'lorem ipsum ');"
      " while (k < n) do begin"
      "  insert into bench_blobs values (:piece, lpad(:piece, 30000, :piece)); k = k + 1; end end",
      {std::to_string(kBlobRows)});
  db.Commit();
  return db;
}

double SecondsOf(fbtest::FbSession& db, const std::string& sql) {
  const auto start = std::chrono::steady_clock::now();
  db.Query(sql);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Run(const Options& options) {
  auto db = Prepare(options);
  std::set<std::string> missing;
  for (const auto& fn : udfzel::kFunctions) missing.emplace(fn.entry);
  for (const Case& c : Cases()) missing.erase(std::string(c.entry).substr(0, std::string(c.entry).find(' ')));
  for (const std::string& entry : missing) std::cerr << "no benchmark case for " << entry << "\n";

  struct Query {
    std::size_t caseIndex;
    int kind;  // 0 legacy udfzel, 1 built-in, 2 no-op UDF, 3 UDR udfzel, 4 no-op UDR
    std::string sql;
    std::vector<double> seconds;
  };
  std::vector<Query> queries;
  for (std::size_t i = 0; i < Cases().size(); ++i) {
    const Case& c = Cases()[i];
    if (std::string_view(c.entry).find(options.only) == std::string_view::npos) continue;
    const std::string expressions[] = {c.udfzel, c.builtin, c.noop,
                                       ReplaceAll(c.udfzel, "f_", "u_"),
                                       ReplaceAll(c.noop, "n_", "m_")};
    for (int kind = 0; kind < kKinds; ++kind) {
      queries.push_back({i, kind,
                         "select " + Replace(c.aggregate, expressions[kind]) + " from " + c.table,
                         {}});
    }
  }
  SecondsOf(db, "select count(*) from bench");  // warm the page cache
  for (int round = 0; round < options.rounds; ++round) {
    // Rotate the order each round, so no query always follows the same one.
    for (std::size_t k = 0; k < queries.size(); ++k) {
      Query& query = queries[(k + static_cast<std::size_t>(round) * 5) % queries.size()];
      query.seconds.push_back(SecondsOf(db, query.sql));
    }
  }

  const auto perRowOf = [&](const Case& c) {
    return 1e9 / static_cast<double>(std::string_view(c.table) == "bench" ? options.rows : kBlobRows);
  };
  std::printf(
      "| function | UDF ns/row | UDR ns/row | built-in ns/row | no-op UDF | no-op UDR |"
      " UDF / no-op UDF | UDR / no-op UDR | UDR / UDF | UDR / built-in |\n"
      "|---|---|---|---|---|---|---|---|---|---|\n");
  for (std::size_t at = 0; at < queries.size(); at += kKinds) {
    const std::size_t i = queries[at].caseIndex;
    const double perRow = perRowOf(Cases()[i]);
    const auto nsOf = [&](int kind) {
      return Median(queries[at + static_cast<std::size_t>(kind)].seconds) * perRow;
    };
    const double legacy = nsOf(0);
    const double builtin = nsOf(1);
    const double noop = nsOf(2);
    const double udr = nsOf(3);
    const double noopUdr = nsOf(4);
    std::printf("| %s | %.0f | %.0f | %.0f | %.0f | %.0f | %.2f | %.2f | %.2f | %.2f |\n",
                Cases()[i].entry, legacy, udr, builtin, noop, noopUdr, legacy / noop,
                udr / noopUdr, udr / legacy, udr / builtin);
  }
  std::printf("\n%ld rows (blobs: %ld rows of 1 KB and 30 KB), median of %d rounds; built-in: %s;"
              " no-op: a function of the same arguments that does nothing (a UDR no-op opens"
              " and closes its blob argument, or creates its blob result)\n",
              options.rows, kBlobRows, options.rounds,
              "the SQL expression a user writes instead (see bench/sql_bench.cpp)");
  db.Drop();
}

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--rows") {
      options.rows = std::atol(argv[i + 1]);
    } else if (flag == "--rounds") {
      options.rounds = std::atoi(argv[i + 1]);
    } else if (flag == "--only") {
      options.only = argv[i + 1];
    } else if (flag == "--database") {
      options.database = argv[i + 1];
    } else {
      throw std::runtime_error("unknown option " + flag);
    }
  }
  if (options.rows < 1 || options.rounds < 1) throw std::runtime_error("rows and rounds >= 1");
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  fbtest::UseConfigurationRoot(UDFZEL_FBROOT);
  try {
    Run(Parse(argc, argv));
  } catch (const std::exception& error) {
    std::cerr << "sql_bench failed: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
