// Factor extraction: the principal-axis iteration, and a bounded quasi-Newton search over the
// uniquenesses for the least-squares (MINRES) and maximum-likelihood criteria.
#include "numerics/factor_extraction.h"

#include "numerics/chi_square.h"
#include "numerics/factor_inputs.h"
#include "numerics/symmetric_eigen.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {
namespace {

using tValues = std::vector<long double>; // 0-based, one element per variable

// The optimisers keep every uniqueness in these bounds, as the common implementations do.
constexpr long double LowestUniqueness = 0.005L;
constexpr long double HighestUniqueness = 1.0L;
constexpr long double GradientTolerance = 1e-13L;
constexpr long double CommunalityTolerance = 1e-14L;

// The criterion at Psi with its gradient and the loadings it implies.
struct tPoint {
    tValues psi;
    long double value = 0;
    tValues gradient;
    trealmatrix loadings;
};

long double Root(long double x)
{
    return std::sqrt(std::max(x, 0.0L));
}

// L from the k leading eigenpairs: column j = v_j * sqrt(max(lambda_j - shift, 0)).
trealmatrix LeadingLoadings(const tSymmetricEigen& eigen, int32_t k, long double shift)
{
    const int32_t p = eigen.vectors.Rows();
    trealmatrix l(p, k);
    for (int32_t j = 1; j <= k; ++j) {
        const long double scale = Root(eigen.values(1, j) - shift);
        for (int32_t i = 1; i <= p; ++i)
            l(i, j) = eigen.vectors(i, j) * scale;
    }
    return l;
}

long double ModelDiagonal(const trealmatrix& l, int32_t i)
{
    long double sum = 0;
    for (int32_t j = 1; j <= l.Cols(); ++j)
        sum += l(i, j) * l(i, j);
    return sum;
}

// Least squares: half the squared residual of R - Psi - L L', whose gradient is minus the
// diagonal residual; where the diagonal residual vanishes so do its off-diagonal squares' slopes.
tPoint LeastSquaresAt(const trealmatrix& r, const tValues& psi, int32_t k)
{
    const int32_t p = r.Rows();
    trealmatrix reduced = r;
    for (int32_t i = 1; i <= p; ++i)
        reduced(i, i) -= psi[static_cast<std::size_t>(i - 1)];
    tPoint point { psi, 0, tValues(psi.size()),
        LeadingLoadings(SymmetricEigen(reduced, k).Value(), k, 0) };
    const trealmatrix& l = point.loadings;
    long double sum = 0;
    for (int32_t i = 1; i <= p; ++i) {
        for (int32_t j = 1; j <= p; ++j) {
            long double model = 0;
            for (int32_t f = 1; f <= k; ++f)
                model += l(i, f) * l(j, f);
            const long double residual = reduced(i, j) - model;
            sum += residual * residual;
            if (i == j)
                point.gradient[static_cast<std::size_t>(i - 1)] = -residual;
        }
    }
    point.value = sum / 2;
    return point;
}

// Psi^-1/2 R Psi^-1/2, whose eigen system the likelihood, its gradient and its curvature read.
trealmatrix ScaledByUniquenesses(const trealmatrix& r, const tValues& psi)
{
    const int32_t p = r.Rows();
    trealmatrix scaled(p, p);
    for (int32_t i = 1; i <= p; ++i)
        for (int32_t j = 1; j <= p; ++j)
            scaled(i, j) = r(i, j)
                / std::sqrt(
                    psi[static_cast<std::size_t>(i - 1)] * psi[static_cast<std::size_t>(j - 1)]);
    return scaled;
}

// Maximum likelihood: F(Psi) = sum over the p - k smallest eigenvalues e of Psi^-1/2 R Psi^-1/2 of
// e - ln e - 1, gradient ((L L' + Psi - R)_ii) / Psi_i^2.
tPoint LikelihoodAt(const trealmatrix& r, const tValues& psi, int32_t k)
{
    const int32_t p = r.Rows();
    const tSymmetricEigen eigen = SymmetricEigen(ScaledByUniquenesses(r, psi), k).Value();
    tPoint point { psi, 0, tValues(psi.size()), LeadingLoadings(eigen, k, 1) };
    for (int32_t j = k + 1; j <= p; ++j) {
        const long double e = eigen.values(1, j);
        point.value += e - std::log(e) - 1;
    }
    for (int32_t i = 1; i <= p; ++i) {
        const long double root = std::sqrt(psi[static_cast<std::size_t>(i - 1)]);
        for (int32_t f = 1; f <= k; ++f)
            point.loadings(i, f) *= root;
    }
    for (int32_t i = 1; i <= p; ++i) {
        const long double u = psi[static_cast<std::size_t>(i - 1)];
        point.gradient[static_cast<std::size_t>(i - 1)]
            = (ModelDiagonal(point.loadings, i) + u - r(i, i)) / (u * u);
    }
    return point;
}

// An approximation of the likelihood's second derivatives at Psi, for the optimiser's first
// step and its restarts: with w_m the unit eigenvectors and e_m the eigenvalues of
// S = Psi^-1/2 R Psi^-1/2, P = I - sum over the k leading m of w_m w_m' and A = P S P,
// d2F / dPsi_i dPsi_j ~ A_ij P_ij / (Psi_i Psi_j). It is exact where the model fits R (the other
// part of the second derivatives grows with the misfit of the p - k smallest eigenvalues) and
// positive semidefinite as the elementwise product of two such matrices.
using tCurvature = std::vector<tValues>;

tCurvature LikelihoodCurvature(const trealmatrix& r, const tValues& psi, int32_t k)
{
    const int32_t p = r.Rows();
    const auto n = static_cast<std::size_t>(p);
    const trealmatrix scaled = ScaledByUniquenesses(r, psi);
    const tSymmetricEigen eigen = SymmetricEigen(scaled, k).Value();
    tCurvature h(n, tValues(n));
    for (int32_t i = 1; i <= p; ++i) {
        for (int32_t j = 1; j <= p; ++j) {
            long double projector = i == j ? 1 : 0;
            long double rest = scaled(i, j);
            for (int32_t m = 1; m <= k; ++m) {
                const long double ww = eigen.vectors(i, m) * eigen.vectors(j, m);
                projector -= ww;
                rest -= eigen.values(1, m) * ww;
            }
            h[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)] = rest * projector
                / (psi[static_cast<std::size_t>(i - 1)] * psi[static_cast<std::size_t>(j - 1)]);
        }
    }
    return h;
}

// The inverse of the block of h on the free coordinates (zero elsewhere) by its Cholesky factor;
// empty when the block is not positive definite.
std::optional<tCurvature> FreeInverse(const tCurvature& h, const std::vector<bool>& free)
{
    std::vector<std::size_t> index;
    for (std::size_t i = 0; i < free.size(); ++i)
        if (free[i])
            index.push_back(i);
    const std::size_t m = index.size();
    tCurvature l(m, tValues(m));
    for (std::size_t j = 0; j < m; ++j) {
        long double pivot = h[index[j]][index[j]];
        for (std::size_t c = 0; c < j; ++c)
            pivot -= l[j][c] * l[j][c];
        if (!(pivot > 1e-30L * std::fabs(h[index[j]][index[j]])) || !(pivot > 0))
            return std::nullopt;
        l[j][j] = std::sqrt(pivot);
        for (std::size_t i = j + 1; i < m; ++i) {
            long double sum = h[index[i]][index[j]];
            for (std::size_t c = 0; c < j; ++c)
                sum -= l[i][c] * l[j][c];
            l[i][j] = sum / l[j][j];
        }
    }
    // W = L^-1 by forward substitution, then h^-1 = W'W.
    tCurvature w(m, tValues(m));
    for (std::size_t j = 0; j < m; ++j) {
        w[j][j] = 1 / l[j][j];
        for (std::size_t i = j + 1; i < m; ++i) {
            long double sum = 0;
            for (std::size_t c = j; c < i; ++c)
                sum -= l[i][c] * w[c][j];
            w[i][j] = sum / l[i][i];
        }
    }
    tCurvature inverse(free.size(), tValues(free.size()));
    for (std::size_t i = 0; i < m; ++i)
        for (std::size_t j = i; j < m; ++j) {
            long double sum = 0;
            for (std::size_t c = j; c < m; ++c)
                sum += w[c][i] * w[c][j];
            inverse[index[i]][index[j]] = inverse[index[j]][index[i]] = sum;
        }
    return inverse;
}

using tCriterion = std::function<tPoint(const tValues&)>;
// The curvature at Psi where one is known; empty otherwise.
using tCurvatureOf = std::function<tCurvature(const tValues&)>;

// A uniqueness at a bound whose gradient pushes it outward is held there.
std::vector<bool> FreeCoordinates(const tPoint& point)
{
    std::vector<bool> free(point.psi.size());
    for (std::size_t i = 0; i < free.size(); ++i) {
        const bool atLow = point.psi[i] <= LowestUniqueness && point.gradient[i] > 0;
        const bool atHigh = point.psi[i] >= HighestUniqueness && point.gradient[i] < 0;
        free[i] = !atLow && !atHigh;
    }
    return free;
}

long double LargestFreeGradient(const tPoint& point)
{
    const std::vector<bool> free = FreeCoordinates(point);
    long double largest = 0;
    for (std::size_t i = 0; i < free.size(); ++i)
        if (free[i])
            largest = std::max(largest, std::fabs(point.gradient[i]));
    return largest;
}

struct tSearch {
    tPoint point;
    int32_t iterations = 0;
    bool converged = false;
};

// BFGS on the free coordinates with projection onto the bounds and a backtracking line search;
// the inverse Hessian starts (from I, or from the inverse curvature where the criterion has one)
// again whenever the set of held coordinates changes. Near the optimum
// the criterion's decrease drowns in rounding, so a step that does not raise the value beyond
// rounding but shrinks the gradient is taken as well. The search ends at a free gradient below
// 1e-13, or when no step of at least 1e-12 of the quasi-Newton step helps or the uniquenesses
// change by less than 1e-17; then it counts as converged when the free gradient is below 1e-9.
tSearch Minimise(const tCriterion& criterion, const tCurvatureOf& curvature, tValues start,
    int32_t maxIterations)
{
    const std::size_t n = start.size();
    for (long double& x : start)
        x = std::clamp(x, LowestUniqueness, HighestUniqueness);
    tSearch search { criterion(start) };
    std::vector<tValues> h(n, tValues(n));
    std::vector<bool> free = FreeCoordinates(search.point);
    // The inverse Hessian starts from the inverse curvature where there is one, else from I.
    const auto reset = [&] {
        std::optional<tCurvature> inverse;
        if (curvature)
            inverse = FreeInverse(curvature(search.point.psi), free);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                h[i][j] = inverse ? (*inverse)[i][j] : i == j ? 1 : 0;
    };
    reset();
    // With a curvature, a step that fails after quasi-Newton updates (rounding near the optimum
    // blurs them) is tried again from the curvature at the point, a few times per search.
    bool fresh = true;
    int32_t retries = 10;
    const auto retry = [&] {
        if (!curvature || fresh || retries == 0)
            return false;
        --retries;
        reset();
        fresh = true;
        return true;
    };
    while (search.iterations < maxIterations) {
        const long double largest = LargestFreeGradient(search.point);
        if (largest < GradientTolerance) {
            search.converged = true;
            break;
        }
        ++search.iterations;
        const tPoint& now = search.point;
        tValues direction(n);
        long double slope = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!free[i])
                continue;
            for (std::size_t j = 0; j < n; ++j)
                if (free[j])
                    direction[i] -= h[i][j] * now.gradient[j];
            slope += direction[i] * now.gradient[i];
        }
        if (!(slope < 0)) {
            reset();
            slope = 0;
            for (std::size_t i = 0; i < n; ++i) {
                direction[i] = free[i] ? -now.gradient[i] : 0;
                slope += direction[i] * now.gradient[i];
            }
        }
        bool stepped = false;
        tPoint next;
        for (long double t = 1; t > 1e-12L; t /= 2) {
            tValues trial(n);
            long double decrease = 0;
            for (std::size_t i = 0; i < n; ++i) {
                trial[i] = std::clamp(
                    now.psi[i] + t * direction[i], LowestUniqueness, HighestUniqueness);
                decrease += now.gradient[i] * (trial[i] - now.psi[i]);
            }
            next = criterion(trial);
            const long double rounding = 1e-18L * std::max(std::fabs(now.value), 1e-300L);
            const bool sufficient = next.value <= now.value + 1e-4L * decrease;
            const bool flat
                = next.value <= now.value + rounding && LargestFreeGradient(next) < largest;
            if (sufficient || flat) {
                stepped = true;
                break;
            }
        }
        if (!stepped) {
            if (retry())
                continue;
            break; // no progress possible: reported as not converged unless nearly flat
        }
        const std::vector<bool> nextFree = FreeCoordinates(next);
        tValues s(n);
        tValues y(n);
        long double sy = 0;
        for (std::size_t i = 0; i < n; ++i) {
            s[i] = nextFree[i] ? next.psi[i] - now.psi[i] : 0;
            y[i] = nextFree[i] ? next.gradient[i] - now.gradient[i] : 0;
            sy += s[i] * y[i];
        }
        long double moved = 0;
        for (std::size_t i = 0; i < n; ++i)
            moved = std::max(moved, std::fabs(next.psi[i] - now.psi[i]));
        search.point = std::move(next);
        if (moved < 1e-17L) {
            free = nextFree;
            if (retry())
                continue;
            break; // the uniquenesses no longer change in their last bits
        }
        if (nextFree != free || !(sy > 1e-40L)) {
            free = nextFree;
            reset();
            fresh = true;
            continue;
        }
        fresh = false;
        // H := (I - rho s y') H (I - rho y s') + rho s s'.
        const long double rho = 1 / sy;
        tValues hy(n);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                hy[i] += h[i][j] * y[j];
        long double yhy = 0;
        for (std::size_t i = 0; i < n; ++i)
            yhy += y[i] * hy[i];
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                h[i][j]
                    += -rho * (hy[i] * s[j] + s[i] * hy[j]) + (rho * rho * yhy + rho) * s[i] * s[j];
    }
    if (!search.converged && LargestFreeGradient(search.point) < 1e-9L)
        search.converged = true; // stalled in rounding at the optimum
    return search;
}

tSearch PrincipalAxes(const trealmatrix& r, const tValues& start, int32_t k, int32_t maxIterations)
{
    const int32_t p = r.Rows();
    tValues communality(start.size());
    for (std::size_t i = 0; i < start.size(); ++i)
        communality[i] = 1 - start[i];
    tSearch search;
    while (true) {
        trealmatrix reduced = r;
        for (int32_t i = 1; i <= p; ++i)
            reduced(i, i) = communality[static_cast<std::size_t>(i - 1)];
        search.point.loadings = LeadingLoadings(SymmetricEigen(reduced, k).Value(), k, 0);
        long double change = 0;
        for (int32_t i = 1; i <= p; ++i) {
            const long double h2 = ModelDiagonal(search.point.loadings, i);
            change += std::fabs(h2 - communality[static_cast<std::size_t>(i - 1)]);
            communality[static_cast<std::size_t>(i - 1)] = h2;
        }
        if (change < CommunalityTolerance) {
            search.converged = true;
            break;
        }
        if (search.iterations >= maxIterations)
            break;
        ++search.iterations;
    }
    return search;
}

tModelFit FitOf(
    const trealmatrix& r, long double value, int32_t k, long double cases, long double logDet)
{
    const long double p = r.Rows();
    tModelFit fit;
    fit.objective = value;
    fit.df = ((p - k) * (p - k) - p - k) / 2;
    const long double factor = cases - 1 - (2 * p + 5) / 6 - 2.0L * k / 3;
    fit.chiSquare = factor * value;
    fit.p = ChiSquareUpperTail(fit.chiSquare, fit.df);
    fit.rmsea = Root(fit.chiSquare / (fit.df * cases) - 1 / (cases - 1));
    // The noncentralities at which the statistic is the 95th and the 5th percentile.
    const auto noncentrality = [&](long double level) {
        if (NoncentralChiSquareLowerTail(fit.chiSquare, fit.df, 0) < level)
            return 0.0L;
        long double low = 0;
        long double high = std::max(1.0L, fit.chiSquare);
        while (NoncentralChiSquareLowerTail(fit.chiSquare, fit.df, high) > level)
            high *= 2;
        for (int step = 0; step < 200 && high - low > 1e-15L * high; ++step) {
            const long double mid = (low + high) / 2;
            (NoncentralChiSquareLowerTail(fit.chiSquare, fit.df, mid) > level ? low : high) = mid;
        }
        return (low + high) / 2;
    };
    fit.rmseaLower = std::sqrt(noncentrality(0.95L) / (fit.df * (cases - 1)));
    fit.rmseaUpper = std::sqrt(noncentrality(0.05L) / (fit.df * (cases - 1)));
    const long double nullDf = p * (p - 1) / 2;
    const long double nullRatio = -logDet * factor / nullDf;
    fit.tli = (nullRatio - fit.chiSquare / fit.df) / (nullRatio - 1);
    fit.bic = fit.chiSquare - fit.df * std::log(cases);
    return fit;
}

// Columns with a nonnegative sum, the convention of the common programs.
void OrientColumns(trealmatrix& l)
{
    for (int32_t j = 1; j <= l.Cols(); ++j) {
        long double sum = 0;
        for (int32_t i = 1; i <= l.Rows(); ++i)
            sum += l(i, j);
        if (sum < 0)
            for (int32_t i = 1; i <= l.Rows(); ++i)
                l(i, j) = -l(i, j);
    }
}

} // namespace

tResult<tFactorExtraction> ExtractFactors(const trealmatrix& a, int32_t k, tExtractionMethod method,
    long double cases, int32_t maxIterations)
{
    tResult<trealmatrix> correlation = CorrelationInput(a);
    if (!correlation)
        return correlation.Error();
    const trealmatrix& r = *correlation;
    const int32_t p = r.Rows();
    if (k < 1 || k >= p)
        return Failure("die Zahl der Faktoren (" + std::to_string(k) + ") muss zwischen 1 und "
            + std::to_string(p - 1) + " liegen");
    tResult<trealmatrix> smc = SquaredMultipleCorrelations(r);
    tResult<long double> logDet = CorrelationLogDeterminant(r);
    if (method == tExtractionMethod::MaximumLikelihood && !logDet)
        return logDet.Error();
    // A singular R has no SMC: the principal axes and MINRES start from communalities 1/2 then.
    tValues start(static_cast<std::size_t>(p), 0.5L);
    if (smc)
        for (int32_t i = 1; i <= p; ++i)
            start[static_cast<std::size_t>(i - 1)] = 1 - (*smc)(i, 1);

    tSearch search;
    switch (method) {
    case tExtractionMethod::PrincipalAxis:
        search = PrincipalAxes(r, start, k, maxIterations);
        break;
    case tExtractionMethod::Minres:
        search = Minimise([&](const tValues& psi) { return LeastSquaresAt(r, psi, k); }, {}, start,
            maxIterations);
        break;
    case tExtractionMethod::MaximumLikelihood:
        search = Minimise([&](const tValues& psi) { return LikelihoodAt(r, psi, k); },
            [&](const tValues& psi) { return LikelihoodCurvature(r, psi, k); }, start,
            maxIterations);
        break;
    }

    tFactorExtraction result;
    result.loadings = std::move(search.point.loadings);
    OrientColumns(result.loadings);
    result.communalities = trealmatrix(p, 1);
    result.uniquenesses = trealmatrix(p, 1);
    for (int32_t i = 1; i <= p; ++i) {
        const long double h2 = ModelDiagonal(result.loadings, i);
        result.communalities(i, 1) = h2;
        result.uniquenesses(i, 1) = 1 - h2;
        const bool atBound = method != tExtractionMethod::PrincipalAxis
            && search.point.psi[static_cast<std::size_t>(i - 1)] <= LowestUniqueness;
        if (h2 >= 1 || atBound)
            result.heywood.push_back(i);
    }
    result.iterations = search.iterations;
    result.converged = search.converged;
    if (method == tExtractionMethod::MaximumLikelihood && cases > 0) {
        const long double df = ((p - k) * (p - k) - p - k) / 2.0L;
        if (df > 0)
            result.fit = FitOf(r, search.point.value, k, cases, *logDet);
    }
    return result;
}

} // namespace zelvora
