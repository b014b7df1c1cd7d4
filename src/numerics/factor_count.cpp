// Velicer's MAP and parallel analysis, the two rules for the number of factors that look at the
// data rather than at a fixed eigenvalue threshold.
#include "numerics/factor_count.h"

#include "numerics/factor_inputs.h"
#include "numerics/library_state.h"
#include "numerics/missing_values.h"
#include "numerics/symmetric_eigen.h"
#include "numerics/worker_pool.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {
namespace {

// The most deviates parallel analysis draws ahead of their sets (16 MB).
constexpr std::int64_t DrawnDeviatesLimit = std::int64_t { 1 } << 20;

// The first variable whose residual variance in P is at most 1e-12, or 0.
int32_t VariableWithoutResidual(const trealmatrix& partial)
{
    for (int32_t i = 1; i <= partial.Rows(); ++i)
        if (!(partial(i, i) > 1e-12L))
            return i;
    return 0;
}

// Mean of the squared off-diagonal elements of P scaled to correlations (every diagonal element
// positive).
long double AverageSquaredPartial(const trealmatrix& partial)
{
    const int32_t p = partial.Rows();
    std::vector<long double> scale(static_cast<std::size_t>(p) + 1);
    for (int32_t i = 1; i <= p; ++i)
        scale[static_cast<std::size_t>(i)] = 1 / std::sqrt(partial(i, i));
    long double sum = 0;
    for (int32_t i = 1; i <= p; ++i)
        for (int32_t j = i + 1; j <= p; ++j) {
            const long double r = partial(i, j) * scale[static_cast<std::size_t>(i)]
                * scale[static_cast<std::size_t>(j)];
            sum += 2 * r * r;
        }
    return sum / (static_cast<long double>(p) * (p - 1));
}

// The correlation matrix of `cases` rows of p standard normal deviates, taken case by case from
// draw(); the co-moments are updated one case at a time (Welford), so no data matrix is kept.
template <typename tDraw> trealmatrix RandomCorrelations(int32_t cases, int32_t p, tDraw draw)
{
    const auto n = static_cast<std::size_t>(p);
    std::vector<long double> mean(n, 0);
    std::vector<long double> delta(n);
    std::vector<long double> comoment(n * n, 0); // upper triangle, row-major
    for (int32_t c = 1; c <= cases; ++c) {
        for (std::size_t i = 0; i < n; ++i) {
            const long double x = draw();
            delta[i] = x - mean[i];
            mean[i] += delta[i] / c;
        }
        // (x_i - old mean_i)(x_j - new mean_j) = delta_i delta_j (n - 1) / n.
        const long double weight = static_cast<long double>(c - 1) / c;
        for (std::size_t i = 0; i < n; ++i) {
            long double* row = &comoment[i * n];
            const long double di = delta[i];
            for (std::size_t j = i; j < n; ++j)
                row[j] += di * delta[j] * weight;
        }
    }
    trealmatrix r(p, p);
    for (std::size_t i = 0; i < n; ++i) {
        long double* row = r.Row(static_cast<int32_t>(i) + 1);
        row[i + 1] = 1;
        for (std::size_t j = i + 1; j < n; ++j)
            row[j + 1] = comoment[i * n + j] / std::sqrt(comoment[i * n + i] * comoment[j * n + j]);
    }
    for (int32_t i = 1; i <= p; ++i)
        for (int32_t j = i + 1; j <= p; ++j)
            r(j, i) = r(i, j);
    return r;
}

// The eigenvalues (p x 1, decreasing) of R or of R with the squared multiple correlations on the
// diagonal.
tResult<trealmatrix> Eigenvalues(trealmatrix r, tParallelKind kind)
{
    if (kind == tParallelKind::Factors) {
        tResult<trealmatrix> smc = SquaredMultipleCorrelations(r);
        if (!smc)
            return smc.Error();
        for (int32_t i = 1; i <= r.Rows(); ++i)
            r(i, i) = (*smc)(i, 1);
    }
    tResult<tSymmetricEigen> eigen = SymmetricEigen(r, 0);
    if (!eigen)
        return eigen.Error();
    trealmatrix values(r.Rows(), 1);
    for (int32_t i = 1; i <= r.Rows(); ++i)
        values(i, 1) = eigen->values(1, i);
    return values;
}

long double Percentile95(std::vector<long double> values)
{
    std::sort(values.begin(), values.end());
    const long double position = 0.95L * static_cast<long double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    if (below + 1 >= values.size())
        return values.back();
    return values[below] + (position - below) * (values[below + 1] - values[below]);
}

} // namespace

tResult<tMinimumAveragePartial> MinimumAveragePartial(const trealmatrix& a)
{
    tResult<trealmatrix> input = CorrelationInput(a);
    if (!input)
        return input.Error();
    trealmatrix partial = *input;
    const int32_t p = partial.Rows();
    tResult<tSymmetricEigen> eigen = SymmetricEigen(partial);
    if (!eigen)
        return eigen.Error();
    tMinimumAveragePartial map;
    map.none = AverageSquaredPartial(partial);
    map.averages = trealmatrix(p - 1, 1);
    long double smallest = map.none;
    for (int32_t m = 1; m < p; ++m) {
        if (map.undefinedFrom > 0) {
            map.averages(m, 1) = MissingNumber;
            continue;
        }
        // Removing component m: R - sum of lambda_m v_m v_m'.
        const long double lambda = eigen->values(1, m);
        for (int32_t i = 1; i <= p; ++i)
            for (int32_t j = 1; j <= p; ++j)
                partial(i, j) -= lambda * eigen->vectors(i, m) * eigen->vectors(j, m);
        map.emptyVariable = VariableWithoutResidual(partial);
        if (map.emptyVariable > 0) {
            map.undefinedFrom = m;
            map.averages(m, 1) = MissingNumber;
            continue;
        }
        const long double average = AverageSquaredPartial(partial);
        map.averages(m, 1) = average;
        if (average < smallest) {
            smallest = average;
            map.suggested = m;
        }
    }
    return map;
}

tResult<tParallelAnalysis> ParallelAnalysis(const trealmatrix& a, int32_t cases, int32_t sets,
    tParallelKind kind, tRandomGenerator& random, const tCheckpoint* checkpoint)
{
    tResult<trealmatrix> input = CorrelationInput(a);
    if (!input)
        return input.Error();
    const int32_t p = input->Rows();
    if (cases < 3)
        return Failure("die Zahl der F\xE4lle muss mindestens 3 sein");
    if (kind == tParallelKind::Factors && cases <= p)
        return Failure("f\xFCr die reduzierte Matrix braucht es mehr F\xE4lle ("
            + std::to_string(cases) + ") als Variablen (" + std::to_string(p) + ")");
    if (sets < 2)
        return Failure("es braucht mindestens 2 Zufallsdatens\xE4tze");
    tResult<trealmatrix> observed = Eigenvalues(*input, kind);
    if (!observed)
        return observed.Error();
    std::vector<std::vector<long double>> randomValues(
        static_cast<std::size_t>(p), std::vector<long double>(static_cast<std::size_t>(sets)));
    // Sets of at most DrawnDeviatesLimit deviates are drawn a batch at a time on this thread, in
    // the order of the sets, and turned into eigenvalues on the threads of the context's pool;
    // a larger set draws while its co-moments are summed, one set after the other. Either way
    // each set sees the same deviates in the same order: the same bits for any number of threads.
    const std::int64_t perSet = std::int64_t { cases } * p;
    const bool drawnFirst = perSet <= DrawnDeviatesLimit;
    const int32_t batch = drawnFirst
        ? static_cast<int32_t>(std::min<std::int64_t>(sets, DrawnDeviatesLimit / perSet))
        : 1;
    tWorkerPool* pool = drawnFirst ? NumericsContext().workers : nullptr;
    std::vector<long double> deviates;
    std::vector<std::optional<tResult<trealmatrix>>> batchValues(static_cast<std::size_t>(batch));
    const tPoolTask eigenvaluesOfSet = [&](int32_t t, int32_t) {
        const auto index = static_cast<std::size_t>(t);
        if (!drawnFirst) {
            batchValues[index] = Eigenvalues(
                RandomCorrelations(cases, p, [&] { return random.NormalDeviate(); }), kind);
            return;
        }
        const long double* next = deviates.data() + index * static_cast<std::size_t>(perSet);
        batchValues[index]
            = Eigenvalues(RandomCorrelations(cases, p, [&] { return *next++; }), kind);
    };
    for (int32_t first = 0; first < sets; first += batch) {
        const int32_t count = std::min(batch, sets - first);
        if (drawnFirst) {
            deviates.resize(static_cast<std::size_t>(count) * static_cast<std::size_t>(perSet));
            for (long double& x : deviates)
                x = random.NormalDeviate();
        }
        if (pool)
            pool->Run(count, eigenvaluesOfSet, checkpoint);
        else
            for (int32_t t = 0; t < count; ++t)
                eigenvaluesOfSet(t, 0);
        for (int32_t t = 0; t < count; ++t) {
            const int32_t s = first + t;
            const tResult<trealmatrix>& values = *batchValues[static_cast<std::size_t>(t)];
            if (!values)
                return Failure(
                    "Zufallsdatensatz " + std::to_string(s + 1) + ": " + values.Error().Message);
            for (int32_t j = 1; j <= p; ++j)
                randomValues[static_cast<std::size_t>(j - 1)][static_cast<std::size_t>(s)]
                    = (*values)(j, 1);
            ReachCheckpoint(checkpoint);
        }
    }
    tParallelAnalysis result { std::move(*observed), trealmatrix(p, 1), 0 };
    for (int32_t j = 1; j <= p; ++j)
        result.percentile(j, 1) = Percentile95(randomValues[static_cast<std::size_t>(j - 1)]);
    while (result.suggested < p
        && result.observed(result.suggested + 1, 1) > result.percentile(result.suggested + 1, 1))
        ++result.suggested;
    return result;
}

} // namespace zelvora
