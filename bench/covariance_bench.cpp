// Correlation and distance matrices of the library timed beside Eigen in one run: Corr of a
// 200 x 100,000 data matrix (variables x cases) beside Eigen's X * X' of the same long double
// matrix (the product that dominates a correlation), and Dist of 2000 points with 20 coordinates
// beside Eigen's X * X' of the 2000 x 20 matrix; n is the number of variables or points. Each
// case keeps its best repetition; the closing table prints ours / Eigen (target for Corr: <= 1.5).
#include "best_time_reporter.h"
#include "numerics/covariance.h"
#include "numerics/distances.h"

#include <cstdio>
#include <random>

#include <Eigen/Dense>
#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;
using tEigenMatrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;

// Results are summed here so that no timed work can be dropped.
long double sink = 0;

struct tInputs {
    trealmatrix ours;
    tEigenMatrix eigen;
};

tInputs MakeInputs(int32_t rows, int32_t cols, unsigned seed)
{
    std::mt19937_64 random(seed);
    std::normal_distribution<double> normal(0, 1);
    tInputs in { trealmatrix(rows, cols), tEigenMatrix(rows, cols) };
    for (int32_t r = 1; r <= rows; ++r) {
        for (int32_t c = 1; c <= cols; ++c)
            in.ours(r, c) = in.eigen(r - 1, c - 1) = 10 + static_cast<long double>(normal(random));
    }
    return in;
}

const tInputs& CorrInputs()
{
    static const tInputs inputs = MakeInputs(200, 100000, 20261209);
    return inputs;
}

const tInputs& DistInputs()
{
    static const tInputs inputs = MakeInputs(2000, 20, 20261210);
    return inputs;
}

void OursCorr(benchmark::State& state)
{
    for (auto _ : state) {
        const trealmatrix r = CorrelationOf(CorrInputs().ours, 1).Value();
        sink += r(1, 2);
        benchmark::DoNotOptimize(r.Data());
    }
}

void OursDist(benchmark::State& state)
{
    for (auto _ : state) {
        const trealmatrix d = RowDistances(DistInputs().ours, 2, true).Value();
        sink += d(1, 2);
        benchmark::DoNotOptimize(d.Data());
    }
}

template <const tInputs& (*inputs)()> void EigenGram(benchmark::State& state)
{
    const tEigenMatrix& x = inputs().eigen;
    for (auto _ : state) {
        const tEigenMatrix g = x * x.transpose();
        sink += g(0, 1);
        benchmark::DoNotOptimize(g.data());
    }
}

void Register()
{
    const std::pair<const char*, void (*)(benchmark::State&)> cases[] = {
        { "Corr/ours/200", OursCorr },
        { "Corr/eigen/200", EigenGram<CorrInputs> },
        { "Dist/ours/2000", OursDist },
        { "Dist/eigen/2000", EigenGram<DistInputs> },
    };
    for (const auto& [name, function] : cases) {
        bench::BestOfRepeats(benchmark::RegisterBenchmark(name, function)->Iterations(1), 3);
    }
}

} // namespace

int main(int argc, char** argv)
{
    Register();
    return zelvora::bench::RunAndPrint(
        argc, argv, [](const zelvora::bench::tBestTimeReporter& reporter) {
            const char* const operations[] = { "Corr", "Dist" };
            const int sizes[] = { 200, 2000 };
            zelvora::bench::PrintOursBesideEigen(reporter, operations, sizes);
            std::printf("(sink %.3Lg)\n", sink);
        });
}
