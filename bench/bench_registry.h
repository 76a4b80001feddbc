// Registers a benchmark pair: CASE/udfzel and CASE/baseline, which the ratio
// reporter prints side by side.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

namespace udfzel_bench {

using Body = std::function<void(benchmark::State&)>;

inline void AddPair(const std::string& name, Body udfzel, Body baseline) {
  benchmark::RegisterBenchmark((name + "/udfzel").c_str(),
                               [udfzel](benchmark::State& state) { udfzel(state); });
  benchmark::RegisterBenchmark((name + "/baseline").c_str(),
                               [baseline](benchmark::State& state) { baseline(state); });
}

}  // namespace udfzel_bench
