// Argument and result kinds of the exported functions.
//
// The kinds tie together the three things the function list drives: the C
// signature of each entry point (checked at compile time in udfzel.cpp), the
// SQL declaration the server needs, and the reference documentation.
#pragma once

#include <ibase.h>

#include <array>
#include <cstddef>
#include <string_view>

namespace udfzel {

// What one argument pointer points at.
enum class ArgKind {
  None,       // no argument (fills the unused slots of a fixed-size list)
  Text,       // zero-terminated value text, 8-bit code page
  Picture,    // zero-terminated format text (mask, number or date picture)
  Int32,      // ISC_LONG, SQL INTEGER
  Int64,      // ISC_INT64, SQL BIGINT
  Double,     // IEEE double, SQL DOUBLE PRECISION
  Timestamp,  // ISC_QUAD read as ISC_TIMESTAMP, SQL TIMESTAMP
  Blob,       // the server's blob control record
};

// What the entry point hands back.
enum class ResultKind {
  Int32Value,         // ISC_LONG by value
  Int64Value,         // ISC_INT64 by value
  DoubleValue,        // double by value
  TextInArgument,     // pointer into the caller's first text argument
  NewText,            // fresh ResultBuffer from ib_util_malloc (FREE_IT)
  TimestampArgument,  // the timestamp argument, rewritten in place
  BlobArgument,       // the blob record given as the last argument
};

// Declared CSTRING sizes, in bytes of the 8-bit code page (one byte per
// character in WIN1252). Value texts are sized for whole VARCHAR columns.
inline constexpr int kTextSize = 32765;
// Masks and pictures are short by nature.
inline constexpr int kPictureSize = 255;

inline constexpr std::size_t kMaxArgs = 3;

struct FunctionSpec {
  std::string_view entry;   // exported symbol, e.g. F_StrLeft; upper-cased in SQL
  std::string_view family;   // source module: strfncs, numfncs, timefncs, blobfncs
  ResultKind result;
  std::array<ArgKind, kMaxArgs> args;
  std::string_view summary;  // one line for the reference

  constexpr std::size_t ArgCount() const {
    std::size_t n = 0;
    while (n < args.size() && args[n] != ArgKind::None) ++n;
    return n;
  }
};

// C types an argument pointer and a result have, per kind.
template <ArgKind>
struct ArgType;
template <>
struct ArgType<ArgKind::Text> {
  using type = char*;
};
template <>
struct ArgType<ArgKind::Picture> {
  using type = const char*;
};
template <>
struct ArgType<ArgKind::Int32> {
  using type = const ISC_LONG*;
};
template <>
struct ArgType<ArgKind::Int64> {
  using type = const ISC_INT64*;
};
template <>
struct ArgType<ArgKind::Double> {
  using type = const double*;
};
template <>
struct ArgType<ArgKind::Timestamp> {
  using type = ISC_QUAD*;
};
template <>
struct ArgType<ArgKind::Blob> {
  using type = BLOBCALLBACK;
};

template <ResultKind>
struct ResultType;
template <>
struct ResultType<ResultKind::Int32Value> {
  using type = ISC_LONG;
};
template <>
struct ResultType<ResultKind::Int64Value> {
  using type = ISC_INT64;
};
template <>
struct ResultType<ResultKind::DoubleValue> {
  using type = double;
};
template <>
struct ResultType<ResultKind::TextInArgument> {
  using type = char*;
};
template <>
struct ResultType<ResultKind::NewText> {
  using type = char*;
};
template <>
struct ResultType<ResultKind::TimestampArgument> {
  using type = ISC_QUAD*;
};
template <>
struct ResultType<ResultKind::BlobArgument> {
  using type = BLOBCALLBACK;
};

// The exact pointer type an entry point of these kinds must have.
template <ResultKind R, ArgKind... A>
using EntrySignature = typename ResultType<R>::type (*)(typename ArgType<A>::type...) noexcept;

}  // namespace udfzel
