// Heap allocations per call: a function that returns new text makes exactly
// one (its result buffer, sized to the text), every other function none; a
// UDR call none at all (its text goes into the output message).
#include <gtest/gtest.h>
#include <ib_util.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "entry_calls.h"
#include "list/function_list.h"
#include "udr_parity.h"

namespace {

using udfzel_test::CountedAllocations;
using udfzel_test::LastAllocationSize;
using udfzel_test::StartCountingAllocations;
using udfzel_test::StopCountingAllocations;

class AllocationCounter : public udfzel_test::CallObserver {
 public:
  void Before() override { StartCountingAllocations(); }
  void After() override { StopCountingAllocations(); }
};

TEST(Allocations, OneResultBufferOrNone) {
  AllocationCounter counter;
  udfzel_test::SetCallObserver(&counter);
  for (const auto& call : udfzel_test::EntryCalls()) {
    const udfzel::FunctionSpec* listed = nullptr;
    for (const auto& fn : udfzel::kFunctions) {
      if (fn.entry == call.entry) listed = &fn;
    }
    ASSERT_NE(listed, nullptr) << call.entry;
    const bool newText = listed->result == udfzel::ResultKind::NewText;
    std::vector<std::string> inputs;
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
      inputs.push_back(udfzel_fuzz::PseudoRandomBytes(seed, 64));
    }
    // Era tokens read the era table the module loaded: nothing more.
    for (const char* picture : {"ggg eeee/mm/dd", "g e ee gg", "dddd, d mmmm yyyy ggg eeee"}) {
      // 5 March 2024 (day word, then a byte that keeps it, then the time).
      inputs.push_back(
          udfzel_fuzz::InputEncoder().Text(picture).Int32(60374).Byte(1).Int32(0).Bytes());
    }
    for (std::size_t seed = 0; seed < inputs.size(); ++seed) {
      const std::string rendered = udfzel_test::RunOn(call, inputs[seed]);
      if (call.entry == "F_FormatDateTime" && seed >= 200) {
        EXPECT_NE(rendered.find("24"), std::string::npos) << rendered;  // an era picture's text
      }
      // No text (a null result) allocates nothing.
      const int expected = newText && rendered.rfind("null", 0) != 0 ? 1 : 0;
      EXPECT_EQ(CountedAllocations(), expected) << call.entry << " seed " << seed;
      if (expected == 1) {
        // New-text renderings start with the result's length and a colon.
        if (rendered.rfind("null", 0) != 0) {
          EXPECT_EQ(LastAllocationSize(), std::stoul(rendered) + 1)
              << call.entry << " seed " << seed;
        }
      }
    }
  }
  udfzel_test::SetCallObserver(nullptr);
}

TEST(Allocations, UdrCallsAllocateNothing) {
  static int udrCalls = 0;
  udfzel_fuzz::SetUdrCallHooks(
      [] {
        ++udrCalls;
        StartCountingAllocations();
      },
      StopCountingAllocations);
  int checked = 0;
  for (const udfzel_fuzz::UdrCheck& check : udfzel_fuzz::UdrChecks()) {
    if (check.needsServer) continue;
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
      const std::string bytes = udfzel_fuzz::PseudoRandomBytes(seed, 64);
      udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
      check.parity(in);
      EXPECT_EQ(CountedAllocations(), 0) << check.entry << " seed " << seed;
      ++checked;
    }
  }
  udfzel_fuzz::SetUdrCallHooks(nullptr, nullptr);
  EXPECT_GT(checked, 3000);
  EXPECT_EQ(udrCalls, checked);  // every count above was of a UDR call
}

// The counter sees allocations made here and inside other shared objects
// (the server's allocator library), so a zero above means something.
TEST(Allocations, CounterSeesMallocsOfEveryModule) {
  StartCountingAllocations();
  void* volatile block = std::malloc(24);
  void* volatile result = ib_util_malloc(7);
  StopCountingAllocations();
  std::free(block);
  std::free(result);
  EXPECT_EQ(CountedAllocations(), 2);
  EXPECT_EQ(LastAllocationSize(), 7u);
}

}  // namespace
