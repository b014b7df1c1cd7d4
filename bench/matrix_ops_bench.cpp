// Elementary matrix routines of the library timed beside Eigen's long double matrices in one run:
// product, Gram product A*A', transposition and element-by-element addition at n = 100, 300, 1000.
// Each case is repeated and its best time kept; the closing table prints ours / Eigen.
// Run (about 40 s):
//   cmake --build build --target bench_matrix_ops && build/bench/bench_matrix_ops
// Google Benchmark flags apply, e.g. --benchmark_filter='MatMul/.*/1000'.
#include "best_time_reporter.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <Eigen/Dense>
#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;
using tEigenMatrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;

constexpr int sizes[] = { 100, 300, 1000 };
const char* const operations[] = { "MatMul", "GramProduct", "Transpose", "Add" };

// Results are summed here so that no timed work can be dropped.
long double sink = 0;

struct tInputs {
    trealmatrix a;
    trealmatrix b;
    tEigenMatrix eigenA;
    tEigenMatrix eigenB;
};

const tInputs& InputsOfSize(int n)
{
    static std::map<int, tInputs> cache;
    auto found = cache.find(n);
    if (found != cache.end())
        return found->second;
    std::mt19937_64 random(20240611 + n);
    std::uniform_real_distribution<double> uniform(-1, 1);
    tInputs inputs { trealmatrix(n, n), trealmatrix(n, n), tEigenMatrix(n, n), tEigenMatrix(n, n) };
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
            inputs.a(r, c) = inputs.eigenA(r - 1, c - 1)
                = static_cast<long double>(uniform(random)) / 3;
            inputs.b(r, c) = inputs.eigenB(r - 1, c - 1)
                = static_cast<long double>(uniform(random)) / 7;
        }
    }
    return cache.emplace(n, std::move(inputs)).first->second;
}

void Ours(benchmark::State& state, const std::string& operation)
{
    const tInputs& in = InputsOfSize(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        trealmatrix result;
        if (operation == "MatMul")
            result = MatMul(in.a, in.b, 1).Value();
        else if (operation == "GramProduct")
            result = GramProduct(in.a, 1).Value();
        else if (operation == "Transpose")
            result = Transpose(in.a);
        else
            result = ElementwiseArith(in.a, in.b, tElementwiseOp::Add).Value();
        sink += result(1, 2);
        benchmark::DoNotOptimize(result.Data());
    }
}

void Eigen(benchmark::State& state, const std::string& operation)
{
    const tInputs& in = InputsOfSize(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tEigenMatrix result;
        if (operation == "MatMul")
            result = in.eigenA * in.eigenB;
        else if (operation == "GramProduct")
            result = in.eigenA * in.eigenA.transpose();
        else if (operation == "Transpose")
            result = in.eigenA.transpose();
        else
            result = in.eigenA + in.eigenB;
        sink += result(0, 1);
        benchmark::DoNotOptimize(result.data());
    }
}

void Register()
{
    for (const char* operation : operations) {
        for (int n : sizes) {
            const bool slow = n == 1000
                && (std::string(operation) == "MatMul" || std::string(operation) == "GramProduct");
            for (const char* side : { "ours", "eigen" }) {
                const std::string name = std::string(operation) + "/" + side;
                auto* bench = std::string(side) == "ours"
                    ? benchmark::RegisterBenchmark(name.c_str(), Ours, std::string(operation))
                    : benchmark::RegisterBenchmark(name.c_str(), Eigen, std::string(operation));
                bench::BestOfRepeats(bench->Arg(n)->MinTime(slow ? 0.01 : 0.1), slow ? 3 : 5);
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    Register();
    return zelvora::bench::RunAndPrint(
        argc, argv, [](const zelvora::bench::tBestTimeReporter& reporter) {
            zelvora::bench::PrintOursBesideEigen(reporter, operations, sizes);
            std::printf("(sink %.3Lg)\n", sink);
        });
}
