// How the UDR face's messages look: the SQL type of every argument and
// result kind, and where each field and its null flag sit in a message.
// The server builds the input message to this layout (converting whatever
// the caller passes) and reads the output message from it; the declaration
// script is generated from the same types.
#pragma once

#include <ibase.h>

#include <array>
#include <cstddef>
#include <string>

#include "frame/character_sets.h"
#include "list/function_kinds.h"

namespace udfzel::udr {

struct FieldType {
  unsigned sqlType;  // SQL_VARYING, SQL_LONG, ...
  unsigned length;   // bytes of the value (for texts: of the text, not its count)
  // Texts are in the loaded code page's character set, given at setup.
};

constexpr FieldType Varchar(int size) {
  return {SQL_VARYING, static_cast<unsigned>(size)};
}

constexpr FieldType InputField(ArgKind kind) {
  switch (kind) {
    case ArgKind::Text:
      return Varchar(kTextSize);
    case ArgKind::Picture:
      return Varchar(kPictureSize);
    case ArgKind::Int32:
      return {SQL_LONG, sizeof(ISC_LONG)};
    case ArgKind::Int64:
      return {SQL_INT64, sizeof(ISC_INT64)};
    case ArgKind::Double:
      return {SQL_DOUBLE, sizeof(double)};
    case ArgKind::Timestamp:
      return {SQL_TIMESTAMP, sizeof(ISC_TIMESTAMP)};
    case ArgKind::Blob:
      return {SQL_BLOB, sizeof(ISC_QUAD)};
    case ArgKind::None:
      break;
  }
  return {0, 0};
}

constexpr FieldType ResultField(ResultKind kind) {
  switch (kind) {
    case ResultKind::Int32Value:
      return InputField(ArgKind::Int32);
    case ResultKind::Int64Value:
      return InputField(ArgKind::Int64);
    case ResultKind::DoubleValue:
      return InputField(ArgKind::Double);
    case ResultKind::TextInArgument:
    case ResultKind::NewText:
      return Varchar(kTextSize);
    case ResultKind::TimestampArgument:
      return InputField(ArgKind::Timestamp);
    case ResultKind::BlobArgument:
      return InputField(ArgKind::Blob);
  }
  return {0, 0};
}

// The SQL text of a field type, for declarations; texts in `charSet`, as
// many characters long as hold the field's bytes.
inline std::string SqlTypeText(FieldType type, const CharacterSet& charSet) {
  switch (type.sqlType) {
    case SQL_VARYING:
      return "VARCHAR(" + std::to_string(charSet.LengthFor(static_cast<int>(type.length))) +
             ") CHARACTER SET " + std::string(charSet.name);
    case SQL_LONG:
      return "INTEGER";
    case SQL_INT64:
      return "BIGINT";
    case SQL_DOUBLE:
      return "DOUBLE PRECISION";
    case SQL_TIMESTAMP:
      return "TIMESTAMP";
    case SQL_BLOB:
      return "BLOB";
    default:
      return "?";
  }
}

// How long the shipped declarations make texts. The server's work per call
// grows with the declared length: up to about 2000 bytes a call's messages
// fit the server's small per-call area (about 1.7 us per call on the
// reference machine), beyond it each call costs more (3.5 us at 2800 bytes,
// 18 us at 32765). Value texts are therefore declared 2000 bytes long,
// except where the function moves a text to or from a blob, whose own work
// dwarfs the difference: those take the full 32765.
inline constexpr int kUdrTextSize = 2000;

constexpr bool TouchesBlob(const FunctionSpec& fn) {
  if (fn.result == ResultKind::BlobArgument) return true;
  for (ArgKind kind : fn.args) {
    if (kind == ArgKind::Blob) return true;
  }
  return false;
}

// A field type as the shipped declaration has it.
constexpr FieldType DeclaredField(const FunctionSpec& fn, FieldType type) {
  if (type.sqlType == SQL_VARYING && type.length == static_cast<unsigned>(kTextSize) &&
      !TouchesBlob(fn)) {
    type.length = kUdrTextSize;
  }
  return type;
}

// The arguments the UDR face receives: those of the list, less the output
// blob that a BlobArgument function writes into (the UDR face returns a new
// blob instead).
constexpr std::size_t InputCount(const FunctionSpec& fn) {
  const std::size_t count = fn.ArgCount();
  return fn.result == ResultKind::BlobArgument ? count - 1 : count;
}

struct FieldPlace {
  unsigned offset;      // the value (for texts: the 16-bit count, then the bytes)
  unsigned nullOffset;  // a 16-bit flag, nonzero for NULL
};

template <std::size_t N>
struct MessageLayout {
  std::array<FieldPlace, N> fields{};
  unsigned length = 0;
};

namespace detail {

constexpr unsigned AlignUp(unsigned offset, unsigned alignment) {
  return (offset + alignment - 1) / alignment * alignment;
}

// The server aligns a double in a message as its own build's C compiler
// does inside a record: 4 bytes on 32-bit x86 Linux (the System V i386
// ABI), 8 elsewhere. This compiler follows the same ABI, so the offset of
// a double after a byte says which. A 64-bit integer is at 8 everywhere.
struct DoubleAfterAByte {
  char byte;
  double value;
};
inline constexpr unsigned kDoubleAlignment = offsetof(DoubleAfterAByte, value);

constexpr unsigned AlignmentOf(unsigned sqlType) {
  switch (sqlType) {
    case SQL_VARYING:
      return 2;  // the 16-bit count
    case SQL_INT64:
      return 8;
    case SQL_DOUBLE:
      return kDoubleAlignment;
    default:
      return 4;  // long, timestamp, blob id
  }
}

constexpr unsigned StorageOf(FieldType type) {
  return type.sqlType == SQL_VARYING ? type.length + 2 : type.length;
}

}  // namespace detail

// The server's message layout: each value at its type's alignment, followed
// by its null flag at 2-byte alignment.
template <std::size_t N>
constexpr MessageLayout<N> LayoutOf(const std::array<FieldType, N>& types) {
  MessageLayout<N> layout;
  unsigned offset = 0;
  for (std::size_t i = 0; i < N; ++i) {
    offset = detail::AlignUp(offset, detail::AlignmentOf(types[i].sqlType));
    layout.fields[i].offset = offset;
    offset = detail::AlignUp(offset + detail::StorageOf(types[i]), 2);
    layout.fields[i].nullOffset = offset;
    offset += 2;
  }
  layout.length = offset;
  return layout;
}

}  // namespace udfzel::udr
