// Correlation matrices as the factor-analysis routines receive them: checked, standardised and
// factored by Cholesky, so that a singular matrix is named instead of giving nonsense.
#include "numerics/factor_inputs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace zelvora {
namespace {

std::string Place(int32_t r, int32_t c)
{
    return "(" + std::to_string(r) + "," + std::to_string(c) + ")";
}

tFailure NotPositiveDefinite(int32_t variable)
{
    return Failure("die Korrelationsmatrix ist nicht positiv definit (singul\xE4r oder fast: "
                   "Variable "
        + std::to_string(variable) + " h\xE4ngt linear von den vorigen ab)");
}

// L with R = L L', lower triangular; fails at the first pivot at most 1e-15.
tResult<trealmatrix> Cholesky(const trealmatrix& r)
{
    const int32_t n = r.Rows();
    trealmatrix l(n, n);
    for (int32_t j = 1; j <= n; ++j) {
        long double pivot = r(j, j);
        for (int32_t k = 1; k < j; ++k)
            pivot -= l(j, k) * l(j, k);
        if (!(pivot > 1e-15L))
            return NotPositiveDefinite(j);
        l(j, j) = std::sqrt(pivot);
        for (int32_t i = j + 1; i <= n; ++i) {
            long double sum = r(i, j);
            for (int32_t k = 1; k < j; ++k)
                sum -= l(i, k) * l(j, k);
            l(i, j) = sum / l(j, j);
        }
    }
    return l;
}

} // namespace

std::string FactorMessageNumber(long double x)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.10Lg", x);
    return text;
}

tResult<trealmatrix> CorrelationInput(const trealmatrix& a)
{
    const int32_t n = a.Rows();
    if (n != a.Cols())
        return Failure("erwartet wird eine quadratische Korrelationsmatrix, nicht "
            + std::to_string(n) + " x " + std::to_string(a.Cols()));
    if (n < 2)
        return Failure("die Korrelationsmatrix braucht mindestens 2 Variablen");
    for (int32_t i = 1; i <= n; ++i)
        if (!(a(i, i) > 0))
            return Failure("Diagonalelement " + Place(i, i) + " ist nicht positiv ("
                + FactorMessageNumber(a(i, i)) + ")");
    for (int32_t r = 1; r <= n; ++r) {
        for (int32_t c = r + 1; c <= n; ++c) {
            const long double scale = std::max({ std::fabs(a(r, c)), std::fabs(a(c, r)), 1.0L });
            if (!(std::fabs(a(r, c) - a(c, r)) <= 1e-12L * scale))
                return Failure("die Matrix ist nicht symmetrisch: Element " + Place(r, c) + " ist "
                    + FactorMessageNumber(a(r, c)) + ", " + Place(c, r) + " ist "
                    + FactorMessageNumber(a(c, r)));
        }
    }
    trealmatrix r(n, n);
    for (int32_t i = 1; i <= n; ++i) {
        r(i, i) = 1;
        for (int32_t j = i + 1; j <= n; ++j) {
            r(i, j) = a(i, j) / std::sqrt(a(i, i) * a(j, j));
            r(j, i) = r(i, j);
        }
    }
    return r;
}

tResult<trealmatrix> CorrelationInverse(const trealmatrix& r)
{
    tResult<trealmatrix> factor = Cholesky(r);
    if (!factor)
        return factor.Error();
    const trealmatrix& l = *factor;
    const int32_t n = r.Rows();
    // W = L^-1 (lower triangular) by forward substitution, then R^-1 = W' W.
    trealmatrix w(n, n);
    for (int32_t j = 1; j <= n; ++j) {
        w(j, j) = 1 / l(j, j);
        for (int32_t i = j + 1; i <= n; ++i) {
            long double sum = 0;
            for (int32_t k = j; k < i; ++k)
                sum -= l(i, k) * w(k, j);
            w(i, j) = sum / l(i, i);
        }
    }
    trealmatrix inverse(n, n);
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = i; j <= n; ++j) {
            long double sum = 0;
            for (int32_t k = j; k <= n; ++k)
                sum += w(k, i) * w(k, j);
            inverse(i, j) = sum;
            inverse(j, i) = sum;
        }
    }
    return inverse;
}

tResult<long double> CorrelationLogDeterminant(const trealmatrix& r)
{
    tResult<trealmatrix> factor = Cholesky(r);
    if (!factor)
        return factor.Error();
    long double sum = 0;
    for (int32_t i = 1; i <= r.Rows(); ++i)
        sum += std::log((*factor)(i, i));
    return 2 * sum;
}

tResult<trealmatrix> SquaredMultipleCorrelations(const trealmatrix& r)
{
    tResult<trealmatrix> inverse = CorrelationInverse(r);
    if (!inverse)
        return inverse.Error();
    trealmatrix smc(r.Rows(), 1);
    for (int32_t i = 1; i <= r.Rows(); ++i)
        smc(i, 1) = 1 - 1 / (*inverse)(i, i);
    return smc;
}

} // namespace zelvora
