// Whatever floating-point environment the caller runs under, every entry
// point of both faces gives the results it gives under the default one,
// raises no floating-point trap, and hands the caller's environment back bit for bit:
// x87 control word, x87 exception flags, MXCSR. The caller here unmasks the
// invalid, divide-by-zero and overflow traps, as some application
// frameworks do, and in one variant also chops, keeps 53 bits, flushes
// denormals to zero and has flags raised already. (valgrind does not model
// the floating-point control registers: the memcheck run leaves this out.)
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "entry_calls.h"
#include "fp_environment.h"
#include "fp_traps.h"
#include "input_decoder.h"
#include "list/function_list.h"
#include "udr_parity.h"

namespace {

using udfzel::ArgKind;

using udfzel_test::FpEnvironment;
using udfzel_test::ReadEnvironment;
using udfzel_test::WriteEnvironment;
constexpr FpEnvironment kDefault = udfzel_test::kDefaultEnvironment;
constexpr FpEnvironment kTrapping = udfzel_test::kTrappingEnvironment;
constexpr FpEnvironment kOdd = udfzel_test::kOddEnvironment;

// The environment for the call under test, what the unit made of it (a
// CPU without trapping ignores the trap enables), and what the call left.
FpEnvironment callerEnvironment = kDefault;
FpEnvironment callerEffective = kDefault;
FpEnvironment leftBehind = kDefault;

void EnterCaller() {
  WriteEnvironment(callerEnvironment);
  callerEffective = ReadEnvironment();
}
void LeaveCaller() {
  leftBehind = ReadEnvironment();
  WriteEnvironment(kDefault);
}

class CallerEnvironment : public udfzel_test::CallObserver {
 public:
  void Before() override { EnterCaller(); }
  void After() override { LeaveCaller(); }
};

// One call of a harness under `env`: its rendering, or "trap".
template <class Run>
std::string CallUnder(const FpEnvironment& env, Run run) {
  callerEnvironment = env;
  callerEffective = env;
  leftBehind = env;
  std::string rendering;
  auto body = [&] { rendering = run(); };
  if (!udfzel_test::RunCatchingTraps(body)) {
    WriteEnvironment(kDefault);
    return "trap";
  }
  return rendering;
}

// Arguments of every kind at the values that stress the floating-point
// unit, as encoded inputs; timestamps and blobs come from the seeds.
std::vector<std::string> ValuesOf(ArgKind kind) {
  std::vector<std::string> values;
  const auto add = [&](auto fill) {
    udfzel_fuzz::InputEncoder one;
    fill(one);
    values.push_back(one.Bytes());
  };
  switch (kind) {
    case ArgKind::Text:
      for (const char* t : {"", "  Jo\xe3o da SILVA ", "12345678901"}) {
        add([&](auto& x) { x.Text(t); });
      }
      break;
    case ArgKind::Picture:
      // The last is over-long for a number picture: a library error.
      for (const std::string& t :
           std::vector<std::string>{"#,##0.00;(#,##0.00)", "0.00E+00", "dd/mm/yyyy hh:nn g ee",
                                    "000.000.000-00;0;_", std::string(230, '0')}) {
        add([&](auto& x) { x.Text(t); });
      }
      break;
    case ArgKind::Int32:
      for (const std::int32_t n : {2, 0, -2, 400, -400, 18, 30, INT32_MIN}) {
        add([&](auto& x) { x.Int32(n); });
      }
      break;
    case ArgKind::Int64:
      for (const std::int32_t high : {INT32_MIN, -1, 0}) {
        add([&](auto& x) { x.Int32(high).Int32(high == 0 ? 7 : 0); });
      }
      break;
    case ArgKind::Double:
      for (const double d :
           {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 1e19,
            -1e19, 1e308, -1e308, 4.9406564584124654e-324, -DBL_MAX, 0.1, 2.5, 1234.5}) {
        add([&](auto& x) { x.Double(d); });
      }
      break;
    case ArgKind::Timestamp:
      for (const std::int32_t day : {60374, 0, -678575, 2973483, INT32_MIN}) {
        add([&](auto& x) { x.Int32(day).Int32(864000000); });
      }
      break;
    default:
      break;
  }
  return values;
}

// Every combination of the argument values, and the hostile rows' seeds.
std::vector<std::string> InputsFor(const udfzel::FunctionSpec& fn) {
  std::vector<std::string> inputs{""};
  for (std::size_t i = 0; i < fn.ArgCount(); ++i) {
    const std::vector<std::string> values = ValuesOf(fn.args[i]);
    if (values.empty()) {
      inputs.clear();
      break;
    }
    std::vector<std::string> longer;
    for (const std::string& prefix : inputs) {
      for (const std::string& value : values) longer.push_back(prefix + value);
    }
    inputs = longer;
  }
  for (std::uint64_t seed = 0; seed < 300; ++seed) {
    inputs.push_back(udfzel_fuzz::PseudoRandomBytes(seed, 300));
  }
  return inputs;
}

const udfzel::FunctionSpec& SpecOf(std::string_view entry) {
  for (const auto& fn : udfzel::kFunctions) {
    if (fn.entry == entry) return fn;
  }
  throw std::logic_error("unlisted function");
}

struct Tally {
  int calls = 0;
  int traps = 0;
  int environmentChanged = 0;
  int resultsDiffer = 0;
};

class CallerEnvironmentTest : public ::testing::TestWithParam<FpEnvironment> {
 protected:
  void TearDown() override { WriteEnvironment(kDefault); }

  void Record(Tally& tally, const std::string& entry, const std::string& expected,
              const std::string& got) {
    ++tally.calls;
    if (got == "trap") {
      if (++tally.traps <= 3) ADD_FAILURE() << entry << " trapped";
    } else if (!(leftBehind == callerEffective)) {
      if (++tally.environmentChanged <= 3) {
        ADD_FAILURE() << entry << " changed the caller's floating-point environment";
      }
    } else if (got != expected) {
      if (++tally.resultsDiffer <= 3) ADD_FAILURE() << entry << ": " << got << " vs " << expected;
    }
  }
};

TEST_P(CallerEnvironmentTest, LegacyEntryPoints) {
  CallerEnvironment observer;
  udfzel_test::SetCallObserver(&observer);
  Tally tally;
  for (const udfzel_test::EntryCall& call : udfzel_test::EntryCalls()) {
    for (const std::string& input : InputsFor(SpecOf(call.entry))) {
      const std::string expected =
          CallUnder(kDefault, [&] { return udfzel_test::RunOn(call, input); });
      const std::string got =
          CallUnder(GetParam(), [&] { return udfzel_test::RunOn(call, input); });
      Record(tally, std::string(call.entry), expected, got);
    }
  }
  udfzel_test::SetCallObserver(nullptr);
  EXPECT_GT(tally.calls, 10000);
  EXPECT_EQ(tally.traps + tally.environmentChanged + tally.resultsDiffer, 0);
}

// The UDR call runs under the caller's environment; the legacy entry point
// it is compared with, under the default one.
TEST_P(CallerEnvironmentTest, UdrFunctions) {
  udfzel_fuzz::SetUdrCallHooks(EnterCaller, LeaveCaller);
  Tally tally;
  for (const udfzel_fuzz::UdrCheck& check : udfzel_fuzz::UdrChecks()) {
    if (check.parity == nullptr) continue;  // blobs need the server
    for (const std::string& input : InputsFor(SpecOf(check.entry))) {
      const std::string got = CallUnder(GetParam(), [&] {
        udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(input.data()),
                                     input.size());
        return check.parity(in).difference;
      });
      Record(tally, std::string(check.entry), "", got);
    }
  }
  udfzel_fuzz::SetUdrCallHooks(nullptr, nullptr);
  EXPECT_GT(tally.calls, 9000);
  EXPECT_EQ(tally.traps + tally.environmentChanged + tally.resultsDiffer, 0);
}

// The catcher itself: a division by zero under enabled traps is seen, in
// every unit that traps, and the test program goes on.
TEST(CallerEnvironmentTraps, TheCatcherSeesATrapTheCallerUnmasked) {
  WriteEnvironment(kTrapping);
  const bool traps = ReadEnvironment() == kTrapping;
  WriteEnvironment(kDefault);
  if (!traps) GTEST_SKIP() << "this CPU ignores the trap enables";
  // qemu's user mode keeps the unmasked x87 and SSE bits but raises no
  // SIGFPE; the native runs prove the catcher.
  if (std::getenv("UDFZEL_TEST_NO_FP_TRAPS") != nullptr)
    GTEST_SKIP() << "the emulator raises no floating-point traps";
  for (int unit = 0; unit < udfzel_test::kTrappingUnits; ++unit) {
    auto divide = [&] {
      WriteEnvironment(kTrapping);
      udfzel_test::DivideByZeroInEachUnit(unit);
      WriteEnvironment(kDefault);
    };
    EXPECT_FALSE(udfzel_test::RunCatchingTraps(divide)) << "unit " << unit;
    EXPECT_EQ(ReadEnvironment(), kDefault);
  }
}

INSTANTIATE_TEST_SUITE_P(Callers, CallerEnvironmentTest, ::testing::Values(kTrapping, kOdd),
                         [](const auto& param) {
                           return param.param == kTrapping ? std::string("TrapsUnmasked")
                                                           : std::string("EverythingOdd");
                         });

}  // namespace
