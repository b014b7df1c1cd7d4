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
    const long double* Row(int32_t r) const
    {
        return &slots[static_cast<std::size_t>(r) * static_cast<std::size_t>(n)];
    }
};

// Reduces the symmetric a to tridiagonal T = Q' a Q (diagonal d, off-diagonal e with e[i]
// between i and i + 1), Q = H_0 ... H_{n-3}. Column j is reflected below its subdiagonal by
// H_j = I - beta_j v v' (v kept in row j of a past the diagonal), the trailing block updated as
// A - v w' - w v' with w = beta (A v) - (beta^2 / 2)(v' A v) v, on its lower triangle only.
void Tridiagonalise(tSquare& a, tArray& d, tArray& e, tArray& betas)
{
    const int32_t n = a.n;
    tArray w(static_cast<std::size_t>(n));
    for (int32_t j = 0; j + 2 < n; ++j) {
        long double* v = a.Row(j);
        long double scale = 0;
        for (int32_t i = j + 1; i < n; ++i)
            scale += std::fabs(a(i, j));
        if (scale == 0) {
            e[static_cast<std::size_t>(j)] = 0;
            betas[static_cast<std::size_t>(j)] = 0;
            continue;
        }
        // v = x - alpha e1 with alpha = -sign(x1) |x|, computed on x / scale against overflow.
        long double norm = 0;
        for (int32_t i = j + 1; i < n; ++i) {
            v[i] = a(i, j) / scale;
            norm += v[i] * v[i];
        }
        norm = std::sqrt(norm);
        const long double first = v[j + 1];
        const long double alpha = first > 0 ? -norm : norm;
        v[j + 1] = first - alpha;
        // v'v = |x|^2 - 2 alpha x1 + alpha^2 = 2 (|x|^2 - alpha x1), and beta = 2 / v'v.
        const long double beta = 1 / (norm * norm - alpha * first);
        betas[static_cast<std::size_t>(j)] = beta;
        e[static_cast<std::size_t>(j)] = alpha * scale;
        // A v from the lower triangle of the trailing block.
        for (int32_t r = j + 1; r < n; ++r)
            w[static_cast<std::size_t>(r)] = 0;
        for (int32_t r = j + 1; r < n; ++r) {
            const long double* row = a.Row(r);
            long double sum = row[r] * v[r];
            for (int32_t c = j + 1; c < r; ++c) {
                sum += row[c] * v[c];
                w[static_cast<std::size_t>(c)] += row[c] * v[r];
            }
            w[static_cast<std::size_t>(r)] += sum;
        }
        long double vAv = 0;
        for (int32_t r = j + 1; r < n; ++r) {
            w[static_cast<std::size_t>(r)] *= beta;
            vAv += v[r] * w[static_cast<std::size_t>(r)];
        }
        const long double half = beta * vAv / 2;
        for (int32_t r = j + 1; r < n; ++r)
            w[static_cast<std::size_t>(r)] -= half * v[r];
        for (int32_t r = j + 1; r < n; ++r) {
            long double* row = a.Row(r);
            const long double vr = v[r];
            const long double wr = w[static_cast<std::size_t>(r)];
            for (int32_t c = j + 1; c <= r; ++c)
                row[c] -= vr * w[static_cast<std::size_t>(c)] + wr * v[c];
        }
    }
    for (int32_t j = 0; j < n; ++j)
        d[static_cast<std::size_t>(j)] = a(j, j);
    if (n >= 2)
        e[static_cast<std::size_t>(n - 2)] = a(n - 1, n - 2);
}

// Q' = H_{n-3} ... H_0 from the reflections that Tridiagonalise left in a, built from the last
// back so that each reflection meets an identity outside its trailing block.
tSquare TransposedQ(const tSquare& a, const tArray& betas)
{
    const int32_t n = a.n;
    tSquare q { n, tArray(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0) };
    for (int32_t i = 0; i < n; ++i)
        q(i, i) = 1;
    for (int32_t j = n - 3; j >= 0; --j) {
        const long double beta = betas[static_cast<std::size_t>(j)];
        if (beta == 0)
            continue;
        // M := M H_j on the block of rows and columns j + 1 ..: M - beta (M v) v'.
        const long double* v = a.Row(j);
        for (int32_t r = j + 1; r < n; ++r) {
            long double* row = q.Row(r);
            long double mv = 0;
            for (int32_t c = j + 1; c < n; ++c)
                mv += row[c] * v[c];
            mv *= beta;
            for (int32_t c = j + 1; c < n; ++c)
                row[c] -= mv * v[c];
        }
    }
    return q;
}

// sqrt(a^2 + b^2) without the library's care for every range where the squares cannot leave
// the range of long double: the QL steps need it for every rotation.
long double Hypotenuse(long double a, long double b)
{
    const long double big = std::max(std::fabs(a), std::fabs(b));
    if (big > 1e-2000L && big < 1e2000L)
        return std::sqrt(a * a + b * b);
    return std::hypot(a, b);
}

// Implicit QL steps with Wilkinson's shift on the tridiagonal (d, e) until every off-diagonal
// element is negligible beside its neighbours on the diagonal. The plane rotations turn the rows
// of z (row i: the current vector of position i) when there is one. False after 60 steps on one
// eigenvalue.
bool DiagonaliseTridiagonal(tArray& d, tArray& e, tSquare* z)
{
    const auto n = static_cast<int32_t>(d.size());
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
            long double r = Hypotenuse(g, 1.0L);
            g = d[static_cast<std::size_t>(m)] - d[static_cast<std::size_t>(l)]
                + e[static_cast<std::size_t>(l)] / (g + (g >= 0 ? r : -r));
            long double s = 1;
            long double c = 1;
            long double p = 0;
            int32_t i = m - 1;
            for (; i >= l; --i) {
                const long double f = s * e[static_cast<std::size_t>(i)];
                const long double b = c * e[static_cast<std::size_t>(i)];
                r = Hypotenuse(f, g);
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
                if (z == nullptr)
                    continue;
                long double* upper = z->Row(i);
                long double* lower = z->Row(i + 1);
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

// The eigenvector of the tridiagonal (d, e) for its eigenvalue lambda by inverse iteration:
// T - lambda I factored once by Gaussian elimination with row exchanges (a pivot that vanishes
// is replaced by a tiny one), three solves from a fixed start, each result orthogonalised against
// the vectors already found for eigenvalues within 1e-3 |T| (a cluster) and normalised.
void InverseIteration(const tArray& d, const tArray& e, long double lambda, long double size,
    const std::vector<const long double*>& cluster, long double* x)
{
    const auto n = static_cast<int32_t>(d.size());
    const auto un = static_cast<std::size_t>(n);
    tArray u0(un), u1(un, 0), u2(un, 0), multiplier(un, 0);
    std::vector<char> exchanged(un, 0);
    const long double tiny = size * 1e-19L + 1e-4000L;
    long double pivot = d[0] - lambda;
    long double next = n > 1 ? e[0] : 0;
    for (int32_t i = 0; i + 1 < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const long double below = e[k];
        const long double diagonal = d[k + 1] - lambda;
        const long double after = i + 2 < n ? e[k + 1] : 0;
        if (std::fabs(pivot) >= std::fabs(below)) {
            if (pivot == 0)
                pivot = tiny;
            u0[k] = pivot;
            u1[k] = next;
            multiplier[k] = below / pivot;
            pivot = diagonal - multiplier[k] * next;
            next = after;
        } else {
            exchanged[k] = 1;
            u0[k] = below;
            u1[k] = diagonal;
            u2[k] = after;
            multiplier[k] = pivot / below;
            pivot = next - multiplier[k] * diagonal;
            next = -multiplier[k] * after;
        }
    }
    u0[un - 1] = pivot == 0 ? tiny : pivot;
    for (int32_t i = 0; i < n; ++i)
        x[i] = 1 / std::sqrt(static_cast<long double>(n)) * (1 + 0.01L * (i % 7));
    for (int solve = 0; solve < 3; ++solve) {
        for (int32_t i = 0; i + 1 < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (exchanged[k])
                std::swap(x[i], x[i + 1]);
            x[i + 1] -= multiplier[k] * x[i];
        }
        for (int32_t i = n - 1; i >= 0; --i) {
            const auto k = static_cast<std::size_t>(i);
            long double sum = x[i];
            if (i + 1 < n)
                sum -= u1[k] * x[i + 1];
            if (i + 2 < n)
                sum -= u2[k] * x[i + 2];
            x[i] = sum / u0[k];
        }
        for (const long double* other : cluster) {
            long double along = 0;
            for (int32_t i = 0; i < n; ++i)
                along += other[i] * x[i];
            for (int32_t i = 0; i < n; ++i)
                x[i] -= along * other[i];
        }
        long double norm = 0;
        for (int32_t i = 0; i < n; ++i)
            norm += x[i] * x[i];
        norm = std::sqrt(norm);
        for (int32_t i = 0; i < n; ++i)
            x[i] /= norm;
    }
}

// x := Q x = H_0 (H_1 (... H_{n-3} x)) with the reflections that Tridiagonalise left in a.
void ApplyQ(const tSquare& a, const tArray& betas, long double* x)
{
    for (int32_t j = a.n - 3; j >= 0; --j) {
        const long double beta = betas[static_cast<std::size_t>(j)];
        if (beta == 0)
            continue;
        const long double* v = a.Row(j);
        long double along = 0;
        for (int32_t i = j + 1; i < a.n; ++i)
            along += v[i] * x[i];
        along *= beta;
        for (int32_t i = j + 1; i < a.n; ++i)
            x[i] -= along * v[i];
    }
}

} // namespace

tResult<tSymmetricEigen> SymmetricEigen(const trealmatrix& input, int32_t leading)
{
    const int32_t n = input.Rows();
    if (n == 0 || input.Cols() != n || leading < 0)
        return Failure("");
    leading = std::min(leading, n);
    tSquare a { n, tArray(static_cast<std::size_t>(n) * static_cast<std::size_t>(n)) };
    long double size = 0;
    for (int32_t r = 0; r < n; ++r)
        for (int32_t c = r; c < n; ++c) {
            a(r, c) = a(c, r) = input(r + 1, c + 1);
            size = std::max(size, std::fabs(a(r, c)));
        }
    tArray d(static_cast<std::size_t>(n));
    tArray e(static_cast<std::size_t>(n), 0);
    tArray betas(static_cast<std::size_t>(n), 0);
    Tridiagonalise(a, d, e, betas);
    // Every vector: the QL rotations turn Q' into the eigenvectors. Fewer: inverse iteration on
    // the tridiagonal form, its results turned back by Q.
    const bool allVectors = leading == n && n > 1;
    tSquare z { n, {} };
    if (allVectors)
        z = TransposedQ(a, betas);
    const tArray offDiagonal = e;
    if (!DiagonaliseTridiagonal(d, e, allVectors ? &z : nullptr))
        return Failure("die Eigenwerte konvergieren nicht");

    std::vector<int32_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int32_t i, int32_t j) {
        return d[static_cast<std::size_t>(i)] > d[static_cast<std::size_t>(j)];
    });
    tSymmetricEigen result { trealmatrix(1, n), trealmatrix(n, leading) };
    for (int32_t j = 1; j <= n; ++j)
        result.values(1, j) = d[static_cast<std::size_t>(order[static_cast<std::size_t>(j - 1)])];
    if (allVectors || n == 1) {
        for (int32_t j = 1; j <= leading; ++j) {
            const int32_t from = order[static_cast<std::size_t>(j - 1)];
            for (int32_t k = 1; k <= n; ++k)
                result.vectors(k, j) = n == 1 ? 1 : z(from, k - 1);
        }
        return result;
    }
    // The tridiagonal form's diagonal, as the reduction left it, for the inverse iteration.
    tArray diagonal(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        diagonal[static_cast<std::size_t>(i)] = a(i, i);
    tSquare found { n, tArray(static_cast<std::size_t>(n) * static_cast<std::size_t>(leading)) };
    std::vector<const long double*> cluster;
    for (int32_t j = 0; j < leading; ++j) {
        const long double lambda = result.values(1, j + 1);
        if (j == 0 || std::fabs(result.values(1, j) - lambda) > 1e-3L * size)
            cluster.clear();
        long double* x = found.Row(j);
        InverseIteration(diagonal, offDiagonal, lambda, size, cluster, x);
        cluster.push_back(x);
    }
    for (int32_t j = 0; j < leading; ++j) {
        long double* x = found.Row(j);
        ApplyQ(a, betas, x);
        for (int32_t k = 1; k <= n; ++k)
            result.vectors(k, j + 1) = x[k - 1];
    }
    return result;
}

} // namespace zelvora
