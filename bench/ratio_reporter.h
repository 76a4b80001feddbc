// A console reporter that also prints, at the end, each udfzel benchmark
// next to its baseline as a Markdown table: benchmarks named "CASE/udfzel"
// and "CASE/baseline" form a pair, and the ratio is udfzel time over
// baseline time (medians when the run has repetitions).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace udfzel_bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // With repetitions, the median stands for the case; without, the run.
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!median && (run.run_type != Run::RT_Iteration || run.repetitions > 1)) continue;
      const std::string name = run.run_name.str();
      const auto slash = name.rfind('/');
      if (slash == std::string::npos) continue;
      const double ns = run.GetAdjustedCPUTime();
      pairs_[name.substr(0, slash)][name.substr(slash + 1)] = ns;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n| case | udfzel ns | baseline ns | udfzel / baseline |\n|---|---|---|---|\n");
    for (auto& [key, pair] : pairs_) {
      if (pair.count("udfzel") == 0 || pair.count("baseline") == 0) continue;
      std::printf("| %s | %.2f | %.2f | %.2f |\n", key.c_str(), pair["udfzel"], pair["baseline"],
                  pair["udfzel"] / pair["baseline"]);
    }
  }

 private:
  std::map<std::string, std::map<std::string, double>> pairs_;  // sorted by case
};

}  // namespace udfzel_bench
