#include "fbsession.h"

#include <firebird/Interface.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Firebird;

namespace fbtest {
namespace {

constexpr unsigned kDialect = 3;
constexpr unsigned kNumberTextLength = 64;

IMaster* Master() {
  return fb_get_master_interface();
}

// "inet://host:port/" when a server is used, else empty.
std::string& ServerPrefix() {
  static std::string prefix;
  return prefix;
}

[[noreturn]] void Rethrow(const FbException& error) {
  char text[2048];
  Master()->getUtilInterface()->formatStatus(text, sizeof text, error.getStatus());
  throw FbError(text);
}

// Runs a server call and turns its status exception into an FbError.
template <class Call>
auto Checked(Call&& call) -> decltype(call()) {
  try {
    return call();
  } catch (const FbException& error) {
    Rethrow(error);
  }
}

// Message layout that carries every column as a VARCHAR, but for result
// timestamps, which this client writes itself (every server version writes
// them its own way). Each column keeps the nullability the statement
// described; the types set carry no "nullable" bit, which newer servers take
// as part of the type.
IMessageMetadata* AsTexts(ThrowStatusWrapper* status, IMessageMetadata* meta,
                          const std::vector<Value>* params) {
  IMetadataBuilder* builder = meta->getBuilder(status);
  const unsigned count = meta->getCount(status);
  for (unsigned i = 0; i < count; ++i) {
    const unsigned type = meta->getType(status, i) & ~1u;
    if (params == nullptr && type == SQL_TIMESTAMP) {
      builder->setType(status, i, SQL_TIMESTAMP);
      continue;
    }
    unsigned length = meta->getLength(status, i);
    if (type != SQL_TEXT && type != SQL_VARYING) {
      length = kNumberTextLength;
      builder->setCharSet(status, i, 0);  // NONE
    }
    if (params != nullptr && i < params->size() && (*params)[i]) {
      length = std::max<unsigned>(length, static_cast<unsigned>((*params)[i]->size()));
    }
    builder->setType(status, i, SQL_VARYING);
    builder->setLength(status, i, std::max(length, 1u));
    builder->setScale(status, i, 0);
  }
  IMessageMetadata* texts = builder->getMetadata(status);
  builder->release();
  return texts;
}

struct Message {
  IMessageMetadata* meta = nullptr;
  std::vector<unsigned char> buffer;
  ~Message() {
    if (meta != nullptr) meta->release();
  }
};

void PrepareMessage(ThrowStatusWrapper* status, IMessageMetadata* described,
                    const std::vector<Value>* params, Message& message) {
  message.meta = AsTexts(status, described, params);
  message.buffer.assign(message.meta->getMessageLength(status), 0);
}

void WriteParams(ThrowStatusWrapper* status, Message& message, const std::vector<Value>& params) {
  const unsigned count = message.meta->getCount(status);
  if (count != params.size()) throw FbError("parameter count does not match the statement");
  for (unsigned i = 0; i < count; ++i) {
    unsigned char* base = message.buffer.data();
    auto* null = reinterpret_cast<short*>(base + message.meta->getNullOffset(status, i));
    unsigned char* field = base + message.meta->getOffset(status, i);
    *null = params[i] ? 0 : -1;
    if (!params[i]) continue;
    const auto length = static_cast<unsigned short>(params[i]->size());
    std::memcpy(field, &length, sizeof length);
    std::memcpy(field + sizeof length, params[i]->data(), length);
  }
}

// "2024-02-29 10:30:00.0000": the ISO date and the time to 1/10,000 s.
std::string TimestampText(const unsigned char* field) {
  ISC_TIMESTAMP stamp;
  std::memcpy(&stamp, field, sizeof stamp);
  unsigned year = 0, month = 0, day = 0, hours = 0, minutes = 0, seconds = 0, fractions = 0;
  IUtil* util = Master()->getUtilInterface();
  util->decodeDate(stamp.timestamp_date, &year, &month, &day);
  util->decodeTime(stamp.timestamp_time, &hours, &minutes, &seconds, &fractions);
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%04u", year, month, day, hours,
                minutes, seconds, fractions);
  return text;
}

Row ReadRow(ThrowStatusWrapper* status, const Message& message) {
  const unsigned count = message.meta->getCount(status);
  Row row;
  row.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    const unsigned char* base = message.buffer.data();
    short null = 0;
    std::memcpy(&null, base + message.meta->getNullOffset(status, i), sizeof null);
    if (null != 0) {
      row.emplace_back(std::nullopt);
      continue;
    }
    const unsigned char* field = base + message.meta->getOffset(status, i);
    if ((message.meta->getType(status, i) & ~1u) == SQL_TIMESTAMP) {
      row.emplace_back(TimestampText(field));
      continue;
    }
    unsigned short length = 0;
    std::memcpy(&length, field, sizeof length);
    row.emplace_back(std::string(reinterpret_cast<const char*>(field + sizeof length), length));
  }
  return row;
}

std::vector<unsigned char> ParameterBlock(ThrowStatusWrapper* status,
                                          const std::vector<std::pair<int, std::string>>& items,
                                          unsigned pageBuffers = 0) {
  IXpbBuilder* dpb =
      Master()->getUtilInterface()->getXpbBuilder(status, IXpbBuilder::DPB, nullptr, 0);
  for (const auto& [tag, text] : items) {
    dpb->insertString(status, static_cast<unsigned char>(tag), text.c_str());
  }
  if (pageBuffers != 0) {
    dpb->insertInt(status, isc_dpb_num_buffers, static_cast<int>(pageBuffers));
  }
  const unsigned char* begin = dpb->getBuffer(status);
  std::vector<unsigned char> bytes(begin, begin + dpb->getBufferLength(status));
  dpb->dispose();
  return bytes;
}

}  // namespace

FbSession::FbSession(IAttachment* attachment, ThrowStatusWrapper* status)
    : attachment_(attachment), transaction_(nullptr), status_(status) {
  transaction_ = Checked([&] { return attachment_->startTransaction(status_, 0, nullptr); });
}

FbSession::FbSession(FbSession&& other) noexcept
    : attachment_(other.attachment_), transaction_(other.transaction_), status_(other.status_) {
  other.attachment_ = nullptr;
  other.transaction_ = nullptr;
  other.status_ = nullptr;
}

FbSession::~FbSession() {
  Detach();
}

FbSession FbSession::Create(const std::string& path, const std::string& defaultCharset,
                            const std::string& charset) {
  auto status = std::make_unique<ThrowStatusWrapper>(Master()->getStatus());
  IAttachment* attachment = Checked([&] {
    const auto dpb = ParameterBlock(status.get(), {{isc_dpb_user_name, "SYSDBA"},
                                                   {isc_dpb_lc_ctype, charset},
                                                   {isc_dpb_set_db_charset, defaultCharset}});
    return Master()->getDispatcher()->createDatabase(status.get(), DatabaseAddress(path).c_str(),
                                                     static_cast<unsigned>(dpb.size()), dpb.data());
  });
  return FbSession(attachment, status.release());
}

FbSession FbSession::Attach(const std::string& path, const std::string& charset,
                            unsigned pageBuffers) {
  auto status = std::make_unique<ThrowStatusWrapper>(Master()->getStatus());
  IAttachment* attachment = Checked([&] {
    const auto dpb = ParameterBlock(
        status.get(), {{isc_dpb_user_name, "SYSDBA"}, {isc_dpb_lc_ctype, charset}}, pageBuffers);
    return Master()->getDispatcher()->attachDatabase(status.get(), DatabaseAddress(path).c_str(),
                                                     static_cast<unsigned>(dpb.size()), dpb.data());
  });
  return FbSession(attachment, status.release());
}

IStatement* FbSession::Prepare(std::string_view sql) {
  const std::string text(sql);
  return attachment_->prepare(status_, transaction_, 0, text.c_str(), kDialect,
                              IStatement::PREPARE_PREFETCH_METADATA);
}

void FbSession::Execute(std::string_view sql, const std::vector<Value>& params) {
  Checked([&] {
    IStatement* statement = Prepare(sql);
    if ((statement->getFlags(status_) & IStatement::FLAG_HAS_CURSOR) != 0) {
      // A statement that gives rows (a block that reports what it did, say):
      // run it to the end, its rows unread.
      Fetch(statement, params, nullptr);
      return;
    }
    Message input;
    IMessageMetadata* described = statement->getInputMetadata(status_);
    PrepareMessage(status_, described, &params, input);
    described->release();
    WriteParams(status_, input, params);
    statement->execute(status_, transaction_, input.meta, input.buffer.data(), nullptr, nullptr);
    statement->free(status_);
  });
}

void FbSession::ExecuteScript(std::string_view script) {
  for (const std::string& statement : SplitScript(script)) {
    std::string word = statement.substr(0, 6);
    std::transform(word.begin(), word.end(), word.begin(), ::toupper);
    if (word == "COMMIT" && statement.size() == 6) {
      Commit();
    } else {
      Execute(statement);
    }
  }
}

void FbSession::Commit() {
  Checked([&] {
    transaction_->commit(status_);
    transaction_ = attachment_->startTransaction(status_, 0, nullptr);
  });
}

void FbSession::Rollback() {
  Checked([&] {
    transaction_->rollback(status_);
    transaction_ = attachment_->startTransaction(status_, 0, nullptr);
  });
}

Rows FbSession::Query(std::string_view sql, const std::vector<Value>& params,
                      std::vector<std::string>* columns) {
  return Checked([&] { return Fetch(Prepare(sql), params, columns); });
}

Rows FbSession::Fetch(IStatement* statement, const std::vector<Value>& params,
                      std::vector<std::string>* columns) {
  Message input;
  Message output;
  IMessageMetadata* inDescribed = statement->getInputMetadata(status_);
  PrepareMessage(status_, inDescribed, &params, input);
  inDescribed->release();
  IMessageMetadata* outDescribed = statement->getOutputMetadata(status_);
  PrepareMessage(status_, outDescribed, nullptr, output);
  if (columns != nullptr) {
    columns->clear();
    for (unsigned i = 0; i < outDescribed->getCount(status_); ++i) {
      columns->emplace_back(outDescribed->getAlias(status_, i));
    }
  }
  outDescribed->release();
  WriteParams(status_, input, params);

  IResultSet* cursor =
      statement->openCursor(status_, transaction_, input.meta, input.buffer.data(), output.meta, 0);
  Rows rows;
  while (cursor->fetchNext(status_, output.buffer.data()) == IStatus::RESULT_OK) {
    rows.push_back(ReadRow(status_, output));
  }
  cursor->close(status_);
  statement->free(status_);
  return rows;
}

Value FbSession::Scalar(std::string_view sql, const std::vector<Value>& params) {
  Rows rows = Query(sql, params);
  if (rows.size() != 1 || rows[0].size() != 1) {
    throw FbError("expected one value from: " + std::string(sql));
  }
  return rows[0][0];
}

void FbSession::Drop() {
  Checked([&] {
    transaction_->rollback(status_);
    transaction_ = nullptr;
    attachment_->dropDatabase(status_);
    attachment_ = nullptr;
  });
  Detach();
}

void FbSession::Detach() noexcept {
  if (status_ == nullptr) return;
  try {
    if (transaction_ != nullptr) transaction_->rollback(status_);
    if (attachment_ != nullptr) attachment_->detach(status_);
  } catch (const FbException&) {
    // Nothing sensible to do while tearing down.
  }
  status_->dispose();
  delete status_;
  status_ = nullptr;
  attachment_ = nullptr;
  transaction_ = nullptr;
}

void UseConfigurationRoot(const std::string& root) {
  setenv("FIREBIRD", root.c_str(), 1);
  setenv("FIREBIRD_LOCK", (root + "/lock").c_str(), 1);
  setenv("FIREBIRD_TMP", (root + "/tmp").c_str(), 1);
}

void UseServer(const std::string& address) {
  ServerPrefix() = "inet://" + address + "/";
}

std::string DatabaseAddress(const std::string& path) {
  return ServerPrefix() + path;
}

std::vector<std::string> SplitScript(std::string_view script) {
  std::vector<std::string> statements;
  std::string terminator = ";";
  std::string current;
  auto flush = [&] {
    const auto first = current.find_first_not_of(" \t\r\n");
    if (first != std::string::npos) {
      const auto last = current.find_last_not_of(" \t\r\n");
      std::string statement = current.substr(first, last - first + 1);
      // isql's SET TERM changes the terminator, for bodies that hold ';'.
      std::string word = statement.substr(0, 9);
      std::transform(word.begin(), word.end(), word.begin(), ::toupper);
      if (word == "SET TERM ") {
        const auto rest = statement.find_first_not_of(" \t", 9);
        terminator = rest == std::string::npos ? ";" : statement.substr(rest);
      } else {
        statements.push_back(std::move(statement));
      }
    }
    current.clear();
  };
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (c == '/' && i + 1 < script.size() && script[i + 1] == '*') {
      const auto end = script.find("*/", i + 2);
      i = end == std::string_view::npos ? script.size() : end + 1;
    } else if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
      const auto end = script.find('\n', i);
      i = end == std::string_view::npos ? script.size() : end;
    } else if (c == '\'' || c == '"') {
      const auto end = script.find(c, i + 1);
      const auto stop = end == std::string_view::npos ? script.size() : end + 1;
      current.append(script.substr(i, stop - i));
      i = stop - 1;
    } else if (script.substr(i, terminator.size()) == terminator) {
      flush();
      i += terminator.size() - 1;
    } else {
      current += c;
    }
  }
  flush();
  return statements;
}

}  // namespace fbtest
