// Loading, using and unloading the modules as the server does, in a child
// process per sequence (on Linux one that holds ICU's common library, as
// the server does for its collations): a database attaches, the server
// loads a module; the last attachment goes, the server unloads it; the next
// attachment loads it again, at another address. Nothing of it may crash
// the host, in any locale, in any order of the two modules.
#include <gtest/gtest.h>
#include <ibase.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "module_loader.h"

namespace {

using udfzel_test::LoadModule;
using udfzel_test::ModuleEntry;

enum class Module { Legacy, Udr };
enum class Action { Load, Call, Unload, Scrub };
struct Step {
  Action action;
  Module module;
};

const char* PathOf(Module module) {
  return module == Module::Legacy ? UDFZEL_MODULE_PATH : UDFZEL_UDR_MODULE_PATH;
}

// Exit codes of the child that runs a sequence.
enum Outcome : int {
  kSurvived = 0,
  kNoLocale = 2,
  kLoadFailed = 3,
  kStillLoaded = 4,
  kWrongResult = 5,
};

// Calls a legacy date and number picture, which read the loaded locale;
// the first call of a sequence fixes what every later load must give.
bool CallLegacy(void* handle, std::string& first) {
  using DateEntry = char*(const char*, ISC_QUAD*) noexcept;
  using NumberEntry = char*(const char*, const double*) noexcept;
  auto* date = reinterpret_cast<DateEntry*>(ModuleEntry(handle, "F_FormatDateTime"));
  auto* number = reinterpret_cast<NumberEntry*>(ModuleEntry(handle, "F_FormatFloat"));
  if (date == nullptr || number == nullptr) return false;
  ISC_TIMESTAMP stamp{60371, 10 * 36000000};  // 2024-03-05 10:00
  ISC_QUAD quad;
  std::memcpy(&quad, &stamp, sizeof quad);
  const double value = 1234567.891;
  char* dateText = date("dddd, d mmmm yyyy c ampm g ee", &quad);
  char* numberText = number("#,##0.00", &value);
  if (dateText == nullptr || numberText == nullptr) return false;
  const std::string text = std::string(dateText) + " | " + numberText;
  std::free(dateText);  // ib_util_malloc is the C runtime's malloc
  std::free(numberText);
  if (first.empty()) first = text;
  return text == first;
}

// Runs a sequence in this (child) process; returns an Outcome.
int RunSequence(const std::string& lang, const std::vector<Step>& steps, int rounds) {
  if (!udfzel_test::EnterChildLocale(lang)) return kNoLocale;
  void* handles[2] = {nullptr, nullptr};
  std::string first;
  for (int round = 0; round < rounds; ++round) {
    for (const Step& step : steps) {
      void*& handle = handles[static_cast<int>(step.module)];
      switch (step.action) {
        case Action::Load:
          handle = LoadModule(PathOf(step.module));
          if (handle == nullptr) return kLoadFailed;
          break;
        case Action::Call:
          if (!CallLegacy(handle, first)) return kWrongResult;
          break;
        case Action::Unload:
          udfzel_test::UnloadModule(handle);
          handle = nullptr;
          // The module must really go, or the sequence proves nothing.
          if (udfzel_test::ModuleIsLoaded(PathOf(step.module))) return kStillLoaded;
          break;
        case Action::Scrub:
          udfzel_test::FillFreedAddresses();
          break;
      }
    }
  }
  return kSurvived;
}

using enum Action;
using enum Module;

struct Sequence {
  const char* name;
  std::vector<Step> steps;
};

const std::vector<Sequence>& Sequences() {
  static const std::vector<Sequence> sequences = {
      {"legacy: load, call, unload",
       {{Load, Legacy}, {Call, Legacy}, {Unload, Legacy}, {Scrub, Legacy}}},
      {"UDR: load, unload", {{Load, Udr}, {Unload, Udr}, {Scrub, Udr}}},
      {"both, unloaded in either order",
       {{Load, Legacy},
        {Load, Udr},
        {Call, Legacy},
        {Unload, Legacy},
        {Scrub, Legacy},
        {Load, Legacy},
        {Call, Legacy},
        {Unload, Udr},
        {Scrub, Udr},
        {Load, Udr},
        {Unload, Legacy},
        {Unload, Udr},
        {Scrub, Udr}}},
  };
  return sequences;
}

class ModuleLifecycle : public ::testing::TestWithParam<std::string> {};

TEST_P(ModuleLifecycle, ReloadingNeverCrashesTheHost) {
  // A fresh process per sequence: the modules must not be loaded already.
  // Under an emulator that cannot start itself again (qemu without
  // binfmt_misc), GTEST_DEATH_TEST_STYLE=fast forks instead, for a run of
  // this test alone.
  if (std::getenv("GTEST_DEATH_TEST_STYLE") == nullptr) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
  // _Exit: the sanitizers' runtimes keep a few bytes per load of a
  // sanitized module, which their leak check at exit would report; leaks of
  // the modules themselves are the other suites' business.
  for (const Sequence& sequence : Sequences()) {
    EXPECT_EXIT(std::_Exit(RunSequence(GetParam(), sequence.steps, 2)),
                ::testing::ExitedWithCode(kSurvived), "")
        << sequence.name << " under " << GetParam();
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, ModuleLifecycle,
                         ::testing::ValuesIn(udfzel_test::LifecycleLocales()),
                         [](const auto& param) {
                           std::string name = param.param;
                           for (char& c : name) {
                             if (std::isalnum(static_cast<unsigned char>(c)) == 0) c = '_';
                           }
                           return name;
                         });

}  // namespace
