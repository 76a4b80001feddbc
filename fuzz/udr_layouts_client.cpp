// The layout check through the client library's metadata builder.
#include <firebird/Interface.h>

#include "udr/udr_bindings.h"
#include "udr_call_status.h"
#include "udr_layouts.h"

namespace udfzel_fuzz {
namespace {

// Builds a layout's messages with the client library's own metadata
// builder and checks them as the module does when the server sets it up.
template <std::size_t N>
std::string LayoutMatches(const udfzel::udr::RoutineLayout<N>& layout) {
  CallStatus status;
  Firebird::IMaster* master = Firebird::fb_get_master_interface();
  Firebird::IMetadataBuilder* in = nullptr;
  Firebird::IMetadataBuilder* out = nullptr;
  std::string problem;
  try {
    in = master->getMetadataBuilder(status.get(), N);
    out = master->getMetadataBuilder(status.get(), 1);
    udfzel::udr::SetUpMessages(status.get(), "layout", layout, in, out);
  } catch (const Firebird::FbException&) {
    problem = status.Error().value_or("failed");
  }
  if (in != nullptr) in->release();
  if (out != nullptr) out->release();
  return problem;
}

// The full layout, and one with every text declared 101 bytes long (an odd
// length moves every later field).
template <class B>
std::string LayoutsMatch() {
  const std::string full = LayoutMatches(kFull<B>);
  if (!full.empty()) return "full: " + full;
  auto inputs = kFull<B>.inputTypes;
  auto result = kFull<B>.resultType;
  for (auto& type : inputs) {
    if (type.sqlType == SQL_VARYING) type.length = 101;
  }
  if (result.sqlType == SQL_VARYING) result.length = 101;
  const std::string narrow = LayoutMatches(udfzel::udr::MakeLayout(inputs, result));
  return narrow.empty() ? "" : "narrow: " + narrow;
}

}  // namespace

LayoutCheck LayoutCheckOf(std::string_view entry) {
#define UDFZEL_FUNCTION(name, ...) \
  if (entry == #name) return &LayoutsMatch<udfzel::udr::bindings::name>;
#include "list/function_list.def"
#undef UDFZEL_FUNCTION
  return nullptr;
}

}  // namespace udfzel_fuzz
