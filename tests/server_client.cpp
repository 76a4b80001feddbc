// A client process of the real-server stage (scripts/test-server.sh). Each
// command attaches through the server the environment names
// (UDFZEL_TEST_SERVER, ISC_USER, ISC_PASSWORD), or through the embedded
// engine of the root UDFZEL_TEST_FBROOT names (scripts/test-firebird.sh),
// prints one line of numbers and exits 0 only when everything it checked
// held. A PID of "self" watches this process's own embedded engine.
//
//   server_client setup DB            a database with both faces (legacy F_,
//                                     UDR X_), the hostile rows, a table to write
//   server_client cycles DB N legacy|udr|both [PID]
//                                     N times: attach, call every function of
//                                     one face (or both) on every row,
//                                     detach; with the server's PID, the legacy
//                                     module must leave the server each time
//   server_client load DB SECONDS     the same query again and again
//   server_client rows DB             prints the rows of one call of every
//                                     function of both faces on every row, a
//                                     line per row, each field in hex ("-" for
//                                     NULL): servers of two CPUs must print
//                                     the same bytes
//   server_client probe DB            what the engine does with each legacy
//                                     function, called as a column and inside
//                                     an expression, each call in a process of
//                                     its own: works, an error, or the process
//                                     dies (the engine may fail legacy calls)
//   server_client write DB CLIENT     commits rows made by the functions until
//                                     killed, printing each committed row
//   server_client verify DB LOG...    the rows the logs say were committed
//                                     are there, byte for byte, and no others
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "fbsession.h"
#include "hostile_rows.h"
#include "script_text.h"

namespace {

using fbtest::FbSession;
using fbtest::Rows;

std::string Setting(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

// A database of its own for the filler attachment of the cycles.
std::string FillerOf(const std::string& db) {
  return db + ".filler.fdb";
}

// --- setup -------------------------------------------------------------------

int Setup(const std::string& db) {
  auto session = FbSession::Create(db, "UTF8", "UTF8");
  session.ExecuteScript(fbtest::ReadFile(UDFZEL_SQL_SCRIPT));
  session.ExecuteScript(fbtest::WithFunctionPrefix(fbtest::ReadFile(UDFZEL_UDR_SQL_SCRIPT), "X_"));
  session.Execute(
      "create table written (client integer not null, id integer not null,"
      " t varchar(300) character set win1252, c varchar(300) character set win1252,"
      " u varchar(300) character set win1252, b blob sub_type text character set win1252,"
      " b2 blob sub_type text character set win1252, primary key (client, id))");
  session.Commit();
  udfzel_test::FillHostileRows(session, db);
  FbSession::Create(FillerOf(db), "NONE", "NONE");
  std::printf("setup %s\n", db.c_str());
  return 0;
}

// --- cycles and load: every function on every hostile row ---------------------

enum class Faces { Legacy, Udr, Both };

const char* NameOf(Faces faces) {
  return faces == Faces::Both ? "both-face" : faces == Faces::Udr ? "udr" : "legacy";
}

// Every function of the legacy face (F_), of the UDR face (X_), or both.
std::string EveryFunctionQuery(Faces faces) {
  std::string sql = "select id";
  for (const udfzel_test::FunctionUse& use : udfzel_test::HostileUses()) {
    if (faces != Faces::Udr) sql += std::string(", ") + use.Expression(false);
    if (faces != Faces::Legacy) sql += ", " + fbtest::ReplaceAll(use.Expression(true), "f_", "x_");
  }
  return sql + " from hostile order by id";
}

std::size_t CallsIn(const Rows& rows) {
  return rows.empty() ? 0 : rows.size() * (rows[0].size() - 1);
}

// Whether the server process maps the legacy module now.
bool ServerMapsLegacyModule(const std::string& pid) {
  std::ifstream maps("/proc/" + pid + "/maps");
  for (std::string line; std::getline(maps, line);) {
    if (line.ends_with("/udfzel.so")) return true;
  }
  return false;
}

// The server unloads the legacy module when the last attachment that used
// it goes; give it a moment.
bool LegacyModuleLeaves(const std::string& pid) {
  for (int wait = 0; wait < 100; ++wait) {
    if (!ServerMapsLegacyModule(pid)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// Attach, call every function on every row, detach, N times. Between a
// detach and the next attachment a filler attachment with a 160 MB page
// cache makes the server map new memory, as a busy server does, where the
// unloaded module and what it alone had loaded were.
int Cycles(const std::string& db, int count, Faces faces, const std::string& pid) {
  const std::string query = EveryFunctionQuery(faces);
  Rows first;
  std::size_t calls = 0;
  int differing = 0;
  int unloaded = 0;
  std::optional<FbSession> filler;
  for (int cycle = 0; cycle < count; ++cycle) {
    Rows rows = FbSession::Attach(db, "WIN1252").Query(query);  // detaches at once
    filler.reset();
    calls += CallsIn(rows);
    if (cycle == 0) first = rows;
    if (rows != first || rows.size() != udfzel_test::kHostileRows) ++differing;
    if (!pid.empty() && LegacyModuleLeaves(pid)) ++unloaded;
    filler.emplace(FbSession::Attach(FillerOf(db), "NONE", 20000));
  }
  std::printf("%s cycles %d calls %zu differing %d", NameOf(faces), count, calls, differing);
  if (!pid.empty())
    std::printf(", legacy module unloaded after %d of %d detaches", unloaded, count);
  std::printf("\n");
  return differing == 0 && (pid.empty() || unloaded == count) ? 0 : 1;
}

// An error's kind: its text up to the first line break.
std::string KindOf(const std::exception& error) {
  std::string text = error.what();
  return text.substr(0, text.find('\n'));
}

int Load(const std::string& db, double seconds) {
  const std::string query = EveryFunctionQuery(Faces::Both);
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  Rows first;
  std::size_t calls = 0;
  int rounds = 0;
  int mismatches = 0;
  std::map<std::string, int> errors;
  auto session = FbSession::Attach(db, "WIN1252");
  while (std::chrono::steady_clock::now() < end) {
    try {
      const Rows rows = session.Query(query);
      // Short transactions, as clients run them: the blobs F_StrToBlob
      // makes live until their transaction ends.
      session.Commit();
      calls += CallsIn(rows);
      if (rounds++ == 0) first = rows;
      if (rows != first || rows.size() != udfzel_test::kHostileRows) ++mismatches;
    } catch (const std::exception& error) {
      ++errors[KindOf(error)];
      if (errors.size() > 20) break;
    }
  }
  std::printf("load calls %zu rounds %d mismatches %d errors", calls, rounds, mismatches);
  for (const auto& [kind, count] : errors) std::printf(" [%s]=%d", kind.c_str(), count);
  std::printf("\n");
  return mismatches == 0 && errors.empty() && rounds > 0 ? 0 : 1;
}

int PrintRows(const std::string& db) {
  const Rows rows = FbSession::Attach(db, "WIN1252").Query(EveryFunctionQuery(Faces::Both));
  static const char kDigits[] = "0123456789abcdef";
  for (const fbtest::Row& row : rows) {
    std::string line;
    for (const fbtest::Value& field : row) {
      if (!line.empty()) line += ' ';
      if (!field) line += '-';
      for (const char c : field.value_or("")) {
        const auto byte = static_cast<unsigned char>(c);
        line += kDigits[byte >> 4];
        line += kDigits[byte & 15];
      }
    }
    std::printf("%s\n", line.c_str());
  }
  return rows.size() == udfzel_test::kHostileRows ? 0 : 1;
}

// --- probe: the legacy face where the engine may fail it ----------------------

const char* const kForms[] = {"column", "expression"};

// Form "udr" is the control: the UDR face's function (X_) as a column.
int ProbeOne(const std::string& db, std::size_t use, const std::string& form) {
  const udfzel_test::FunctionUse& function = udfzel_test::HostileUses().at(use);
  const std::string expression = form == "udr"
                                     ? fbtest::ReplaceAll(function.Expression(true), "f_", "x_")
                                     : function.Expression(false);
  const std::string selected = form == "expression" ? "'' || (" + expression + ")" : expression;
  try {
    FbSession::Attach(db, "WIN1252").Query("select " + selected + " from hostile where id = 1");
    std::printf("works\n");
    return 0;
  } catch (const std::exception& error) {
    std::printf("error: %s\n", fbtest::ReplaceAll(error.what(), "\n", " / ").c_str());
    return 1;
  }
}

// One call in a child process (this program again), whose end is the outcome.
std::string Outcome(const std::string& db, std::size_t use, const char* form) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = fork();
  if (child == 0) {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);  // a crash leaves no core file behind
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    const std::string index = std::to_string(use);
    execl("/proc/self/exe", "server_client", "probe-one", db.c_str(), index.c_str(), form,
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string text;
  char chunk[512];
  for (ssize_t n; (n = read(out[0], chunk, sizeof chunk)) > 0;) {
    text.append(chunk, static_cast<std::size_t>(n));
  }
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return std::string("dies: ") + strsignal(WTERMSIG(status));
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text.empty() ? "no answer" : text;
}

int Probe(const std::string& db) {
  // A call the engine makes must come back as one: else the probe proves nothing.
  const std::string control = Outcome(db, 0, "udr");
  if (control != "works") {
    std::printf("legacy probe: the control call of the UDR face gave %s\n", control.c_str());
    return 1;
  }
  int works = 0;
  int errors = 0;
  int deaths = 0;
  for (std::size_t use = 0; use < udfzel_test::HostileUses().size(); ++use) {
    for (const char* form : kForms) {
      const std::string outcome = Outcome(db, use, form);
      std::printf("%-17s %-10s %s\n", udfzel_test::HostileUses()[use].entry, form, outcome.c_str());
      ++(outcome == "works" ? works : outcome.starts_with("dies") ? deaths : errors);
    }
  }
  std::printf("legacy calls: %d work, %d give an error, %d kill the process\n", works, errors,
              deaths);
  return 0;
}

// --- write and verify ----------------------------------------------------------

// FNV-1a over a row's fields, NULL distinct from every text.
std::uint64_t Fingerprint(const fbtest::Row& row) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const fbtest::Value& field : row) {
    const std::string bytes = field ? "=" + *field : "null";
    for (const char c : bytes + '\x1f') {
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
  }
  return hash;
}

const char* kWrittenColumns =
    "select t, c, u, cast(b as varchar(30000) character set win1252),"
    " cast(b2 as varchar(30000) character set win1252) from written";

// A Portuguese name in WIN1252 and a longer text, both different per row.
std::string NameFor(int id) {
  // \xE7 then "as": a hex escape would swallow the a.
  static const char* const kNames[] = {"JO\xC3O DA SILVA", "maria das gra\xE7\x61s",
                                       "COMERCIAL LTDA ME", "ant\xF4nio de s\xE1"};
  return std::string(kNames[id % 4]) + " " + std::to_string(id);
}
std::string LongTextFor(int id) {
  return std::string(static_cast<std::size_t>(id * 37 % 30000), static_cast<char>('a' + id % 26));
}

// Writes until killed. Each transaction inserts a row built by functions of
// both faces and updates it with more text results, commits, reads the row
// back and prints "client id fingerprint".
int Write(const std::string& db, int client) {
  auto session = FbSession::Attach(db, "WIN1252");
  for (int id = 1;; ++id) {
    const std::string key = std::to_string(client) + ", " + std::to_string(id);
    session.Execute(
        "insert into written (client, id, t, c, b, b2) values (" + key +
            ", f_propercase(cast(? as varchar(300) character set win1252)),"
            " x_formatmasktext('000.000.000-00;0;_', ?), f_strtoblob(?), x_strtoblob(?))",
        {NameFor(id), std::to_string(10000000000LL + id), LongTextFor(id), NameFor(id)});
    session.Execute("update written set u = f_formatfloat('#,##0.00', " + std::to_string(id) +
                    " * 1.5) || ' ' || x_strleft(t, 6) || f_strzero(" + std::to_string(id) +
                    ", 9, 0) where client = " + std::to_string(client) +
                    " and id = " + std::to_string(id));
    session.Commit();
    const Rows row =
        session.Query(std::string(kWrittenColumns) + " where client = " + std::to_string(client) +
                      " and id = " + std::to_string(id));
    std::printf("%d %d %llu\n", client, id,
                static_cast<unsigned long long>(Fingerprint(row.at(0))));
    std::fflush(stdout);
  }
}

int Verify(const std::string& db, const std::vector<std::string>& logs) {
  std::map<std::pair<int, int>, std::uint64_t> committed;
  std::map<int, int> last;
  for (const std::string& log : logs) {
    std::ifstream in(log);
    int client = 0;
    int id = 0;
    unsigned long long fingerprint = 0;
    while (in >> client >> id >> fingerprint) {
      committed[{client, id}] = fingerprint;
      last[client] = std::max(last[client], id);
    }
  }
  auto session = FbSession::Attach(db, "WIN1252");
  const Rows rows = session.Query("select client, id, " + std::string(kWrittenColumns).substr(7) +
                                  " order by client, id");
  std::size_t present = 0;
  std::size_t altered = 0;
  int unlogged = 0;
  int strays = 0;
  for (const fbtest::Row& row : rows) {
    const int client = std::stoi(row[0].value());
    const int id = std::stoi(row[1].value());
    const auto found = committed.find({client, id});
    if (found == committed.end()) {
      // Only the row committed just before the kill may be missing from a log.
      ++(id == last[client] + 1 ? unlogged : strays);
    } else if (Fingerprint(fbtest::Row(row.begin() + 2, row.end())) == found->second) {
      ++present;
    } else {
      ++altered;
    }
  }
  const std::size_t missing = committed.size() - present - altered;
  std::printf("verify committed %zu present %zu altered %zu missing %zu unlogged %d strays %d\n",
              committed.size(), present, altered, missing, unlogged, strays);
  return !committed.empty() && present == committed.size() && strays == 0 ? 0 : 1;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: server_client setup DB | cycles DB N legacy|udr|both [PID] | load DB SECONDS |"
      " rows DB | probe DB | write DB CLIENT | verify DB LOG...\n");
  return 2;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() < 2) return Usage();
  const std::string& command = args[0];
  const std::string& db = args[1];
  if (command == "setup") return Setup(db);
  if (command == "cycles" && args.size() >= 4 &&
      (args[3] == "legacy" || args[3] == "udr" || args[3] == "both")) {
    const Faces faces = args[3] == "both"  ? Faces::Both
                        : args[3] == "udr" ? Faces::Udr
                                           : Faces::Legacy;
    return Cycles(db, std::stoi(args[2]), faces, args.size() > 4 ? args[4] : "");
  }
  if (command == "load" && args.size() == 3) return Load(db, std::stod(args[2]));
  if (command == "rows" && args.size() == 2) return PrintRows(db);
  if (command == "probe" && args.size() == 2) return Probe(db);
  if (command == "probe-one" && args.size() == 4) {
    return ProbeOne(db, std::stoul(args[2]), args[3]);
  }
  if (command == "write" && args.size() == 3) return Write(db, std::stoi(args[2]));
  if (command == "verify" && args.size() >= 3) {
    return Verify(db, std::vector<std::string>(args.begin() + 2, args.end()));
  }
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string server = Setting("UDFZEL_TEST_SERVER");
  const std::string root = Setting("UDFZEL_TEST_FBROOT");
  if (!server.empty()) {
    fbtest::UseServer(server);
  } else if (!root.empty()) {
    fbtest::UseConfigurationRoot(root);  // the embedded engine of that root
  } else {
    std::fprintf(stderr, "server_client: neither UDFZEL_TEST_SERVER nor UDFZEL_TEST_FBROOT\n");
    return 2;
  }
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "server_client %s: %s\n", argc > 1 ? argv[1] : "", error.what());
    return 1;
  }
}
