// No-op external functions: each takes the arguments of a udfzel function
// and does nothing with them, so a query through one costs exactly the
// server's own work for an external function call, the floor any function
// of the library sits on.
#include <ibase.h>

#define NOOP_EXPORT extern "C" __attribute__((visibility("default")))

NOOP_EXPORT char* N_Text(char* text) noexcept { return text; }
NOOP_EXPORT char* N_TextInt(char* text, const ISC_LONG*) noexcept { return text; }
NOOP_EXPORT char* N_TextIntInt(char* text, const ISC_LONG*, const ISC_LONG*) noexcept {
  return text;
}
NOOP_EXPORT ISC_LONG N_TextToInt(char*) noexcept { return 0; }
NOOP_EXPORT char* N_TextDouble(char* text, const double*) noexcept { return text; }
NOOP_EXPORT ISC_INT64 N_Int64Pair(const ISC_INT64* a, const ISC_INT64*) noexcept { return *a; }
NOOP_EXPORT double N_DoubleInt(const double* x, const ISC_LONG*) noexcept { return *x; }
NOOP_EXPORT char* N_DoubleIntIntText(const double*, const ISC_LONG*, const ISC_LONG*) noexcept {
  static char empty[] = "";
  return empty;
}
NOOP_EXPORT ISC_QUAD* N_Timestamp(ISC_QUAD* date) noexcept { return date; }
NOOP_EXPORT char* N_TextTimestamp(char* text, ISC_QUAD*) noexcept { return text; }
NOOP_EXPORT char* N_TextText(char* text, char*) noexcept { return text; }
NOOP_EXPORT ISC_LONG N_Blob(BLOBCALLBACK) noexcept { return 0; }
NOOP_EXPORT char* N_BlobText(BLOBCALLBACK) noexcept {
  static char empty[] = "";
  return empty;
}
NOOP_EXPORT ISC_LONG N_IntPair(const ISC_LONG* a, const ISC_LONG*) noexcept { return *a; }
NOOP_EXPORT double N_DoublePair(const double* a, const double*) noexcept { return *a; }
NOOP_EXPORT ISC_INT64 N_DoubleToInt64(const double*) noexcept { return 0; }
NOOP_EXPORT ISC_LONG N_TimestampInt(ISC_QUAD*) noexcept { return 0; }
NOOP_EXPORT BLOBCALLBACK N_TextBlob(char*, BLOBCALLBACK blob) noexcept { return blob; }
