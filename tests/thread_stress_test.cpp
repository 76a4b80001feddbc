// Every entry point called from 8 threads at once on shared inputs gives the
// results it gives on one thread. Run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "entry_calls.h"

namespace {

constexpr int kThreads = 8;
constexpr std::size_t kInputs = 64;
constexpr int kRounds = 40;  // kInputs * kRounds calls of each entry point per thread

TEST(ThreadStress, EightThreadsAgreeWithOneThread) {
  const std::vector<std::string> inputs = udfzel_test::ThreadInputs(kInputs, 1000);
  const udfzel_test::Renders expected = udfzel_test::RunAllOn(inputs);

  std::atomic<int> mismatches{0};
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      while (!go.load()) std::this_thread::yield();
      // Threads walk the inputs from different starting points, so the same
      // input is in several threads at the same moment.
      for (int round = 0; round < kRounds; ++round) {
        mismatches +=
            udfzel_test::CountMismatches(inputs, expected, static_cast<std::size_t>(t) * 7);
      }
    });
  }
  go = true;
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
