// The UDR face outside the server: for every function, pseudo-random
// arguments from the fuzz grammar give the legacy entry point's result byte
// for byte, and a NULL in any argument gives NULL.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "elf_symbols.h"
#include "results/result_text.h"
#include "results/strings.h"
#include "udr_parity.h"

namespace {

using udfzel_fuzz::UdrCheck;
using udfzel_fuzz::UdrChecks;

constexpr int kInputsPerFunction = 3000;

// The UDR module exports the UDR engine's entry point and nothing else: the
// functions are registered through it, by name.
TEST(UdrFace, ModuleExportsOnlyTheUdrEntryPoint) {
  EXPECT_EQ(udfzel_test::ExportedSymbols(UDFZEL_UDR_MODULE_PATH),
            std::set<std::string>{"firebird_udr_plugin"});
}

TEST(UdrFace, ResultsAreTheLegacyResults) {
  for (const UdrCheck& check : UdrChecks()) {
    if (check.needsServer) continue;
    int disagreements = 0;
    for (int seed = 0; seed < kInputsPerFunction && disagreements < 5; ++seed) {
      const std::string bytes =
          udfzel_fuzz::PseudoRandomBytes(static_cast<std::uint64_t>(seed), 64);
      udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
      const std::string difference = check.parity(in).difference;
      if (!difference.empty()) {
        ++disagreements;
        ADD_FAILURE() << check.entry << " seed " << seed << ": " << difference;
      }
    }
  }
}

// The server calls a function from many threads at once; run under
// ThreadSanitizer too.
TEST(UdrFace, EightThreadsAgreeWithTheLegacyFace) {
  constexpr int kThreads = 8;
  constexpr std::uint64_t kSeeds = 150;
  std::atomic<int> disagreements{0};
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      while (!go.load()) std::this_thread::yield();
      for (const UdrCheck& check : UdrChecks()) {
        if (check.needsServer) continue;
        for (std::uint64_t seed = 0; seed < kSeeds; ++seed) {
          const std::string bytes = udfzel_fuzz::PseudoRandomBytes(5000 + seed, 64);
          udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                       bytes.size());
          if (!check.parity(in).difference.empty()) ++disagreements;
        }
      }
    });
  }
  go = true;
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(disagreements.load(), 0);
}

TEST(UdrFace, ANullArgumentGivesNull) {
  for (const UdrCheck& check : UdrChecks()) {
    for (std::size_t position = 0; position < check.inputs; ++position) {
      EXPECT_EQ(check.nullGivesNull(position), "") << check.entry << " argument " << position + 1;
    }
  }
}

TEST(UdrFace, TheOverLongPictureIsAnError) {
  // The one library error reachable from SQL: found among the decoded
  // inputs above only by chance, so checked here on purpose.
  const UdrCheck* formatFloat = nullptr;
  for (const UdrCheck& check : UdrChecks()) {
    if (check.entry == "F_FormatFloat") formatFloat = &check;
  }
  ASSERT_NE(formatFloat, nullptr);
  // Picture: a length byte of 230, then '0's; the number: edge value 1.0.
  std::string bytes(1, static_cast<char>(230));
  bytes += std::string(230, '0');
  bytes += '\x02';
  udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  const udfzel_fuzz::ParityOutcome outcome = formatFloat->parity(in);
  EXPECT_EQ(outcome.difference, "");
  EXPECT_EQ(outcome.error, "String de formato muito longa");
}

// A text longer than any result is the server's truncation error through
// the UDR face (ResultTooLong), never a text cut to fit.
TEST(UdrFace, ATextLongerThanAnyResultIsAnErrorNotACut) {
  const std::string value(32763, '1');
  udfzel::FixedText<udfzel::results::kCapacity> text;
  EXPECT_THROW(udfzel::results::F_FormatMaskText(text, "0-0-0-0;0;_", value.c_str()),
               udfzel::results::ResultTooLong);
}

// The layout the face reads is the client library's own, for every
// function; the module checks it again whenever the server sets one up.
TEST(UdrFace, MessageLayoutsAreTheServersLayouts) {
  for (const UdrCheck& check : UdrChecks()) {
    if (check.layout == nullptr) GTEST_SKIP() << "this build has no client library";
    EXPECT_EQ(check.layout(), "") << check.entry;
  }
}

}  // namespace
