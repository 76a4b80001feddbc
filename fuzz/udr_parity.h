// The UDR face against the legacy face, outside the server: one check per
// function decodes arguments, calls the legacy entry point and the UDR
// binding on a message built from the same arguments, and compares what
// each gives back. The unit tests, the sanitizer and valgrind runs and the
// udr fuzzer all use it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input_decoder.h"

namespace udfzel_fuzz {

struct ParityOutcome {
  std::string difference;            // empty when both faces agree
  std::optional<std::string> error;  // the UDR face's SQL error, if it raised one
};

struct UdrCheck {
  std::string_view entry;
  // Blob functions need the server's blobs: the in-server suites cover them.
  bool needsServer;
  // Both faces on the decoded arguments.
  ParityOutcome (*parity)(InputDecoder& in);
  // Empty when a NULL in argument `position` gives NULL without a call.
  std::string (*nullGivesNull)(std::size_t position);
  std::size_t inputs;
  // Empty when the client library lays out both messages as the face reads
  // them; null in a build without the client library.
  std::string (*layout)();
};

const std::vector<UdrCheck>& UdrChecks();

// Called just before and just after the UDR binding's own call inside a
// parity check, on the calling thread (the allocation test counts what
// happens in between); null for none.
void SetUdrCallHooks(void (*before)(), void (*after)());

}  // namespace udfzel_fuzz
