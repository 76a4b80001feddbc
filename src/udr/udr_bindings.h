// Every function of the list as a Binding of the UDR face, by entry name:
// udfzel::udr::bindings::F_StrLeft and so on. The module registers them; the
// tests run them on messages of their own.
#pragma once

#include "results/blobs.h"
#include "results/dates.h"
#include "results/numbers.h"
#include "results/strings.h"
#include "udr/udr_function.h"

namespace udfzel::udr::bindings {

using enum ArgKind;
using enum ResultKind;

// A binding calls what the legacy entry point calls: the function of the
// same name in results/, which for a new text is its producer, so the UDR
// face places the text itself.
#define UDFZEL_FUNCTION(entry, family, result, summary, ...) \
  using entry = Binding<result, &::udfzel::results::entry, __VA_ARGS__>;
#include "list/function_list.def"
#undef UDFZEL_FUNCTION

}  // namespace udfzel::udr::bindings
