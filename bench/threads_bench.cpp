// The jobs a user would otherwise give to another matrix program, timed with one and with two
// worker threads: the 1000 x 1000 product, UInv of 500 x 500, Corr of 200 variables x 20,000
// cases, EigenSys of a symmetric 300 x 300, raw VARIMAX of 2000 x 10 loadings and an element-wise
// sum of two 1000 x 1000 matrices. The closing table prints both times and their ratio; every
// result of the two thread counts is checked to agree bit for bit.
// Run (a few minutes):
//   cmake --build build --target bench_threads && build/bench/bench_threads
#include "best_time_reporter.h"
#include "numerics/covariance.h"
#include "numerics/eigen_system.h"
#include "numerics/gauss_jordan.h"
#include "numerics/library_state.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_product.h"
#include "numerics/plane_rotations.h"
#include "numerics/rotation_criteria.h"
#include "numerics/worker_pool.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;

trealmatrix RandomMatrix(int rows, int cols, unsigned seed)
{
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> value(-1, 1);
    trealmatrix m(rows, cols);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c)
            m(r, c) = value(random);
    }
    return m;
}

// Loadings with a simple structure (each variable mainly on one factor), turned at random.
trealmatrix TurnedLoadings(int rows, int factors)
{
    std::mt19937_64 random(4711 + rows);
    std::uniform_real_distribution<double> loading(0.4, 0.9);
    std::normal_distribution<double> noise(0, 0.08);
    std::uniform_real_distribution<double> angle(-3.14159, 3.14159);
    trealmatrix m(rows, factors);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= factors; ++c)
            m(r, c) = noise(random);
        m(r, 1 + (r - 1) % factors) += loading(random);
    }
    for (int a = 1; a < factors; ++a) {
        for (int b = a + 1; b <= factors; ++b) {
            const long double phi = angle(random);
            RotateColumns(m, a, b, std::cos(phi), std::sin(phi));
        }
    }
    return m;
}

struct tJob {
    const char* name;
    std::function<trealmatrix()> run;
};

const std::vector<tJob>& Jobs()
{
    static const trealmatrix a = RandomMatrix(1000, 1000, 1);
    static const trealmatrix b = RandomMatrix(1000, 1000, 2);
    static const trealmatrix square = RandomMatrix(500, 500, 3);
    static const trealmatrix data = RandomMatrix(200, 20000, 4);
    static const trealmatrix root = RandomMatrix(300, 300, 5);
    static const trealmatrix symmetric = GramProduct(root, 2).Value();
    static const trealmatrix loadings = TurnedLoadings(2000, 10);
    static const std::vector<tJob> jobs = {
        { "product_1000", [] { return MatMul(a, b).Value(); } },
        { "UInv_500", [] { return GaussJordanInverse(square).Value(); } },
        { "Corr_200x20000", [] { return CorrelationOf(data, 1).Value(); } },
        { "EigenSys_300", [] { return EigenSystem(symmetric).Value()[0]; } },
        { "VARIMAX_2000x10",
            [] {
                return RotationSweeps(loadings, AllIndexes(2000), AllIndexes(10), VarimaxCriterion)
                    .rotated;
            } },
        { "add_1000", [] { return ElementwiseArith(a, b, tElementwiseOp::Add).Value(); } },
    };
    return jobs;
}

// The results' bits of each job with one thread, to compare the two-thread results with.
std::map<std::string, std::uint64_t> bitsOf;
std::map<std::string, bool> sameBits;

std::uint64_t BitHash(const trealmatrix& m)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (int r = 1; r <= m.Rows(); ++r) {
        for (int c = 1; c <= m.Cols(); ++c) {
            unsigned char bytes[sizeof(long double)];
            const long double value = m(r, c);
            std::memcpy(bytes, &value, sizeof bytes);
            for (int i = 0; i < 10; ++i)
                hash = (hash ^ bytes[i]) * 1099511628211ull;
        }
    }
    return hash;
}

void RegisterJobs()
{
    for (const tJob& job : Jobs()) {
        for (int threads : { 1, 2 }) {
            const std::string name = std::string(job.name) + "/" + std::to_string(threads);
            benchmark::RegisterBenchmark(name.c_str(),
                [&job, threads](benchmark::State& state) {
                    tWorkerPool pool(threads);
                    const tWorkersScope workers(&pool);
                    std::uint64_t hash = 0;
                    for (auto _ : state)
                        hash = BitHash(job.run());
                    if (threads == 1)
                        bitsOf[job.name] = hash;
                    else
                        sameBits[job.name] = bitsOf.count(job.name) && bitsOf[job.name] == hash;
                })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(1)
                ->Repetitions(3)
                ->ComputeStatistics("best", zelvora::bench::BestOf)
                ->ReportAggregatesOnly(true);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    RegisterJobs();
    return zelvora::bench::RunAndPrint(
        argc, argv, [](const zelvora::bench::tBestTimeReporter& reporter) {
            std::printf("\n%-18s %14s %14s %10s %10s\n", "job", "1 thread [s]", "2 threads [s]",
                "2/1", "same bits");
            for (const tJob& job : Jobs()) {
                const auto one = reporter.Best(std::string(job.name) + "/1");
                const auto two = reporter.Best(std::string(job.name) + "/2");
                if (one && two)
                    std::printf("%-18s %14.3f %14.3f %10.2f %10s\n", job.name, *one / 1000,
                        *two / 1000, *two / *one, sameBits[job.name] ? "yes" : "NO");
            }
        });
}
