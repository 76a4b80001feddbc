// The exported functions as data, for the generator and the tests.
#pragma once

#include <span>

#include "list/function_kinds.h"

namespace udfzel {

namespace function_list_detail {
using enum ArgKind;
using enum ResultKind;
inline constexpr FunctionSpec kFunctions[] = {
#define UDFZEL_FUNCTION(entry, family, result, summary, ...) \
  FunctionSpec{#entry, #family, result, {__VA_ARGS__}, summary},
#include "list/function_list.def"
#undef UDFZEL_FUNCTION
};
}  // namespace function_list_detail

inline constexpr std::span<const FunctionSpec> kFunctions{function_list_detail::kFunctions};

}  // namespace udfzel
