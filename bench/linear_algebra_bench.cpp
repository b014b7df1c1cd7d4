// Linear algebra of the library timed beside Eigen's long double matrices in one run: UInv beside
// PartialPivLU::inverse, Det beside the determinant, and EigenSys of a symmetric matrix beside
// SelfAdjointEigenSolver, at n = 50, 100, 300. Each case keeps its best repetition; the closing
// table prints ours / Eigen.
// Run (about a minute):
//   cmake --build build --target bench_linear_algebra && build/bench/bench_linear_algebra
#include "best_time_reporter.h"
#include "numerics/determinant.h"
#include "numerics/eigen_system.h"
#include "numerics/gauss_jordan.h"

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

constexpr int sizes[] = { 50, 100, 300 };
const char* const operations[] = { "UInv", "Det", "EigenSys" };

// Results are summed here so that no timed work can be dropped.
long double sink = 0;

struct tInputs {
    trealmatrix general; // random, well conditioned
    trealmatrix symmetric;
    tEigenMatrix eigenGeneral;
    tEigenMatrix eigenSymmetric;
};

const tInputs& InputsOfSize(int n)
{
    static std::map<int, tInputs> cache;
    auto found = cache.find(n);
    if (found != cache.end())
        return found->second;
    std::mt19937_64 random(77 + n);
    std::uniform_real_distribution<double> uniform(-1, 1);
    tInputs in { trealmatrix(n, n), trealmatrix(n, n), tEigenMatrix(n, n), tEigenMatrix(n, n) };
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
            in.general(r, c) = in.eigenGeneral(r - 1, c - 1) = uniform(random);
            if (c <= r) {
                in.symmetric(r, c) = in.symmetric(c, r) = in.eigenSymmetric(r - 1, c - 1)
                    = in.eigenSymmetric(c - 1, r - 1) = uniform(random);
            }
        }
    }
    return cache.emplace(n, std::move(in)).first->second;
}

void Ours(benchmark::State& state, const std::string& operation)
{
    const tInputs& in = InputsOfSize(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (operation == "UInv") {
            sink += GaussJordanInverse(in.general).Value()(1, 2);
        } else if (operation == "Det") {
            sink += Determinant(in.general);
        } else {
            const trealmatrixarr result = EigenSystem(in.symmetric).Value();
            sink += result[1](1, 1) + result[0](1, 2);
        }
    }
}

void Eigen(benchmark::State& state, const std::string& operation)
{
    const tInputs& in = InputsOfSize(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (operation == "UInv") {
            const tEigenMatrix inverse = in.eigenGeneral.partialPivLu().inverse();
            sink += inverse(0, 1);
        } else if (operation == "Det") {
            sink += in.eigenGeneral.determinant();
        } else {
            Eigen::SelfAdjointEigenSolver<tEigenMatrix> solver(in.eigenSymmetric);
            sink += solver.eigenvalues()(0) + solver.eigenvectors()(0, 1);
        }
    }
}

void Register()
{
    for (const char* operation : operations) {
        for (int n : sizes) {
            const bool slow = n == 300 && std::string(operation) == "EigenSys";
            for (const char* side : { "ours", "eigen" }) {
                const std::string name = std::string(operation) + "/" + side;
                auto* bench = std::string(side) == "ours"
                    ? benchmark::RegisterBenchmark(name.c_str(), Ours, std::string(operation))
                    : benchmark::RegisterBenchmark(name.c_str(), Eigen, std::string(operation));
                bench::BestOfRepeats(bench->Arg(n)->MinTime(slow ? 0.01 : 0.1), slow ? 2 : 4);
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
