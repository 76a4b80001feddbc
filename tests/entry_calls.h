// One way to call each exported entry point on decoded inputs, for the
// harnesses that cover every function alike (threads, allocations, memory).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "input_decoder.h"

namespace udfzel_test {

struct EntryCall {
  std::string_view entry;
  // Decodes the arguments, calls the entry point through the loaded module
  // and renders everything observable: the result and the argument buffers.
  // A new-text result renders as its length, ':', the text ("null" for none).
  std::string (*run)(udfzel_fuzz::InputDecoder& in);
};

const std::vector<EntryCall>& EntryCalls();

// Told just before and just after the bare entry-point call inside a run, on
// the calling thread; the allocation test counts what happens in between.
class CallObserver {
 public:
  virtual ~CallObserver() = default;
  virtual void Before() = 0;
  virtual void After() = 0;
};
void SetCallObserver(CallObserver* observer);

// Renders one call of `call` on the arguments decoded from `bytes`.
std::string RunOn(const EntryCall& call, const std::string& bytes);

// What every entry point gives on each input, run on this thread alone:
// [entry call][input], the reference of the thread tests.
using Renders = std::vector<std::vector<std::string>>;
Renders RunAllOn(const std::vector<std::string>& inputs);

// The thread tests' inputs: `count` runs of 48 pseudo-random bytes, the
// first from `seed`.
std::vector<std::string> ThreadInputs(std::size_t count, std::uint64_t seed);

// Every entry point on every input, the inputs taken round from `first`,
// against RunAllOn's renders; how many calls gave other bytes.
// `afterEachCall` runs after each call.
int CountMismatches(const std::vector<std::string>& inputs, const Renders& expected,
                    std::size_t first, const std::function<void()>& afterEachCall = nullptr);

}  // namespace udfzel_test
