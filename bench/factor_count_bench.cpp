// How many factors, timed: parallel analysis of 20 variables x 500 cases against 100 random sets
// (components and the reduced matrix), and Velicer's MAP of 50 variables. The correlation matrix
// has five blocks of four variables; the random sets come from the program's own generator.
// Run (under a minute):
//   cmake --build build --target bench_factor_count && build/bench/bench_factor_count
#include "block_correlations.h"
#include "numerics/factor_count.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;

long double sink = 0;

using bench::Blocks;

void ParallelAnalysisOf20x500(benchmark::State& state)
{
    const trealmatrix r = Blocks(20, 4);
    const auto kind = state.range(0) == 0 ? tParallelKind::Components : tParallelKind::Factors;
    for (auto _ : state) {
        tRandomGenerator random(1);
        const tParallelAnalysis run = ParallelAnalysis(r, 500, 100, kind, random).Value();
        sink += run.percentile(1, 1) + run.suggested;
    }
    state.SetLabel(kind == tParallelKind::Components ? "PC" : "FA");
}
BENCHMARK(ParallelAnalysisOf20x500)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void MapOf50(benchmark::State& state)
{
    const trealmatrix r = Blocks(50, 10);
    for (auto _ : state)
        sink += MinimumAveragePartial(r).Value().none;
}
BENCHMARK(MapOf50)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
