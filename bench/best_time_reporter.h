// What the benchmark programs share: the best of repeated runs of each case, the table of our time
// beside the reference's, and the main routine that runs the cases and prints the table.
#pragma once

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace zelvora::bench {

// The statistic "best" of the repetitions.
inline double BestOf(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

// Keeps the best repetition of every case and shows the usual console lines for them.
class tBestTimeReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        std::vector<Run> best;
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "best") {
                const std::string& args = run.run_name.args;
                m_best[run.run_name.function_name + (args.empty() ? "" : "/" + args)]
                    = run.GetAdjustedRealTime();
                best.push_back(run);
            }
        }
        ConsoleReporter::ReportRuns(best);
    }

    // The best time of a case ("name" or "name/argument"), in the cases' unit.
    std::optional<double> Best(const std::string& name) const
    {
        const auto found = m_best.find(name);
        return found == m_best.end() ? std::nullopt : std::optional<double>(found->second);
    }

private:
    std::map<std::string, double> m_best;
};

// For cases named operation/ours/n and operation/eigen/n: our time, Eigen's and the ratio.
inline void PrintOursBesideEigen(const tBestTimeReporter& reporter,
    std::span<const char* const> operations, std::span<const int> sizes)
{
    std::printf(
        "\n%-12s %6s %14s %14s %12s\n", "routine", "n", "ours [ms]", "Eigen [ms]", "ours/Eigen");
    for (const char* operation : operations) {
        for (int n : sizes) {
            const std::string size = "/" + std::to_string(n);
            const auto ours = reporter.Best(operation + std::string("/ours") + size);
            const auto eigen = reporter.Best(operation + std::string("/eigen") + size);
            if (ours && eigen)
                std::printf("%-12s %6d %14.3f %14.3f %12.3f\n", operation, n, *ours, *eigen,
                    *ours / *eigen);
        }
    }
}

// A case timed in milliseconds of real time, repeated and reported by its best repetition.
inline benchmark::internal::Benchmark* BestOfRepeats(
    benchmark::internal::Benchmark* bench, int repetitions)
{
    return bench->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Repetitions(repetitions)
        ->ComputeStatistics("best", BestOf)
        ->ReportAggregatesOnly(true);
}

// Runs the registered cases with the best-time reporter, then printTable(reporter).
template <typename tPrintTable> int RunAndPrint(int argc, char** argv, tPrintTable printTable)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    tBestTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printTable(reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace zelvora::bench
