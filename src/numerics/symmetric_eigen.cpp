// Cyclic Jacobi sweeps for symmetric matrices, with the eigenpairs sorted by decreasing value.
#include "numerics/symmetric_eigen.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace zelvora {
namespace {

long double OffDiagonalSquares(const trealmatrix& a)
{
    long double sum = 0;
    for (int32_t r = 1; r <= a.Rows(); ++r)
        for (int32_t c = r + 1; c <= a.Cols(); ++c)
            sum += a(r, c) * a(r, c);
    return 2 * sum;
}

// Clears a(p, q) of the symmetric working matrix (both triangles kept) and turns the vectors.
void ClearPair(trealmatrix& a, trealmatrix& v, int32_t p, int32_t q)
{
    const long double apq = a(p, q);
    if (apq == 0)
        return;
    const long double theta = (a(q, q) - a(p, p)) / (2 * apq);
    const long double t = (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
    const long double c = 1 / std::sqrt(t * t + 1);
    const long double s = t * c;
    const int32_t n = a.Rows();
    for (int32_t k = 1; k <= n; ++k) {
        const long double akp = a(k, p);
        const long double akq = a(k, q);
        a(k, p) = c * akp - s * akq;
        a(k, q) = s * akp + c * akq;
    }
    for (int32_t k = 1; k <= n; ++k) {
        const long double apk = a(p, k);
        const long double aqk = a(q, k);
        a(p, k) = c * apk - s * aqk;
        a(q, k) = s * apk + c * aqk;
    }
    a(p, q) = 0;
    a(q, p) = 0;
    for (int32_t k = 1; k <= n; ++k) {
        const long double vkp = v(k, p);
        const long double vkq = v(k, q);
        v(k, p) = c * vkp - s * vkq;
        v(k, q) = s * vkp + c * vkq;
    }
}

} // namespace

tResult<tSymmetricEigen> SymmetricEigen(const trealmatrix& input)
{
    const int32_t n = input.Rows();
    if (n == 0 || input.Cols() != n)
        return Failure("");
    trealmatrix a(n, n);
    trealmatrix v(n, n);
    long double total = 0;
    for (int32_t r = 1; r <= n; ++r) {
        v(r, r) = 1;
        for (int32_t c = r; c <= n; ++c) {
            a(r, c) = input(r, c);
            a(c, r) = input(r, c);
            total += (r == c ? 1 : 2) * input(r, c) * input(r, c);
        }
    }
    for (int32_t sweep = 0; sweep < 100 && OffDiagonalSquares(a) > 1e-36L * total; ++sweep)
        for (int32_t p = 1; p < n; ++p)
            for (int32_t q = p + 1; q <= n; ++q)
                ClearPair(a, v, p, q);

    std::vector<int32_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(
        order.begin(), order.end(), [&](int32_t i, int32_t j) { return a(i, i) > a(j, j); });
    tSymmetricEigen result { trealmatrix(1, n), trealmatrix(n, n) };
    for (int32_t j = 1; j <= n; ++j) {
        const int32_t from = order[static_cast<std::size_t>(j - 1)];
        result.values(1, j) = a(from, from);
        for (int32_t k = 1; k <= n; ++k)
            result.vectors(k, j) = v(k, from);
    }
    return result;
}

} // namespace zelvora
