// Eigen systems by two-sided plane rotations.
#include "numerics/eigen_system.h"

#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/plane_rotations.h"
#include "numerics/rank_inverse.h"
#include "numerics/scalar_math.h"
#include "numerics/sweep_rotations.h"

#include <cmath>
#include <optional>

namespace zelvora {
namespace {
constexpr long double eigenGapEps = 1e-16L;
constexpr int32_t quietSweepsToStop = 6;
// An element below this share of the Frobenius norm of W, or an angle below this, is rounding.
constexpr long double negligibleShare = 0x1p-60L;
constexpr long double negligibleAngle = 0x1p-60L;

long double FrobeniusNorm(const trealmatrix& m)
{
    long double sum = 0;
    for (int32_t r = 1; r <= m.Rows(); ++r)
        for (int32_t c = 1; c <= m.Cols(); ++c)
            sum += m(r, c) * m(r, c);
    return std::sqrt(sum);
}

// The angle that clears the lower-left element of the block [[A, B], [G, D]] when its
// eigenvalues are real; for a symmetric block the Jacobi angle, tan 2theta = 2B/(A - D).
long double BlockAngle(long double a, long double b, long double g, long double d)
{
    const long double delta = a - d;
    const long double sigma = b + g;
    // G - B: with B - G the same formulas clear the upper-right element instead, which leaves
    // a lower triangular matrix that the back substitution cannot use.
    const long double tau = g - b;
    long double q2 = sigma * sigma + delta * delta - tau * tau;
    if (q2 < 0)
        q2 = 0;
    const long double rho = std::sqrt(q2);
    const long double x = delta * rho - sigma * tau;
    const long double y = -(delta * tau + sigma * rho);
    const long double gNorm = std::sqrt(x * x + y * y);
    if (gNorm < rotationEps)
        return 0;
    return -std::atan2(y, x) / 2;
}

bool IsSquare(const trealmatrix& m)
{
    return !m.IsAbsent() && m.Rows() == m.Cols();
}

// The product of the identity with m (either side) as the matrix product gives it, without the
// n^3 work: every sum starts from +0, so a zero of either sign comes out as +0 and every other
// finite value as it is. Nothing when m holds a value that is not finite (0 times it is NaN).
std::optional<trealmatrix> IdentityProduct(const trealmatrix& m)
{
    trealmatrix product = CopyMatrix(m);
    for (int32_t r = 1; r <= product.Rows(); ++r) {
        long double* row = product.Row(r);
        for (int32_t c = 1; c <= product.Cols(); ++c) {
            if (!std::isfinite(row[c]))
                return std::nullopt;
            row[c] += 0.0L;
        }
    }
    return product;
}

trealmatrix FirstColumn(const trealmatrix& m)
{
    trealmatrix column(m.Rows(), m.Cols() > 0 ? 1 : 0);
    for (int32_t r = 1; r <= m.Rows() && m.Cols() > 0; ++r)
        column(r, 1) = m(r, 1);
    return column;
}

} // namespace

tRotationResult SimilaritySweeps(const trealmatrix& m, const tIntvector& rows,
    const tIntvector& cols, const tCheckpoint* checkpoint)
{
    const int32_t count = cols.Count();
    if (rows.Count() != count)
        return { CopyMatrix(m), IdentityMatrix(count), 0 };
    if (!IsSquare(m))
        throw tRangeError();
    const int32_t n = m.Rows();
    if (n == 0)
        return { CopyMatrix(m), trealmatrix(0, 0), 0 };
    for (int32_t i = 1; i <= count; ++i) {
        if (rows[i] < 1 || rows[i] > n || cols[i] < 1 || cols[i] > n)
            throw tRangeError();
    }
    // S starts as the identity: the first sweep's S'*M*S and S*T' are M and T' themselves.
    trealmatrix s = IdentityMatrix(n);
    trealmatrix w;
    int32_t quietSweeps = 0;
    int32_t sweeps = 0;
    while (sweeps < maxRotationSweeps) {
        ++sweeps;
        std::optional<trealmatrix> unchanged = sweeps == 1 ? IdentityProduct(m) : std::nullopt;
        w = unchanged ? std::move(*unchanged) : MatMul(Transpose(s), MatMul(m, s).Value()).Value();
        const long double negligible = negligibleShare * FrobeniusNorm(w);
        tSweepTurns turns(w, rows, cols, NumericsContext().workers);
        tSweepTransform transform(n, NumericsContext().workers);
        long double maxTheta = 0;
        bool onlyRounding = true;
        for (int32_t p = 1; p < count; ++p) {
            ReachCheckpoint(checkpoint);
            turns.Begin(p);
            transform.Begin(cols[p]);
            for (int32_t q = p + 1; q <= count; ++q) {
                const int32_t a = cols[p];
                const int32_t b = cols[q];
                const int32_t i = rows[p];
                const int32_t j = rows[q];
                turns.Prepare(q);
                const long double theta = BlockAngle(w(i, a), w(i, b), w(j, a), w(j, b));
                if (!(std::fabs(w(j, a)) <= negligible || std::fabs(theta) <= negligibleAngle))
                    onlyRounding = false;
                const long double c = std::cos(theta);
                const long double sn = std::sin(theta);
                turns.Turn(q, c, sn);
                transform.Add(b, c, sn);
                if (std::fabs(theta) > maxTheta)
                    maxTheta = std::fabs(theta);
            }
            turns.Finish();
            transform.Apply();
        }
        const trealmatrix rotatedT = transform.Transform();
        std::optional<trealmatrix> product = sweeps == 1 ? IdentityProduct(rotatedT) : std::nullopt;
        trealmatrix next = product ? std::move(*product) : MatMul(s, rotatedT).Value();
        // Each sweep depends on M and S alone: an S that no bit of this sweep changed makes every
        // later sweep repeat this one, so stopping here gives the same M and S as running on.
        const bool settled = SameBits(next, s);
        s = std::move(next);
        quietSweeps = maxTheta < rotationEps ? quietSweeps + 1 : 0;
        // Once every element a sweep clears is rounding noise (or its angle is), further sweeps
        // only stir that noise and never settle: stop rather than run all 500.
        if (settled || onlyRounding || quietSweeps >= quietSweepsToStop)
            break;
    }
    return { std::move(w), std::move(s), sweeps };
}

tResult<trealmatrix> TriangularEigenvectors(const trealmatrix& d)
{
    if (!IsSquare(d))
        return Failure(1, "");
    const int32_t n = d.Rows();
    if (n == 0)
        return trealmatrix(0, 0);
    trealmatrix e = IdentityMatrix(n);
    for (int32_t a = n; a >= 2; --a) {
        long double* ea = e.Row(a);
        for (int32_t i = a - 1; i >= 1; --i) {
            const long double delta = d(a, a) - d(i, i);
            if (std::fabs(delta) < eigenGapEps)
                continue;
            const long double* di = d.Row(i);
            long double sum = 0;
            for (int32_t j = i + 1; j <= a; ++j)
                sum += ea[j] * di[j];
            ea[i] = sum / delta;
        }
    }
    return e;
}

tResult<trealmatrixarr> EigenSystem(const trealmatrix& m, const tCheckpoint* checkpoint)
{
    if (!IsSquare(m))
        return Failure(1, "");
    trealmatrixarr result(3);
    const int32_t n = m.Rows();
    const tIntvector all = AllIndexes(n);
    tRotationResult similarity = SimilaritySweeps(m, all, all, checkpoint);
    trealmatrix d = std::move(similarity.rotated);
    trealmatrix t = std::move(similarity.transform);
    const trealmatrix e = TriangularEigenvectors(d).Value();
    // Row a of E is the eigenvector of D for D[a][a] and M = T*D*T', so the eigenvectors of M are
    // the columns of T*E'.
    trealmatrix x = MatMul(t, Transpose(e), 1).Value();
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = i + 1; j <= n; ++j) {
            if (std::fabs(d(i, j)) < rotationEps) {
                d(i, j) = 0;
                d(j, i) = 0;
            }
        }
    }
    result[0] = std::move(x);
    result[1] = std::move(d);
    result[2] = std::move(t);
    return result;
}

tResult<trealmatrix> EigenRotated(const trealmatrix& m, const tCheckpoint* checkpoint)
{
    if (!IsSquare(m))
        return Failure(1, "");
    const int32_t n = m.Rows();
    const tIntvector all = AllIndexes(n);
    trealmatrix r = SimilaritySweeps(m, all, all, checkpoint).rotated;
    for (int32_t i = 2; i <= n; ++i) {
        for (int32_t j = 1; j < i; ++j) {
            if (std::fabs(r(j, i)) < eigenGapEps) {
                r(i, j) = 0;
                r(j, i) = 0;
            }
        }
    }
    return r;
}

tResult<trealmatrix> EigenvectorsForValues(const trealmatrix& m, const trealmatrix& q)
{
    if (!IsSquare(m) || m.Rows() == 0 || q.IsAbsent())
        return Failure(1, "");
    const int32_t n = m.Rows();
    trealmatrix lambda;
    if (IsSquare(q))
        lambda = DiagonalVector(q, 0);
    else if (n == 1)
        lambda = Transpose(q);
    else
        lambda = FirstColumn(q);
    if (lambda.Rows() != n || lambda.Cols() < 1)
        return Failure(1, "");

    trealmatrix v(n, n);
    {
        tMathErrorWatch watch;
        for (int32_t i = 1; i <= n; ++i) {
            v(i, 1) = 1;
            for (int32_t k = 2; k <= n; ++k)
                v(i, k) = v(i, k - 1) * lambda(i, 1);
        }
        watch.RaiseIfFaulted();
    }
    v = RankInverse(v).Value(); // v is square

    // Column i of K_i * V with column k of K_i = M^(k-1) e_i, that is column i of the power
    // M^(k-1): summed over k in order, as the product would, one power at a time.
    trealmatrix result(n, n);
    trealmatrix power = IdentityMatrix(n);
    for (int32_t k = 1; k <= n; ++k) {
        if (k > 1)
            power = MatMul(m, power, 1).Value();
        const long double* vk = v.Row(k);
        for (int32_t r = 1; r <= n; ++r) {
            const long double* pr = power.Row(r);
            long double* out = result.Row(r);
            for (int32_t i = 1; i <= n; ++i) {
                const long double next = out[i] + SafeMul(pr[i], vk[i], 0);
                if (std::isinf(next) && std::isfinite(out[i]))
                    throw tFloatOverflowError();
                out[i] = next;
            }
        }
    }
    return result;
}

void CopyColumn(trealmatrix& dest, int32_t k, const trealmatrix& src, int32_t j)
{
    if (dest.IsAbsent() || src.IsAbsent() || dest.Rows() != src.Rows())
        return;
    if (k < 1 || k > dest.Cols() || j < 1 || j > src.Cols())
        return;
    for (int32_t r = 1; r <= dest.Rows(); ++r)
        dest(r, k) = src(r, j);
}

} // namespace zelvora
