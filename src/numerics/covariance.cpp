// Covariance, correlation, variable removal, decorrelation and CR coefficients.
#include "numerics/covariance.h"

#include "numerics/cholesky.h"
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_functions.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"

#include <cmath>
#include <vector>

namespace zelvora {
namespace {

// Every element divided by n.
trealmatrix DividedBy(trealmatrix m, long double n)
{
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        long double* row = m.Row(r);
        for (int32_t c = 1; c <= m.Cols(); ++c)
            row[c] /= n;
    }
    return m;
}

// The mean of the element-wise product of two rows of the same length n > 0.
long double MeanProduct(const long double* a, const long double* b, int32_t n)
{
    long double sum = 0;
    for (int32_t c = 1; c <= n; ++c)
        sum += a[c] * b[c];
    return sum / n;
}

// g of the CR coefficients applied to every element.
trealmatrix Metric(trealmatrix m, int32_t metric)
{
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        long double* row = m.Row(r);
        for (int32_t c = 1; c <= m.Cols(); ++c)
            row[c] = metric == 2 ? row[c] * row[c] : std::fabs(row[c]);
    }
    return m;
}

// The rows of m listed in `rows`, in that order.
trealmatrix RowsOf(const trealmatrix& m, const std::vector<int32_t>& rows)
{
    trealmatrix part(static_cast<int32_t>(rows.size()), m.Cols());
    for (int32_t i = 1; i <= part.Rows(); ++i)
        std::copy_n(m.Row(rows[static_cast<std::size_t>(i - 1)]) + 1, m.Cols(), part.Row(i) + 1);
    return part;
}

constexpr long double dependentPivot = 1e-12L;

} // namespace

tResult<trealmatrix> CovarianceOf(const trealmatrix& m, int32_t kind)
{
    if (kind != 1 && kind != 2)
        return Failure(1, "");
    const int32_t cases = kind == 1 ? m.Cols() : m.Rows();
    if (cases == 0)
        return Failure(1, "");
    return DividedBy(GramProduct(m, kind).Value(), cases);
}

trealmatrix StandardiseRows(const trealmatrix& m)
{
    trealmatrix z = m;
    const int32_t n = m.Cols();
    if (n == 0)
        return z;
    for (int32_t r = 1; r <= z.Rows(); ++r) {
        long double* row = z.Row(r);
        long double sum = 0;
        for (int32_t c = 1; c <= n; ++c)
            sum += row[c];
        long double mean = sum / n;
        // The deviations of a rounded mean sum to n times its error; adding their mean back
        // leaves a mean exact to the last bits even under a large common offset.
        long double drift = 0;
        for (int32_t c = 1; c <= n; ++c)
            drift += row[c] - mean;
        mean += drift / n;
        long double squares = 0;
        for (int32_t c = 1; c <= n; ++c) {
            row[c] -= mean;
            squares += row[c] * row[c];
        }
        const long double spread = std::sqrt(squares / n);
        for (int32_t c = 1; c <= n; ++c)
            row[c] = spread > 0 ? row[c] / spread : 0;
    }
    return z;
}

tResult<trealmatrix> CorrelationOf(const trealmatrix& m, int32_t kind)
{
    if (kind != 1 && kind != 2)
        return Failure(1, "");
    const trealmatrix z = StandardiseRows(kind == 1 ? m : Transpose(m));
    if (z.Cols() == 0)
        return Failure(1, "");
    trealmatrix r = CovarianceOf(z, 1).Value(); // z has cases
    for (int32_t i = 1; i <= r.Rows(); ++i)
        r(i, i) = 1;
    return r;
}

tResult<trealmatrix> CovToCorrelation(const trealmatrix& c)
{
    if (c.Rows() != c.Cols())
        return Failure(1, "");
    const int32_t n = c.Rows();
    std::vector<long double> d(static_cast<std::size_t>(n) + 1);
    for (int32_t i = 1; i <= n; ++i)
        d[static_cast<std::size_t>(i)] = c(i, i) > 0 ? 1 / std::sqrt(c(i, i)) : 0;
    trealmatrix r(n, n);
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= n; ++j)
            r(i, j) = i == j
                ? 1
                : c(i, j) * d[static_cast<std::size_t>(i)] * d[static_cast<std::size_t>(j)];
    }
    return r;
}

tResult<trealmatrix> RemoveVariable(const trealmatrix& c, int32_t v)
{
    if (c.Rows() != c.Cols())
        return Failure(1, "");
    const long double pivot = c.At(v, v);
    trealmatrix result = c;
    if (!(pivot > 0))
        return result;
    const long double root = std::sqrt(pivot);
    const int32_t n = c.Rows();
    std::vector<long double> l(static_cast<std::size_t>(n) + 1);
    for (int32_t i = 1; i <= n; ++i)
        l[static_cast<std::size_t>(i)] = c(i, v) / root;
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= n; ++j)
            result(i, j) -= l[static_cast<std::size_t>(i)] * l[static_cast<std::size_t>(j)];
    }
    for (int32_t i = 1; i <= n; ++i) {
        result(i, v) = 0;
        result(v, i) = 0;
    }
    return result;
}

tResult<trealmatrix> DecorrelateRows(const trealmatrix& m)
{
    const tResult<trealmatrix> covarianceOf = CovarianceOf(m, 1);
    if (!covarianceOf)
        return covarianceOf.Error();
    const trealmatrix& covariance = *covarianceOf;
    std::vector<int32_t> varying;
    for (int32_t i = 1; i <= m.Rows(); ++i) {
        if (covariance(i, i) > 0)
            varying.push_back(i);
    }
    trealmatrix result = m;
    if (varying.empty())
        return result;
    const auto k = static_cast<int32_t>(varying.size());
    std::vector<long double> spread(static_cast<std::size_t>(k) + 1);
    trealmatrix correlation(k, k);
    for (int32_t i = 1; i <= k; ++i)
        spread[static_cast<std::size_t>(i)] = std::sqrt(covariance(varying[i - 1], varying[i - 1]));
    for (int32_t i = 1; i <= k; ++i) {
        for (int32_t j = 1; j <= k; ++j)
            correlation(i, j) = covariance(varying[i - 1], varying[j - 1])
                / (spread[static_cast<std::size_t>(i)] * spread[static_cast<std::size_t>(j)]);
    }
    const trealmatrix factor = CholeskyFactor(correlation).Value();
    for (int32_t i = 1; i <= k; ++i) {
        if (!(factor(i, i) * factor(i, i) >= dependentPivot))
            return Failure(
                "Die Zeilen sind linear abh\xE4ngig und lassen sich nicht de-korrelieren");
    }
    trealmatrix standardised = RowsOf(m, varying);
    for (int32_t i = 1; i <= k; ++i) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            standardised(i, c) /= spread[static_cast<std::size_t>(i)];
    }
    // MatrixSqrt stops once the square misses R by 1e-8; one more step of its iteration,
    // X := (R*X^-1 + X) / 2, converges quadratically to full precision.
    trealmatrix root = MatrixSqrt(correlation).Value();
    const trealmatrix quotient = SolveRight(correlation, root).Value();
    for (int32_t i = 1; i <= k; ++i) {
        for (int32_t j = 1; j <= k; ++j)
            root(i, j) = (quotient(i, j) + root(i, j)) / 2;
    }
    const trealmatrix whitened = MatMul(GaussJordanInverse(root).Value(), standardised).Value();
    for (int32_t i = 1; i <= k; ++i) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            result(varying[i - 1], c) = whitened(i, c) * spread[static_cast<std::size_t>(i)];
    }
    return result;
}

trealmatrix CRCoefficients(const trealmatrix& m, int32_t metric)
{
    const trealmatrix z = StandardiseRows(m.Cols() < m.Rows() ? Transpose(m) : m);
    const int32_t rows = z.Rows();
    const int32_t n = z.Cols();
    trealmatrix result(rows, rows);
    if (n == 0)
        return result;
    const trealmatrix z2 = StandardiseRows(Metric(z, metric));
    trealmatrix pair(2, n);
    for (int32_t i = 1; i <= rows; ++i) {
        for (int32_t j = i + 1; j <= rows; ++j) {
            const long double r = MeanProduct(z.Row(i), z.Row(j), n);
            for (int32_t c = 1; c <= n; ++c) {
                pair(1, c) = z(j, c) - r * z(i, c);
                pair(2, c) = z(i, c) - r * z(j, c);
            }
            const trealmatrix e = StandardiseRows(Metric(StandardiseRows(pair), metric));
            result(i, j) = MeanProduct(z2.Row(i), e.Row(1), n);
            result(j, i) = MeanProduct(z2.Row(j), e.Row(2), n);
        }
    }
    return result;
}

} // namespace zelvora
