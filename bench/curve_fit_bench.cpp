// Curvefit type OS on 10,000 cases in 10 percentile classes, timed beside a plain loop doing the
// same work: the cases split into ten classes by y, then per class ten rounds of the 10 x 10
// shrinking grid of slope and location, each point the mean squared error over the class's
// cases. Each case keeps its best repetition; the closing line prints ours / plain.
#include "best_time_reporter.h"
#include "numerics/curve_fitting.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;

constexpr int32_t Cases = 10000;
constexpr int32_t Classes = 10;

// Results are summed here so that no timed work can be dropped.
long double sink = 0;

// Row 1 the abscissae, row 2 an S curve with noise.
const trealmatrix& Data()
{
    static const trealmatrix data = [] {
        std::mt19937_64 random(20261209);
        std::uniform_real_distribution<double> x(0, 16);
        std::normal_distribution<double> noise(0, 0.05);
        trealmatrix m(2, Cases);
        for (int32_t k = 1; k <= Cases; ++k) {
            m(1, k) = x(random);
            m(2, k) = SCurveValue(m(1, k), 5, 1, 0.6L, 7.5L) + noise(random);
        }
        return m;
    }();
    return data;
}

void OursCurvefit(benchmark::State& state)
{
    const trealmatrix parameters = [] {
        trealmatrix p(1, 4);
        p(1, 1) = 1;
        p(1, 2) = 5;
        p(1, 3) = 0.01L;
        p(1, 4) = Classes;
        return p;
    }();
    const trealmatrix groups(1, Cases);
    tRandomGenerator random(1);
    for (auto _ : state) {
        const trealmatrixarr fit
            = FitCurve(4, "RANK PRED BETA", Data(), parameters, groups, random).Value();
        sink += fit.at(2)(1, 2);
    }
}

// The grid search written out plainly over one class's cases.
long double PlainGridSearch(const std::vector<long double>& x, const std::vector<long double>& y)
{
    long double h0 = 0, o0 = 0, dh = 0.1L, dO = 2, bestH = 0, bestO = 0;
    for (int round = 1; round <= 10; ++round) {
        long double bestError = 0;
        int bestI = 1, bestJ = 1;
        for (int i = 1; i <= 10; ++i) {
            for (int j = 1; j <= 10; ++j) {
                const long double h = h0 + (i - 1) * dh;
                const long double o = o0 + (j - 1) * dO;
                long double error = 0;
                for (std::size_t k = 0; k < x.size(); ++k) {
                    const long double r = y[k] - (1 + 4 * (1 + std::tanh(h * (x[k] - o))) / 2);
                    error += r * r;
                }
                error /= static_cast<long double>(x.size());
                if ((i == 1 && j == 1) || error < bestError) {
                    bestError = error;
                    bestI = i;
                    bestJ = j;
                    bestH = h;
                    bestO = o;
                }
            }
        }
        h0 += (std::max(1, bestI - 2) - 1) * dh;
        o0 += (std::max(1, bestJ - 2) - 1) * dO;
        dh /= 2;
        dO /= 2;
    }
    return bestH + bestO;
}

void PlainCurvefit(benchmark::State& state)
{
    const trealmatrix& data = Data();
    for (auto _ : state) {
        std::vector<int32_t> order(Cases);
        std::iota(order.begin(), order.end(), 1);
        std::sort(order.begin(), order.end(),
            [&](int32_t a, int32_t b) { return data(2, a) < data(2, b); });
        for (int32_t c = 0; c < Classes; ++c) {
            std::vector<long double> x;
            std::vector<long double> y;
            for (int32_t k = c * Cases / Classes; k < (c + 1) * Cases / Classes; ++k) {
                x.push_back(data(1, order[static_cast<std::size_t>(k)]));
                y.push_back(data(2, order[static_cast<std::size_t>(k)]));
            }
            sink += PlainGridSearch(x, y);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    bench::BestOfRepeats(
        benchmark::RegisterBenchmark("Curvefit/ours", OursCurvefit)->Iterations(1), 3);
    bench::BestOfRepeats(
        benchmark::RegisterBenchmark("Curvefit/plain", PlainCurvefit)->Iterations(1), 3);
    return bench::RunAndPrint(argc, argv, [](const bench::tBestTimeReporter& reporter) {
        const auto ours = reporter.Best("Curvefit/ours");
        const auto plain = reporter.Best("Curvefit/plain");
        if (ours && plain)
            std::printf("\nCurvefit OS, %d cases, %d classes: ours %.1f ms, plain loop %.1f ms, "
                        "ours/plain %.3f\n",
                Cases, Classes, *ours, *plain, *ours / *plain);
        std::printf("(sink %.3Lg)\n", sink);
    });
}
