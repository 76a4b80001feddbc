// Setting up a routine's messages: runs once per routine and attachment,
// never per row.
#include <cstring>
#include <string>

#include "frame/character_sets.h"
#include "locale/process_locale.h"
#include "udr/udr_function.h"

namespace udfzel::udr {

namespace {

[[noreturn]] void Fail(Status* status, const std::string& message) {
  SetErrorMessage(status, message);
  throw ::Firebird::FbException(status);
}

// The character set of the loaded locale's code page: what every text the
// module reads and writes is in.
const CharacterSet& LoadedCharacterSet() {
  return CharacterSetOf(LoadedLocaleFormats().CodePage);
}

}  // namespace

void SetRoutineCharSet(char* name, unsigned size) {
  const std::string_view charSet = LoadedCharacterSet().name;
  if (size > charSet.size()) {
    std::memcpy(name, charSet.data(), charSet.size());
    name[charSet.size()] = '\0';
  }
}

void CheckDeclaredCount(Status* status, const char* name, ::Firebird::IRoutineMetadata* metadata,
                        std::size_t inputs) {
  const Owned<::Firebird::IMessageMetadata> declared(metadata->getInputMetadata(status));
  const unsigned count = declared.get()->getCount(status);
  if (count != inputs) {
    Fail(status, std::string("udfzel: ") + name + " takes " + std::to_string(inputs) +
                     " argument(s); it is declared with " + std::to_string(count));
  }
}

bool LegacyCompatible(Status* status, const char* name, ::Firebird::IRoutineMetadata* metadata) {
  // The external name as the server hands it over ("udfzel!F_StrLeft" or
  // "udfzel!F_StrLeft!legacy"): the mode is what follows the routine's name.
  const std::string entry = metadata->getEntryPoint(status);
  const std::string routine = std::string(name) + '!';
  const std::size_t at = entry.find(routine);
  if (at == std::string::npos) return false;
  const std::string mode = entry.substr(at + routine.size());
  if (mode.empty()) return false;
  if (mode == "legacy") return true;
  Fail(status, std::string("udfzel: ") + name + " has no mode '" + mode +
                   "'; declare it as 'udfzel!" + name + "' or 'udfzel!" + name + "!legacy'");
}

FieldType FitToDeclared(Status* status, ::Firebird::IMessageMetadata* declared, unsigned index,
                        FieldType kind) {
  if (kind.sqlType != SQL_VARYING) return kind;
  const unsigned type = declared->getType(status, index) & ~1u;  // the low bit: nullable
  if (type != SQL_VARYING && type != SQL_TEXT) return kind;
  const unsigned length = declared->getLength(status, index);
  if (length < kind.length) kind.length = length;
  return kind;
}

void DeclareField(Status* status, ::Firebird::IMetadataBuilder* builder, unsigned index,
                  FieldType type) {
  builder->setType(status, index, type.sqlType);
  builder->setLength(status, index, type.length);
  if (type.sqlType == SQL_VARYING) builder->setCharSet(status, index, LoadedCharacterSet().id);
  if (type.sqlType == SQL_LONG || type.sqlType == SQL_INT64) builder->setScale(status, index, 0);
}

void CheckLayout(Status* status, const char* name, ::Firebird::IMetadataBuilder* builder,
                 const FieldPlace* fields, std::size_t count, unsigned length) {
  const Owned<::Firebird::IMessageMetadata> owned(builder->getMetadata(status));
  ::Firebird::IMessageMetadata* message = owned.get();
  bool same = message->getMessageLength(status) == length && message->getCount(status) == count;
  for (unsigned i = 0; same && i < count; ++i) {
    same = message->getOffset(status, i) == fields[i].offset &&
           message->getNullOffset(status, i) == fields[i].nullOffset;
  }
  if (!same) Fail(status, std::string("udfzel: unexpected message layout for ") + name);
}

}  // namespace udfzel::udr
