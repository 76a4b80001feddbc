// Every function of the list as a Binding of the UDR face, by entry name:
// udfzel::udr::bindings::F_StrLeft and so on. The module registers them; the
// tests run them on messages of their own.
#pragma once

#include "legacy/blobfncs.h"
#include "legacy/numfncs.h"
#include "results/result_text.h"
#include "legacy/strfncs.h"
#include "legacy/timefncs.h"
#include "udr/udr_function.h"

namespace udfzel::udr::bindings {

using enum ArgKind;
using enum ResultKind;

// What a binding calls: the legacy entry point, or for a new text the
// producer behind it, so the UDR face places the text itself.
#define UDFZEL_UDR_CALLEE_Int32Value(entry) &::entry
#define UDFZEL_UDR_CALLEE_Int64Value(entry) &::entry
#define UDFZEL_UDR_CALLEE_DoubleValue(entry) &::entry
#define UDFZEL_UDR_CALLEE_TextInArgument(entry) &::entry
#define UDFZEL_UDR_CALLEE_NewText(entry) &::udfzel::result_text::entry
#define UDFZEL_UDR_CALLEE_TimestampArgument(entry) &::entry
#define UDFZEL_UDR_CALLEE_BlobArgument(entry) &::entry

#define UDFZEL_FUNCTION(entry, family, result, summary, ...) \
  using entry = Binding<result, UDFZEL_UDR_CALLEE_##result(entry), __VA_ARGS__>;
#include "list/function_list.def"
#undef UDFZEL_FUNCTION

}  // namespace udfzel::udr::bindings
