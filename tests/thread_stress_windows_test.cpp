// The server's own threads: Firebird makes its worker threads with
// CreateThread, and on Windows such a thread starts with the x87 precision
// control at 53 bits (control word 0x027F), where the main thread and
// std::thread have 64. Every entry point, called from 8 of them at once,
// gives the results of one thread in the default environment, and leaves
// the thread's control word as it found it.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "entry_calls.h"

namespace {

constexpr int kThreads = 8;
constexpr std::uint16_t kServerThreadControl = 0x027F;

std::uint16_t ControlWord() {
  std::uint16_t control = 0;
  asm volatile("fnstcw %0" : "=m"(control));
  return control;
}

struct Work {
  const std::vector<std::string>* inputs;
  const udfzel_test::Renders* expected;
  std::atomic<int>* mismatches;
  std::atomic<int>* changedControl;
  std::uint16_t startControl = 0;
};

DWORD WINAPI CallEverything(void* argument) {
  Work& work = *static_cast<Work*>(argument);
  work.startControl = ControlWord();
  // A thread that did not start at 53 bits is put there: the condition
  // under test is the server's, whatever this host starts threads with.
  const std::uint16_t server = kServerThreadControl;
  asm volatile("fldcw %0" : : "m"(server));
  *work.mismatches += udfzel_test::CountMismatches(*work.inputs, *work.expected, 0, [&] {
    if (ControlWord() != kServerThreadControl) ++*work.changedControl;
  });
  return 0;
}

TEST(ServerThreads, FiftyThreeBitThreadsGetTheLibrarysDigitsAndKeepTheirControlWord) {
  const std::vector<std::string> inputs = udfzel_test::ThreadInputs(64, 5000);
  const udfzel_test::Renders expected = udfzel_test::RunAllOn(inputs);

  std::atomic<int> mismatches{0};
  std::atomic<int> changedControl{0};
  std::vector<Work> work(kThreads, Work{&inputs, &expected, &mismatches, &changedControl});
  std::vector<HANDLE> threads;
  for (Work& each : work) {
    HANDLE thread = CreateThread(nullptr, 0, CallEverything, &each, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    threads.push_back(thread);
  }
  WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
  for (HANDLE thread : threads) CloseHandle(thread);
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_EQ(changedControl.load(), 0);
  for (const Work& each : work) RecordProperty("start_control", each.startControl);
}

}  // namespace
