// Every entry point called from 8 threads at once on shared inputs gives the
// results it gives on one thread. Run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "entry_calls.h"

namespace {

using udfzel_test::EntryCalls;

constexpr int kThreads = 8;
constexpr std::size_t kInputs = 64;
constexpr int kRounds = 40;  // kInputs * kRounds calls of each entry point per thread

std::vector<std::string> SharedInputs() {
  std::vector<std::string> inputs;
  for (std::size_t i = 0; i < kInputs; ++i) {
    inputs.push_back(udfzel_fuzz::PseudoRandomBytes(1000 + i, 48));
  }
  return inputs;
}

TEST(ThreadStress, EightThreadsAgreeWithOneThread) {
  const std::vector<std::string> inputs = SharedInputs();
  const std::vector<std::vector<std::string>> expected = udfzel_test::RunAllOn(inputs);

  std::atomic<int> mismatches{0};
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      while (!go.load()) std::this_thread::yield();
      for (int round = 0; round < kRounds; ++round) {
        for (std::size_t c = 0; c < EntryCalls().size(); ++c) {
          // Threads walk the inputs from different starting points, so the
          // same input is in several threads at the same moment.
          for (std::size_t i = 0; i < kInputs; ++i) {
            const std::size_t at = (i + static_cast<std::size_t>(t) * 7) % kInputs;
            if (udfzel_test::RunOn(EntryCalls()[c], inputs[at]) != expected[c][at]) ++mismatches;
          }
        }
      }
    });
  }
  go = true;
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
