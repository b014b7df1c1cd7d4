// The factor analysis timed against its speed targets: maximum likelihood extraction of 5 factors
// from 50 variables (target 50 ms), GEOMIN with 10 starts on the 50 x 5 loadings it gives
// (100 ms), and parallel analysis of 20 variables x 500 cases against 100 random sets (1 s), each
// with one and with two threads. The correlation matrix of the 50 variables comes from 500 cases
// of a five-factor model drawn with the program's own generator. Each case keeps its best
// repetition; the closing table prints it beside its target.
// Run (under a minute):
//   cmake --build build --target bench_factor_analysis && build/bench/bench_factor_analysis
#include "best_time_reporter.h"
#include "block_correlations.h"
#include "numerics/factor_count.h"
#include "numerics/factor_extraction.h"
#include "numerics/library_state.h"
#include "numerics/oblique_rotations.h"
#include "numerics/worker_pool.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;

// Results are summed here so that no timed work can be dropped.
long double sink = 0;
std::map<std::string, int> iterationsOf;

// Variable i loads 0.5 to 0.8 on factor (i - 1) mod 5 + 1 and 0.15 on the next one; the five
// factors correlate 0.2. The correlation matrix of 500 cases drawn from that model.
trealmatrix FiveFactorCorrelations()
{
    constexpr int32_t p = 50;
    constexpr int32_t k = 5;
    constexpr int32_t n = 500;
    tRandomGenerator random(2026);
    std::vector<long double> x(static_cast<std::size_t>(p));
    std::vector<long double> sum(static_cast<std::size_t>(p));
    trealmatrix products(p, p);
    for (int32_t c = 0; c < n; ++c) {
        const long double common = random.NormalDeviate() * std::sqrt(0.2L);
        long double factor[k];
        for (long double& f : factor)
            f = common + random.NormalDeviate() * std::sqrt(0.8L);
        for (int32_t i = 0; i < p; ++i) {
            const long double main = 0.5L + 0.3L * (i / k) / (p / k - 1);
            const long double side = 0.15L;
            const long double signal = main * factor[i % k] + side * factor[(i + 1) % k];
            x[static_cast<std::size_t>(i)] = signal + random.NormalDeviate() * 0.6L;
        }
        for (int32_t i = 0; i < p; ++i) {
            sum[static_cast<std::size_t>(i)] += x[static_cast<std::size_t>(i)];
            for (int32_t j = 0; j < p; ++j)
                products(i + 1, j + 1)
                    += x[static_cast<std::size_t>(i)] * x[static_cast<std::size_t>(j)];
        }
    }
    trealmatrix covariance(p, p);
    for (int32_t i = 1; i <= p; ++i)
        for (int32_t j = 1; j <= p; ++j)
            covariance(i, j) = products(i, j)
                - sum[static_cast<std::size_t>(i - 1)] * sum[static_cast<std::size_t>(j - 1)] / n;
    return covariance; // the extraction standardises it
}

using bench::Blocks;

const trealmatrix& Correlations()
{
    static const trealmatrix r = FiveFactorCorrelations();
    return r;
}

const trealmatrix& UnrotatedLoadings()
{
    static const trealmatrix l
        = ExtractFactors(Correlations(), 5, tExtractionMethod::MaximumLikelihood, 500)
              .Value()
              .loadings;
    return l;
}

struct tCase {
    const char* name;
    double targetMs;
    void (*run)(const std::string& name);
};

void MaximumLikelihood(const std::string& name)
{
    const tFactorExtraction run
        = ExtractFactors(Correlations(), 5, tExtractionMethod::MaximumLikelihood, 500).Value();
    if (!run.converged)
        std::fprintf(stderr, "%s: not converged\n", name.c_str());
    sink += run.loadings(1, 1) + run.fit->chiSquare;
    iterationsOf[name] = run.iterations;
}

void GeominTenStarts(const std::string& name)
{
    tRandomGenerator random(1);
    const tObliqueRotation run = GeominRotation(UnrotatedLoadings(), 0.01L, 10, random).Value();
    if (!run.converged)
        std::fprintf(stderr, "%s: not converged\n", name.c_str());
    sink += run.pattern(1, 1) + run.criterion;
    iterationsOf[name] = run.iterations;
}

void Parallel(const std::string& name, tParallelKind kind)
{
    tRandomGenerator random(1);
    const tParallelAnalysis run = ParallelAnalysis(Blocks(20, 4), 500, 100, kind, random).Value();
    sink += run.percentile(1, 1) + run.suggested;
    iterationsOf[name] = 100;
}

constexpr tCase cases[] = {
    { "ML/50x5", 50, MaximumLikelihood },
    { "GEOMIN/50x5/10 starts", 100, GeominTenStarts },
    { "Parallel/PC/20x500x100", 1000,
        [](const std::string& name) { Parallel(name, tParallelKind::Components); } },
    { "Parallel/FA/20x500x100", 1000,
        [](const std::string& name) { Parallel(name, tParallelKind::Factors); } },
};

std::string CaseName(const tCase& c, int threads)
{
    return std::string(c.name) + "/threads:" + std::to_string(threads);
}

void RegisterCases()
{
    for (const tCase& c : cases) {
        for (int threads : { 1, 2 }) {
            const std::string name = CaseName(c, threads);
            bench::BestOfRepeats(benchmark::RegisterBenchmark(name.c_str(),
                                     [c, threads, name](benchmark::State& state) {
                                         tWorkerPool pool(threads);
                                         const tWorkersScope workers(&pool);
                                         UnrotatedLoadings(); // outside the timing
                                         for (auto _ : state)
                                             c.run(name);
                                     }),
                5);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    RegisterCases();
    return bench::RunAndPrint(argc, argv, [](const bench::tBestTimeReporter& reporter) {
        std::printf(
            "\n%-36s %11s %11s %11s %7s\n", "case", "1 thread", "2 threads", "target", "steps");
        for (const tCase& c : cases) {
            const auto one = reporter.Best(CaseName(c, 1));
            const auto two = reporter.Best(CaseName(c, 2));
            std::printf("%-36s %8.1f ms %8.1f ms %8.0f ms %7d\n", c.name, one ? *one : 0.0,
                two ? *two : 0.0, c.targetMs, iterationsOf[CaseName(c, 1)]);
        }
        std::printf("(sink %Lg)\n", sink);
    });
}
