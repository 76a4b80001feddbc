// A small client of Firebird for tests and tools: attach to or create a
// database file, in the embedded engine or through a server over TCP, run
// statements, read rows as texts.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
class IStatement;
class ThrowStatusWrapper;
}  // namespace Firebird

namespace fbtest {

// A column value or parameter: text bytes, or nullopt for SQL NULL.
using Value = std::optional<std::string>;
using Row = std::vector<Value>;
using Rows = std::vector<Row>;

// Any error the server reports, with its formatted status text.
class FbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class FbSession {
 public:
  // Creates a new database file (which must not exist) with the given
  // default character set, and attaches with connection character set
  // `charset`.
  static FbSession Create(const std::string& path, const std::string& defaultCharset,
                          const std::string& charset);
  // `pageBuffers` other than 0 asks for a page cache of that many pages.
  static FbSession Attach(const std::string& path, const std::string& charset,
                          unsigned pageBuffers = 0);

  FbSession(FbSession&& other) noexcept;
  FbSession& operator=(FbSession&&) = delete;
  ~FbSession();

  // Runs one statement in the current transaction; rows it gives are
  // fetched and dropped.
  void Execute(std::string_view sql, const std::vector<Value>& params = {});
  // Runs a script of ';'-ended statements; COMMIT commits. Comments and
  // quoted texts are respected.
  void ExecuteScript(std::string_view script);
  void Commit();
  // Undoes the current transaction (one whose commit failed, say).
  void Rollback();

  // Runs a query. Every column arrives as text, converted by the server;
  // text columns arrive in the connection character set. Parameters are
  // sent as texts in the parameter's own character set.
  // Column names (aliases) go to `columns` when it is given.
  Rows Query(std::string_view sql, const std::vector<Value>& params = {},
             std::vector<std::string>* columns = nullptr);
  // The single value of a one-row, one-column query.
  Value Scalar(std::string_view sql, const std::vector<Value>& params = {});

  // Drops the database and ends the session.
  void Drop();

 private:
  FbSession(Firebird::IAttachment* attachment, Firebird::ThrowStatusWrapper* status);
  Firebird::IStatement* Prepare(std::string_view sql);
  // Opens a prepared statement's cursor, reads every row and frees it.
  Rows Fetch(Firebird::IStatement* statement, const std::vector<Value>& params,
             std::vector<std::string>* columns);
  void Detach() noexcept;

  Firebird::IAttachment* attachment_;
  Firebird::ITransaction* transaction_;
  Firebird::ThrowStatusWrapper* status_;
};

// Points the embedded engine at a private configuration root (its
// firebird.conf, lock and temporary directories). Call before the first
// attachment: the engine reads the environment once.
void UseConfigurationRoot(const std::string& root);

// Sends every database of this process to the server at `address` ("host"
// or "host:port") over TCP instead of the embedded engine. The user and
// password are the client library's usual ISC_USER and ISC_PASSWORD.
void UseServer(const std::string& address);

// What the client library opens for a database file `path`: the path in
// the embedded engine, "inet://address/path" with a server.
std::string DatabaseAddress(const std::string& path);

// Splits a script into statements at ';' outside comments and quotes; an
// isql "SET TERM x ;" makes x the terminator until the next SET TERM.
std::vector<std::string> SplitScript(std::string_view script);

}  // namespace fbtest
