// Factor rotations timed on loading matrices with a hidden simple structure: VARIMAX and QUARTIMAX
// of 200 x 10 and 1000 x 20 loadings, and ZIEL of 200 x 10 loadings toward their own simple
// structure. Each case keeps its best repetition; the closing table prints the time and the sweeps
// the run needed (a converged run stops within a few sweeps; the bound is 500).
// Run (under a minute):
//   cmake --build build --target bench_rotations && build/bench/bench_rotations
#include "best_time_reporter.h"
#include "numerics/factor_rotations.h"
#include "numerics/plane_rotations.h"
#include "numerics/rotation_criteria.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;

struct tCase {
    const char* name;
    int rows;
    int factors;
};

constexpr tCase cases[] = { { "VARIMAX", 200, 10 }, { "VARIMAX", 1000, 20 },
    { "QUARTIMAX", 200, 10 }, { "QUARTIMAX", 1000, 20 }, { "ZIEL", 200, 10 } };

// Results are summed here so that no timed work can be dropped.
long double sink = 0;
std::map<std::string, int> sweepsOf;

struct tLoadings {
    trealmatrix simple; // each variable loads mainly on one factor
    trealmatrix turned; // the same turned by a random orthogonal transformation
};

const tLoadings& LoadingsOf(int rows, int factors)
{
    static std::map<std::pair<int, int>, tLoadings> cache;
    const auto key = std::make_pair(rows, factors);
    if (const auto found = cache.find(key); found != cache.end())
        return found->second;
    std::mt19937_64 random(4711 + rows);
    std::uniform_real_distribution<double> loading(0.4, 0.9);
    std::normal_distribution<double> noise(0, 0.08);
    std::uniform_real_distribution<double> angle(-3.14159, 3.14159);
    trealmatrix simple(rows, factors);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= factors; ++c)
            simple(r, c) = noise(random);
        simple(r, 1 + (r - 1) % factors) += loading(random);
    }
    trealmatrix turned = simple;
    for (int sweep = 0; sweep < 3; ++sweep) {
        for (int a = 1; a < factors; ++a) {
            for (int b = a + 1; b <= factors; ++b) {
                const long double phi = angle(random);
                RotateColumns(turned, a, b, std::cos(phi), std::sin(phi));
            }
        }
    }
    return cache.emplace(key, tLoadings { std::move(simple), std::move(turned) }).first->second;
}

tRotationResult RunCase(const tCase& c)
{
    const tLoadings& l = LoadingsOf(c.rows, c.factors);
    const tIntvector rows = AllIndexes(c.rows);
    const tIntvector cols = AllIndexes(c.factors);
    if (std::string(c.name) == "ZIEL")
        return TargetRotation(l.turned, l.simple, rows, cols, false);
    const tRotationCriterion criterion = std::string(c.name) == "VARIMAX"
        ? tRotationCriterion(VarimaxCriterion)
        : QuartimaxCriterion;
    return RotationSweeps(l.turned, rows, cols, criterion);
}

std::string CaseName(const tCase& c)
{
    return std::string(c.name) + "/" + std::to_string(c.rows) + "x" + std::to_string(c.factors);
}

void RegisterCases()
{
    for (const tCase& c : cases) {
        benchmark::RegisterBenchmark(CaseName(c).c_str(),
            [c](benchmark::State& state) {
                for (auto _ : state) {
                    const tRotationResult run = RunCase(c);
                    sink += run.rotated(1, 1);
                    sweepsOf[CaseName(c)] = run.sweeps;
                }
            })
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(3)
            ->ComputeStatistics("best", zelvora::bench::BestOf)
            ->ReportAggregatesOnly(true);
    }
}

} // namespace

int main(int argc, char** argv)
{
    RegisterCases();
    return zelvora::bench::RunAndPrint(
        argc, argv, [](const zelvora::bench::tBestTimeReporter& reporter) {
            std::printf("\n%-22s %12s %8s\n", "rotation", "time [ms]", "sweeps");
            for (const tCase& c : cases) {
                const std::string name = CaseName(c);
                const auto best = reporter.Best(name);
                std::printf("%-22s %12.3f %8d\n", name.c_str(), best ? *best : 0.0, sweepsOf[name]);
            }
            std::printf("(sink %Lg)\n", sink);
        });
}
