// Sorting and reductions of the library timed beside the standard library and Eigen in one run:
// the sort index of a 1,000,000-element vector (IndexSortReal, and SortIndexRows of a column as
// the language's ISort) beside std::sort of positions by value, and the column means of a
// 2000 x 2000 matrix (Reduce along columns) beside Eigen's colwise().mean(). Each case keeps its
// best repetition; the closing table prints ours / reference.
#include "best_time_reporter.h"
#include "numerics/sorting.h"
#include "numerics/statistics_reduce.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include <Eigen/Dense>
#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;
using tEigenMatrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;

constexpr int32_t sortLength = 1000000;
constexpr int32_t meanSize = 2000;

// Results are summed here so that no timed work can be dropped.
long double sink = 0;

const tRealVector& SortInput()
{
    static const tRealVector v = [] {
        std::mt19937_64 random(20240612);
        std::uniform_real_distribution<double> uniform(-1000, 1000);
        tRealVector values(sortLength);
        for (int32_t i = 1; i <= sortLength; ++i)
            values[static_cast<std::size_t>(i)] = static_cast<long double>(uniform(random)) / 7;
        return values;
    }();
    return v;
}

const trealmatrix& SortColumn()
{
    static const trealmatrix column = [] {
        trealmatrix m(sortLength, 1);
        for (int32_t i = 1; i <= sortLength; ++i)
            m(i, 1) = SortInput()[static_cast<std::size_t>(i)];
        return m;
    }();
    return column;
}

struct tMeanInputs {
    trealmatrix ours;
    tEigenMatrix eigen;
};

const tMeanInputs& MeanInputs()
{
    static const tMeanInputs inputs = [] {
        std::mt19937_64 random(20240613);
        std::uniform_real_distribution<double> uniform(-1, 1);
        tMeanInputs in { trealmatrix(meanSize, meanSize), tEigenMatrix(meanSize, meanSize) };
        for (int32_t r = 1; r <= meanSize; ++r) {
            for (int32_t c = 1; c <= meanSize; ++c)
                in.ours(r, c) = in.eigen(r - 1, c - 1) = static_cast<long double>(uniform(random));
        }
        return in;
    }();
    return inputs;
}

void OursIndexSortReal(benchmark::State& state)
{
    const tRealVector& v = SortInput();
    for (auto _ : state) {
        const tIntvector order = IndexSortReal(v);
        sink += order[1];
        benchmark::DoNotOptimize(order.Data());
    }
}

void OursSortIndexRows(benchmark::State& state)
{
    const trealmatrix& column = SortColumn();
    for (auto _ : state) {
        const tIntvector order = SortIndexRows(column);
        sink += order[1];
        benchmark::DoNotOptimize(order.Data());
    }
}

void StdSortPositions(benchmark::State& state)
{
    const tRealVector& v = SortInput();
    for (auto _ : state) {
        std::vector<int32_t> order(sortLength);
        std::iota(order.begin(), order.end(), 1);
        std::sort(order.begin(), order.end(), [&v](int32_t a, int32_t b) {
            return v[static_cast<std::size_t>(a)] < v[static_cast<std::size_t>(b)];
        });
        sink += order[0];
        benchmark::DoNotOptimize(order.data());
    }
}

void OursColumnMeans(benchmark::State& state)
{
    const trealmatrix& m = MeanInputs().ours;
    for (auto _ : state) {
        const trealmatrix means = Reduce(m, 2, tReduction::Mean).Value();
        sink += means(1, 2);
        benchmark::DoNotOptimize(means.Data());
    }
}

void EigenColumnMeans(benchmark::State& state)
{
    const tEigenMatrix& m = MeanInputs().eigen;
    for (auto _ : state) {
        const Eigen::Matrix<long double, 1, Eigen::Dynamic> means = m.colwise().mean();
        sink += means(0, 1);
        benchmark::DoNotOptimize(means.data());
    }
}

// Which of our cases is set beside which reference.
struct tPairing {
    const char* ours;
    const char* reference;
};
const tPairing pairings[] = {
    { "IndexSortReal/1000000", "std::sort/1000000" },
    { "SortIndexRows/1000000", "std::sort/1000000" },
    { "ColumnMeans/ours/2000", "ColumnMeans/eigen/2000" },
};

// Our cases beside their references: times and ratios.
void PrintPairings(const bench::tBestTimeReporter& reporter)
{
    std::printf(
        "\n%-24s %-24s %12s %12s %8s\n", "ours", "reference", "ours [ms]", "ref [ms]", "ratio");
    for (const tPairing& pairing : pairings) {
        const auto ours = reporter.Best(pairing.ours);
        const auto reference = reporter.Best(pairing.reference);
        if (ours && reference)
            std::printf("%-24s %-24s %12.3f %12.3f %8.3f\n", pairing.ours, pairing.reference, *ours,
                *reference, *ours / *reference);
    }
}

void Register()
{
    const std::pair<const char*, void (*)(benchmark::State&)> cases[] = {
        { "IndexSortReal/1000000", OursIndexSortReal },
        { "SortIndexRows/1000000", OursSortIndexRows },
        { "std::sort/1000000", StdSortPositions },
        { "ColumnMeans/ours/2000", OursColumnMeans },
        { "ColumnMeans/eigen/2000", EigenColumnMeans },
    };
    for (const auto& [name, function] : cases) {
        bench::BestOfRepeats(benchmark::RegisterBenchmark(name, function)->MinTime(0.2), 5);
    }
}

} // namespace

int main(int argc, char** argv)
{
    Register();
    return zelvora::bench::RunAndPrint(
        argc, argv, [](const zelvora::bench::tBestTimeReporter& reporter) {
            PrintPairings(reporter);
            std::printf("(sink %.3Lg)\n", sink);
        });
}
