// The library module. Its export list is the function list; this file holds
// the compile-time proof that every listed entry point exists with exactly
// the C signature its argument and result kinds call for, so that a SQL
// declaration generated from the list reads the right values.
#include <type_traits>

#include "legacy/blobfncs.h"
#include "legacy/numfncs.h"
#include "legacy/strfncs.h"
#include "legacy/timefncs.h"
#include "list/function_kinds.h"

namespace udfzel {
namespace {
using enum ArgKind;
using enum ResultKind;

#define UDFZEL_FUNCTION(entry, family, result, summary, ...)                           \
  static_assert(std::is_same_v<decltype(&entry), EntrySignature<result, __VA_ARGS__>>, \
                #entry " does not have the signature its kinds declare");
#include "list/function_list.def"
#undef UDFZEL_FUNCTION

}  // namespace
}  // namespace udfzel
