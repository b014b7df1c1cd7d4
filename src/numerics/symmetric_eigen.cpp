// Symmetric eigen systems by Householder reduction to tridiagonal form and implicit QL steps, with
// the eigenpairs sorted by decreasing value. The work runs on plain row-major arrays: the factor
// analysis calls this once per optimiser step, so it must cost little beside the step itself.
#include "numerics/symmetric_eigen.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace zelvora {
namespace {

using tArray = std::vector<long double>;

// The working matrix of order n, row-major and 0-based.
struct tSquare {
    int32_t n;
    tArray slots;
    long double& operator()(int32_t r, int32_t c)
    {
        return slots[static_cast<std::size_t>(r) * static_cast<std::size_t>(n)
            + static_cast<std::size_t>(c)];
    }
    long double* Row(int32_t r) { return &(*this)(r, 0); }
};

// Reduces the symmetric a to tridiagonal T = Q' a Q (diagonal d, off-diagonal e with e[i]
// between i and i + 1) and overwrites a with Q'. Column j is reflected below its subdiagonal by
// H = I - beta v v' (v kept in row j of a past the diagonal), the trailing block updated as
// A - v w' - w v' with w = beta (A v) - (beta^2 / 2)(v' A v) v.
void Tridiagonalise(tSquare& a, tArray& d, tArray& e)
{
    const int32_t n = a.n;
    tArray betas(static_cast<std::size_t>(n), 0);
    tArray w(static_cast<std::size_t>(n));
    for (int32_t j = 0; j + 2 < n; ++j) {
        long double scale = 0;
        for (int32_t i = j + 1; i < n; ++i)
            scale += std::fabs(a(i, j));
        if (scale == 0) {
            e[static_cast<std::size_t>(j)] = 0;
            continue;
        }
        // v = x - alpha e1 with alpha = -sign(x1) |x|, computed on x / scale against overflow.
        long double norm = 0;
        for (int32_t i = j + 1; i < n; ++i) {
            a(j, i) = a(i, j) / scale;
            norm += a(j, i) * a(j, i);
        }
        norm = std::sqrt(norm);
        const long double first = a(j, j + 1);
        const long double alpha = first > 0 ? -norm : norm;
        a(j, j + 1) = first - alpha;
        // v'v = |x|^2 - 2 alpha x1 + alpha^2 = 2 (|x|^2 - alpha x1), and beta = 2 / v'v.
        const long double beta = 1 / (norm * norm - alpha * first);
        betas[static_cast<std::size_t>(j)] = beta;
        e[static_cast<std::size_t>(j)] = alpha * scale;
        long double vAv = 0;
        for (int32_t r = j + 1; r < n; ++r) {
            long double sum = 0;
            for (int32_t c = j + 1; c < n; ++c)
                sum += a(r, c) * a(j, c);
            w[static_cast<std::size_t>(r)] = beta * sum;
            vAv += a(j, r) * sum;
        }
        const long double half = beta * beta * vAv / 2;
        for (int32_t r = j + 1; r < n; ++r)
            w[static_cast<std::size_t>(r)] -= half * a(j, r);
        for (int32_t r = j + 1; r < n; ++r)
            for (int32_t c = j + 1; c < n; ++c)
                a(r, c) -= a(j, r) * w[static_cast<std::size_t>(c)]
                    + w[static_cast<std::size_t>(r)] * a(j, c);
    }
    for (int32_t j = 0; j < n; ++j)
        d[static_cast<std::size_t>(j)] = a(j, j);
    if (n >= 2)
        e[static_cast<std::size_t>(n - 2)] = a(n - 1, n - 2);
    // Q' = H_{n-3} ... H_0, built from the last reflection back so that each reflection meets an
    // identity outside its trailing block: rows of the product are rows of Q'.
    tSquare q { n, tArray(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0) };
    for (int32_t i = 0; i < n; ++i)
        q(i, i) = 1;
    for (int32_t j = n - 3; j >= 0; --j) {
        const long double beta = betas[static_cast<std::size_t>(j)];
        if (beta == 0)
            continue;
        // M := M H_j on the block of rows and columns j + 1 ..: M - beta (M v) v'.
        for (int32_t r = j + 1; r < n; ++r) {
            long double mv = 0;
            for (int32_t c = j + 1; c < n; ++c)
                mv += q(r, c) * a(j, c);
            mv *= beta;
            for (int32_t c = j + 1; c < n; ++c)
                q(r, c) -= mv * a(j, c);
        }
    }
    a = std::move(q);
}

// Implicit QL steps with Wilkinson's shift on the tridiagonal (d, e) until every off-diagonal
// element is negligible beside its neighbours on the diagonal. The plane rotations turn the rows
// of z (row i: the current vector of position i). False after 60 steps on one eigenvalue.
bool DiagonaliseTridiagonal(tArray& d, tArray& e, tSquare& z)
{
    const int32_t n = z.n;
    for (int32_t l = 0; l < n; ++l) {
        for (int32_t steps = 0;; ++steps) {
            int32_t m = l;
            for (; m + 1 < n; ++m) {
                const long double sum = std::fabs(d[static_cast<std::size_t>(m)])
                    + std::fabs(d[static_cast<std::size_t>(m + 1)]);
                if (std::fabs(e[static_cast<std::size_t>(m)]) + sum == sum)
                    break;
            }
            if (m == l)
                break;
            if (steps == 60)
                return false;
            long double g = (d[static_cast<std::size_t>(l + 1)] - d[static_cast<std::size_t>(l)])
                / (2 * e[static_cast<std::size_t>(l)]);
            long double r = std::hypot(g, 1.0L);
            g = d[static_cast<std::size_t>(m)] - d[static_cast<std::size_t>(l)]
                + e[static_cast<std::size_t>(l)] / (g + (g >= 0 ? r : -r));
            long double s = 1;
            long double c = 1;
            long double p = 0;
            int32_t i = m - 1;
            for (; i >= l; --i) {
                const long double f = s * e[static_cast<std::size_t>(i)];
                const long double b = c * e[static_cast<std::size_t>(i)];
                r = std::hypot(f, g);
                e[static_cast<std::size_t>(i + 1)] = r;
                if (r == 0) {
                    // The rotation underflowed: the element splits off; start again.
                    d[static_cast<std::size_t>(i + 1)] -= p;
                    e[static_cast<std::size_t>(m)] = 0;
                    break;
                }
                s = f / r;
                c = g / r;
                g = d[static_cast<std::size_t>(i + 1)] - p;
                r = (d[static_cast<std::size_t>(i)] - g) * s + 2 * c * b;
                p = s * r;
                d[static_cast<std::size_t>(i + 1)] = g + p;
                g = c * r - b;
                long double* upper = z.Row(i);
                long double* lower = z.Row(i + 1);
                for (int32_t k = 0; k < n; ++k) {
                    const long double f2 = lower[k];
                    lower[k] = s * upper[k] + c * f2;
                    upper[k] = c * upper[k] - s * f2;
                }
            }
            if (r == 0 && i >= l)
                continue;
            d[static_cast<std::size_t>(l)] -= p;
            e[static_cast<std::size_t>(l)] = g;
            e[static_cast<std::size_t>(m)] = 0;
        }
    }
    return true;
}

} // namespace

tResult<tSymmetricEigen> SymmetricEigen(const trealmatrix& input)
{
    const int32_t n = input.Rows();
    if (n == 0 || input.Cols() != n)
        return Failure("");
    tSquare a { n, tArray(static_cast<std::size_t>(n) * static_cast<std::size_t>(n)) };
    for (int32_t r = 0; r < n; ++r)
        for (int32_t c = r; c < n; ++c)
            a(r, c) = a(c, r) = input(r + 1, c + 1);
    tArray d(static_cast<std::size_t>(n));
    tArray e(static_cast<std::size_t>(n), 0);
    Tridiagonalise(a, d, e);
    if (!DiagonaliseTridiagonal(d, e, a))
        return Failure("die Eigenwerte konvergieren nicht");

    std::vector<int32_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int32_t i, int32_t j) {
        return d[static_cast<std::size_t>(i)] > d[static_cast<std::size_t>(j)];
    });
    tSymmetricEigen result { trealmatrix(1, n, noInit), trealmatrix(n, n, noInit) };
    for (int32_t j = 0; j <= n; ++j) {
        result.values(0, j) = 0;
        result.vectors(0, j) = 0;
        result.vectors(j, 0) = 0;
    }
    long double* values = result.values.Row(1);
    for (int32_t j = 1; j <= n; ++j) {
        const int32_t from = order[static_cast<std::size_t>(j - 1)];
        values[j] = d[static_cast<std::size_t>(from)];
        const long double* vector = a.Row(from);
        for (int32_t k = 1; k <= n; ++k)
            result.vectors(k, j) = vector[k - 1];
    }
    return result;
}

} // namespace zelvora
