// Polynomials, row interpolation and monotone smoothing.
#include "numerics/polynomials.h"

#include "numerics/matrix_alloc.h"
#include "numerics/matrix_size.h"

#include <vector>

namespace zelvora {
namespace {

constexpr int32_t maxSmoothingRounds = 1001;

long double RowPolynomial(const long double* coefficients, int32_t n, long double x)
{
    long double sum = 0;
    long double power = 1;
    for (int32_t k = n; k >= 1; --k) {
        sum += power * coefficients[k];
        power *= x;
    }
    return sum;
}

// The pair weights (p, q) normalised to sum 1 when their sum is positive.
std::pair<long double, long double> PairWeights(long double p, long double q)
{
    if (p + q > 0) {
        const long double sum = p + q;
        return { p / sum, q / sum };
    }
    return { p, q };
}

} // namespace

long double PolynomialValue(const trealmatrix& c, long double x)
{
    if (c.IsAbsent() || c.Rows() < 1)
        return 0;
    return RowPolynomial(c.Row(1), c.Cols(), x);
}

tResult<trealmatrix> PolynomialMatrix(const trealmatrix& m, const trealmatrix& c)
{
    if (m.IsAbsent() || c.IsAbsent() || (m.Rows() != c.Rows() && m.Rows() != 1 && c.Rows() != 1))
        return Failure(1, "");
    const int32_t rows = std::max(m.Rows(), c.Rows());
    trealmatrix result(rows, m.Cols());
    for (int32_t i = 1; i <= rows; ++i) {
        const long double* coefficients = c.Row(c.Rows() == 1 ? 1 : i);
        const long double* data = m.Row(m.Rows() == 1 ? 1 : i);
        for (int32_t j = 1; j <= m.Cols(); ++j)
            result(i, j) = RowPolynomial(coefficients, c.Cols(), data[j]);
    }
    return result;
}

tResult<trealmatrix> InterpolateRows(const trealmatrix& m, int32_t n)
{
    if (m.IsAbsent() || n < 0)
        return Failure(1, "");
    if (m.Rows() <= 1)
        return CopyMatrix(m);
    if (n == 0)
        throw tFloatDivisionByZeroError();
    trealmatrix result(DimensionProduct(m.Rows() - 1, n, 1), m.Cols());
    for (int32_t c = 1; c <= m.Cols(); ++c) {
        int32_t out = 0;
        for (int32_t k = 1; k < m.Rows(); ++k) {
            const long double step = (m(k + 1, c) - m(k, c)) / n;
            for (int32_t t = 0; t < n; ++t)
                result(++out, c) = m(k, c) + t * step;
        }
        result(++out, c) = m(m.Rows(), c);
    }
    return result;
}

trealmatrix MonotoneSmooth(const trealmatrix& m, const trealmatrix& w)
{
    const int32_t cols = m.Cols();
    std::vector<long double> weights(static_cast<std::size_t>(cols) + 1, 1);
    if (!w.IsAbsent() && w.Rows() >= 1) {
        long double total = 0;
        for (int32_t k = 1; k <= std::min(cols, w.Cols()); ++k)
            total += w(1, k);
        for (int32_t j = 1; j <= cols; ++j)
            weights[static_cast<std::size_t>(j)] = j <= w.Cols() ? w(1, j) / total : 0;
    }
    trealmatrix s = CopyMatrix(m);
    bool changed = true;
    for (int32_t round = 1; round <= maxSmoothingRounds && changed; ++round) {
        trealmatrix x = s;
        changed = false;
        for (int32_t i = 1; i <= m.Rows(); ++i) {
            for (int32_t j = 2; j <= cols; ++j) {
                const auto [p, q] = PairWeights(
                    weights[static_cast<std::size_t>(j)], weights[static_cast<std::size_t>(j - 1)]);
                if (s(i, j - 1) > s(i, j)) {
                    changed = true;
                    const long double v = p * x(i, j) + q * x(i, j - 1);
                    x(i, j) = v;
                    x(i, j - 1) = v;
                }
            }
            for (int32_t j = cols - 1; j >= 1; --j) {
                const auto [p, q] = PairWeights(
                    weights[static_cast<std::size_t>(j)], weights[static_cast<std::size_t>(j + 1)]);
                if (x(i, j) > x(i, j + 1)) {
                    changed = true;
                    const long double v = p * x(i, j) + q * x(i, j + 1);
                    x(i, j) = v;
                    x(i, j + 1) = v;
                }
            }
        }
        s = std::move(x);
    }
    return s;
}

} // namespace zelvora
