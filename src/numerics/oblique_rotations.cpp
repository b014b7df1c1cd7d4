// Gradient projection for oblique rotations, its two criteria, and PROMAX.
#include "numerics/oblique_rotations.h"

#include "numerics/gauss_jordan.h"
#include "numerics/library_state.h"
#include "numerics/rotation_criteria.h"
#include "numerics/worker_pool.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelvora {
namespace {

constexpr long double ProjectedGradientTolerance = 1e-10L;
// Steps in a row whose fall of the criterion lies within rounding, after which the run ends:
// there the gradient's own rounding can keep it above the tolerance for ever.
constexpr int32_t MaxFlatSteps = 100;

struct tCriterionValue {
    long double value = 0;
    trealmatrix gradient; // d value / d L
};

using tObliqueCriterion = tCriterionValue (*)(const trealmatrix&, long double);

tCriterionValue Oblimin(const trealmatrix& l, long double gamma)
{
    const int32_t p = l.Rows();
    const int32_t k = l.Cols();
    tCriterionValue result { 0, trealmatrix(p, k) };
    trealmatrix centred(p, k); // (I - gamma/p 11') L^2
    for (int32_t j = 1; j <= k; ++j) {
        long double mean = 0;
        for (int32_t i = 1; i <= p; ++i)
            mean += l(i, j) * l(i, j);
        mean /= p;
        for (int32_t i = 1; i <= p; ++i)
            centred(i, j) = l(i, j) * l(i, j) - gamma * mean;
    }
    for (int32_t i = 1; i <= p; ++i) {
        long double rowSum = 0;
        for (int32_t j = 1; j <= k; ++j)
            rowSum += centred(i, j);
        for (int32_t j = 1; j <= k; ++j) {
            const long double others = rowSum - centred(i, j); // times (11' - I)
            result.gradient(i, j) = l(i, j) * others;
            result.value += l(i, j) * l(i, j) * others;
        }
    }
    result.value /= 4;
    return result;
}

tCriterionValue Geomin(const trealmatrix& l, long double epsilon)
{
    const int32_t p = l.Rows();
    const int32_t k = l.Cols();
    tCriterionValue result { 0, trealmatrix(p, k) };
    for (int32_t i = 1; i <= p; ++i) {
        long double logSum = 0;
        for (int32_t j = 1; j <= k; ++j)
            logSum += std::log(l(i, j) * l(i, j) + epsilon);
        const long double product = std::exp(logSum / k);
        result.value += product;
        for (int32_t j = 1; j <= k; ++j)
            result.gradient(i, j) = 2 * l(i, j) / (l(i, j) * l(i, j) + epsilon) * product / k;
    }
    return result;
}

trealmatrix Transposed(const trealmatrix& m)
{
    trealmatrix t(m.Cols(), m.Rows());
    for (int32_t r = 1; r <= m.Rows(); ++r)
        for (int32_t c = 1; c <= m.Cols(); ++c)
            t(c, r) = m(r, c);
    return t;
}

// A B with the additions in the order l = 1, 2, ...; the rows are reached once, not per element,
// since the optimiser forms these small products for every trial step.
trealmatrix Product(const trealmatrix& a, const trealmatrix& b)
{
    trealmatrix c(a.Rows(), b.Cols());
    for (int32_t i = 1; i <= a.Rows(); ++i) {
        long double* row = c.Row(i);
        const long double* left = a.Row(i);
        for (int32_t l = 1; l <= a.Cols(); ++l) {
            const long double* right = b.Row(l);
            const long double factor = left[l];
            for (int32_t j = 1; j <= b.Cols(); ++j)
                row[j] += factor * right[j];
        }
    }
    return c;
}

void NormaliseColumns(trealmatrix& t)
{
    for (int32_t j = 1; j <= t.Cols(); ++j) {
        long double length = 0;
        for (int32_t i = 1; i <= t.Rows(); ++i)
            length += t(i, j) * t(i, j);
        length = std::sqrt(length);
        for (int32_t i = 1; i <= t.Rows(); ++i)
            t(i, j) /= length;
    }
}

// One state of the projection: T, its inverse, L = A (T^-1)' and the criterion there.
struct tState {
    trealmatrix t;
    trealmatrix inverse;
    trealmatrix loadings;
    tCriterionValue criterion;
};

std::optional<tState> StateAt(
    const trealmatrix& a, trealmatrix t, tObliqueCriterion criterion, long double parameter)
{
    tResult<trealmatrix> inverse = GaussJordanInverse(t);
    if (!inverse)
        return std::nullopt;
    tState state { std::move(t), std::move(*inverse), {}, {} };
    state.loadings = Product(a, Transposed(state.inverse));
    for (int32_t i = 1; i <= state.loadings.Rows(); ++i)
        for (int32_t j = 1; j <= state.loadings.Cols(); ++j)
            if (!std::isfinite(state.loadings(i, j)))
                return std::nullopt;
    state.criterion = criterion(state.loadings, parameter);
    return state;
}

// G = -(L' Gq T^-1)', projected onto the tangent space of unit columns, with its squared norm.
std::pair<trealmatrix, long double> ProjectedGradient(const tState& state)
{
    const int32_t k = state.t.Cols();
    const trealmatrix g = Transposed(
        Product(Product(Transposed(state.loadings), state.criterion.gradient), state.inverse));
    trealmatrix projected(k, k);
    long double norm = 0;
    for (int32_t j = 1; j <= k; ++j) {
        long double along = 0;
        for (int32_t i = 1; i <= k; ++i)
            along += state.t(i, j) * -g(i, j);
        for (int32_t i = 1; i <= k; ++i) {
            projected(i, j) = -g(i, j) - state.t(i, j) * along;
            norm += projected(i, j) * projected(i, j);
        }
    }
    return { std::move(projected), norm };
}

// Steps from T along the projected gradient, the step doubled each time and halved until the
// criterion falls by half the squared gradient norm times the step, and by more than rounding (at
// most 10 halvings). Near the optimum that fall drowns in rounding; then a step that does not
// raise the criterion beyond rounding but shrinks the gradient is taken. The run ends when the
// gradient norm is below 1e-10 (converged), when no step helps or after 100 such rounding steps
// in a row (converged when the norm is below 1e-8), or at maxIterations.
tObliqueRotation Project(const trealmatrix& a, const trealmatrix& start,
    tObliqueCriterion criterion, long double parameter, int32_t maxIterations)
{
    const int32_t k = a.Cols();
    std::optional<tState> state = StateAt(a, start, criterion, parameter);
    tObliqueRotation result;
    if (!state)
        return result; // a singular start: no rotation, not converged
    long double step = 1;
    int32_t flatSteps = 0; // accepted in a row with a fall within rounding
    auto [projected, norm] = ProjectedGradient(*state);
    while (true) {
        if (std::sqrt(norm) < ProjectedGradientTolerance) {
            result.converged = true;
            break;
        }
        if (result.iterations >= maxIterations)
            break;
        ReachCheckpoint(NumericsContext().checkpoint); // windows stay alive; a stop ends the run
        ++result.iterations;
        step *= 2;
        std::optional<tState> accepted;
        std::pair<trealmatrix, long double> acceptedGradient;
        for (int halving = 0; halving <= 10; ++halving) {
            trealmatrix trial(k, k);
            for (int32_t i = 1; i <= k; ++i)
                for (int32_t j = 1; j <= k; ++j)
                    trial(i, j) = state->t(i, j) - step * projected(i, j);
            NormaliseColumns(trial);
            std::optional<tState> next = StateAt(a, std::move(trial), criterion, parameter);
            if (!next)
                continue;
            const long double fall = state->criterion.value - next->criterion.value;
            const long double rounding = 1e-18L * std::fabs(state->criterion.value);
            if (fall > norm * step / 2 && fall > rounding) {
                acceptedGradient = ProjectedGradient(*next);
                accepted = std::move(next);
                flatSteps = 0;
            } else if (fall >= -rounding) {
                std::pair<trealmatrix, long double> nextGradient = ProjectedGradient(*next);
                if (nextGradient.second < norm) {
                    acceptedGradient = std::move(nextGradient);
                    accepted = std::move(next);
                    flatSteps = fall > rounding ? 0 : flatSteps + 1;
                }
            }
            if (accepted)
                break;
            step /= 2;
        }
        if (!accepted) {
            result.converged = std::sqrt(norm) < 1e-8L;
            break;
        }
        state = std::move(accepted);
        projected = std::move(acceptedGradient.first);
        norm = acceptedGradient.second;
        if (flatSteps > MaxFlatSteps) {
            result.converged = std::sqrt(norm) < 1e-8L;
            break;
        }
    }
    result.pattern = state->loadings;
    result.transform = Transposed(state->inverse);
    result.phi = Product(Transposed(state->t), state->t);
    result.structure = Product(result.pattern, result.phi);
    result.criterion = state->criterion.value;
    return result;
}

// Each factor turned so that its pattern column has a nonnegative sum, the common convention: the
// column of the pattern, the structure and the transformation, and the row and column of Phi.
void OrientFactors(tObliqueRotation& r)
{
    for (int32_t j = 1; j <= r.pattern.Cols(); ++j) {
        long double sum = 0;
        for (int32_t i = 1; i <= r.pattern.Rows(); ++i)
            sum += r.pattern(i, j);
        if (sum >= 0)
            continue;
        for (int32_t i = 1; i <= r.pattern.Rows(); ++i) {
            r.pattern(i, j) = -r.pattern(i, j);
            r.structure(i, j) = -r.structure(i, j);
        }
        for (int32_t i = 1; i <= r.transform.Rows(); ++i)
            r.transform(i, j) = -r.transform(i, j);
        for (int32_t l = 1; l <= r.phi.Cols(); ++l) {
            if (l == j)
                continue;
            r.phi(j, l) = -r.phi(j, l);
            r.phi(l, j) = -r.phi(l, j);
        }
    }
}

tResult<tObliqueRotation> Checked(const trealmatrix& a)
{
    if (a.Cols() < 2)
        return Failure("eine schiefwinklige Rotation braucht mindestens 2 Faktoren (Spalten)");
    for (int32_t i = 1; i <= a.Rows(); ++i)
        for (int32_t j = 1; j <= a.Cols(); ++j)
            if (!std::isfinite(a(i, j)))
                return Failure("Element (" + std::to_string(i) + "," + std::to_string(j)
                    + ") der Ladungsmatrix ist keine endliche Zahl");
    return tObliqueRotation {};
}

trealmatrix Identity(int32_t k)
{
    trealmatrix t(k, k);
    for (int32_t i = 1; i <= k; ++i)
        t(i, i) = 1;
    return t;
}

} // namespace

tResult<tObliqueRotation> ObliminRotation(
    const trealmatrix& a, long double gamma, int32_t maxIterations)
{
    tResult<tObliqueRotation> checked = Checked(a);
    if (!checked)
        return checked;
    tObliqueRotation run = Project(a, Identity(a.Cols()), Oblimin, gamma, maxIterations);
    OrientFactors(run);
    return run;
}

tResult<tObliqueRotation> GeominRotation(const trealmatrix& a, long double epsilon, int32_t starts,
    tRandomGenerator& random, int32_t maxIterations)
{
    tResult<tObliqueRotation> checked = Checked(a);
    if (!checked)
        return checked;
    if (!(epsilon > 0))
        return Failure("epsilon muss positiv sein");
    if (starts < 1)
        return Failure("die Zahl der Starts muss mindestens 1 sein");
    const int32_t k = a.Cols();
    // The random starts are drawn first, in their order, so that the starts can run on any
    // thread of the pool and in any order: each writes only its own result, from its own copy of
    // A (matrices share their storage uncounted across threads).
    std::vector<trealmatrix> startingPoints { Identity(k) };
    for (int32_t s = 2; s <= starts; ++s) {
        trealmatrix start(k, k);
        for (int32_t i = 1; i <= k; ++i)
            for (int32_t j = 1; j <= k; ++j)
                start(i, j) = random.NormalDeviate();
        NormaliseColumns(start);
        startingPoints.push_back(std::move(start));
    }
    std::vector<tObliqueRotation> runs(startingPoints.size());
    const tPoolTask runStart = [&](int32_t s, int32_t) {
        trealmatrix own(a.Rows(), a.Cols());
        for (int32_t i = 1; i <= a.Rows(); ++i)
            for (int32_t j = 1; j <= a.Cols(); ++j)
                own(i, j) = a(i, j);
        const auto index = static_cast<std::size_t>(s);
        runs[index] = Project(own, startingPoints[index], Geomin, epsilon, maxIterations);
    };
    if (tWorkerPool* pool = NumericsContext().workers)
        pool->Run(starts, runStart, NumericsContext().checkpoint);
    else
        for (int32_t s = 0; s < starts; ++s)
            runStart(s, 0);
    tObliqueRotation best = std::move(runs[0]);
    for (std::size_t s = 1; s < runs.size(); ++s) {
        tObliqueRotation& run = runs[s];
        if (!run.pattern.IsAbsent() && (best.pattern.IsAbsent() || run.criterion < best.criterion))
            best = std::move(run);
    }
    if (best.pattern.IsAbsent())
        return Failure("keine der Startmatrizen lie\xDF sich invertieren");
    OrientFactors(best);
    return best;
}

tRotationResult KaiserNormalised(
    const trealmatrix& a, const std::function<tRotationResult(const trealmatrix&)>& rotate)
{
    std::vector<long double> lengths(static_cast<std::size_t>(a.Rows()) + 1);
    trealmatrix normalised = a;
    for (int32_t i = 1; i <= a.Rows(); ++i) {
        long double sum = 0;
        for (int32_t j = 1; j <= a.Cols(); ++j)
            sum += a(i, j) * a(i, j);
        lengths[static_cast<std::size_t>(i)] = std::sqrt(sum);
        if (sum > 0)
            for (int32_t j = 1; j <= a.Cols(); ++j)
                normalised(i, j) /= lengths[static_cast<std::size_t>(i)];
    }
    tRotationResult result = rotate(normalised);
    for (int32_t i = 1; i <= a.Rows(); ++i)
        if (lengths[static_cast<std::size_t>(i)] > 0)
            for (int32_t j = 1; j <= result.rotated.Cols(); ++j)
                result.rotated(i, j) *= lengths[static_cast<std::size_t>(i)];
    return result;
}

tResult<tObliqueRotation> PromaxRotation(const trealmatrix& a, long double power)
{
    tResult<tObliqueRotation> checked = Checked(a);
    if (!checked)
        return checked;
    if (!(power > 1))
        return Failure("die Potenz muss gr\xF6\xDF"
                       "er als 1 sein");
    const tRotationResult varimax = KaiserNormalised(a, [](const trealmatrix& m) {
        return RotationSweeps(m, AllIndexes(m.Rows()), AllIndexes(m.Cols()), VarimaxCriterion);
    });
    const trealmatrix& b = varimax.rotated;
    trealmatrix target = b;
    for (int32_t i = 1; i <= b.Rows(); ++i)
        for (int32_t j = 1; j <= b.Cols(); ++j)
            target(i, j) = b(i, j) * std::pow(std::fabs(b(i, j)), power - 1);
    // U = (B'B)^-1 B'Q, the least-squares fit of the target.
    tResult<trealmatrix> gramInverse = GaussJordanInverse(Product(Transposed(b), b));
    if (!gramInverse)
        return Failure("die VARIMAX-Ladungen sind linear abh\xE4ngig");
    trealmatrix u = Product(*gramInverse, Product(Transposed(b), target));
    tResult<trealmatrix> uuInverse = GaussJordanInverse(Product(Transposed(u), u));
    if (!uuInverse)
        return Failure("die Zielmatrix hat linear abh\xE4ngige Spalten");
    for (int32_t j = 1; j <= u.Cols(); ++j) {
        const long double scale = std::sqrt((*uuInverse)(j, j));
        for (int32_t i = 1; i <= u.Rows(); ++i)
            u(i, j) *= scale;
    }
    tObliqueRotation result;
    result.transform = Product(varimax.transform, u);
    result.pattern = Product(b, u);
    tResult<trealmatrix> phi = GaussJordanInverse(Product(Transposed(u), u));
    if (!phi)
        return Failure("die Zielmatrix hat linear abh\xE4ngige Spalten");
    result.phi = std::move(*phi);
    result.structure = Product(result.pattern, result.phi);
    result.iterations = varimax.sweeps;
    result.converged = true;
    OrientFactors(result);
    return result;
}

} // namespace zelvora
