// Fuzzes the UDR face's message handling: the first byte picks a function,
// the rest are its arguments; the UDR binding must give the legacy entry
// point's result byte for byte (or the library's error where the legacy
// face gives NULL), and a NULL in any argument must give NULL.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "udr_parity.h"

namespace {

const std::vector<const udfzel_fuzz::UdrCheck*>& Checks() {
  static const std::vector<const udfzel_fuzz::UdrCheck*> checks = [] {
    std::vector<const udfzel_fuzz::UdrCheck*> out;
    for (const auto& check : udfzel_fuzz::UdrChecks()) {
      if (!check.needsServer) out.push_back(&check);
    }
    return out;
  }();
  return checks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  udfzel_fuzz::InputDecoder in(data, size);
  const udfzel_fuzz::UdrCheck& check = *Checks()[in.Byte() % Checks().size()];
  const udfzel_fuzz::ParityOutcome outcome = check.parity(in);
  if (!outcome.difference.empty()) {
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(check.entry.size()), check.entry.data(),
                 outcome.difference.c_str());
    std::abort();
  }
  const std::size_t position = in.Byte() % check.inputs;
  if (!check.nullGivesNull(position).empty()) std::abort();
  return 0;
}
