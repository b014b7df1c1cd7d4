// Plane rotations, the pairwise rotation driver and the column triangularization.
//
// The drivers turn whole columns. The matrix is row-major, so they work on its transpose, where a
// column is one contiguous line, and transpose back at the end; every element still sees exactly
// the operations of the column-by-column formulation, so the results are bit-identical to it.
#include "numerics/plane_rotations.h"

#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_structure.h"

#include <cmath>

namespace zelvora {
namespace {

tRotation GivensOf(long double x, long double y)
{
    const long double r = std::sqrt(x * x + y * y);
    if (r < rotationEps)
        return {};
    return { true, x / r, y / r };
}

// Raises tRangeError unless every entry of the list is a valid index 1..limit (or, with
// signed, -limit..-1 as well).
// Twice the smallest sine HalfAngle gives short of 0 (one unit in the last place of r - a).
constexpr long double halfAngleFloor = 0x1p-31L;

void CheckList(const tIntvector& list, int32_t limit, bool allowNegative)
{
    for (int32_t v : list.Elements()) {
        const int32_t index = allowNegative && v < 0 ? -v : v;
        if (index < 1 || index > limit)
            throw tRangeError();
    }
}

} // namespace

bool SameBits(const trealmatrix& a, const trealmatrix& b)
{
    if (a.Dims() != b.Dims())
        return false;
    for (int32_t r = 1; r <= a.Rows(); ++r) {
        const long double* x = a.Row(r);
        const long double* y = b.Row(r);
        for (int32_t c = 1; c <= a.Cols(); ++c) {
            if (!(x[c] == y[c]) || std::signbit(x[c]) != std::signbit(y[c]))
                return false;
        }
    }
    return true;
}

tIntvector AllIndexes(int32_t n)
{
    tIntvector list(n);
    for (int32_t i = 1; i <= n; ++i)
        list[i] = i;
    return list;
}

void RotateLines(long double* x, long double* y, int32_t n, long double c, long double s)
{
    for (int32_t i = 1; i <= n; ++i) {
        const long double xi = x[i];
        const long double yi = y[i];
        x[i] = c * xi + s * yi;
        y[i] = c * yi - s * xi;
    }
}

void RotateColumns(trealmatrix& m, int32_t j, int32_t k, long double c, long double s)
{
    if (!m.Contains(1, j) || !m.Contains(1, k))
        throw tRangeError();
    for (int32_t i = 1; i <= m.Rows(); ++i) {
        long double* row = m.Row(i);
        const long double x = row[j];
        const long double y = row[k];
        row[j] = c * x + s * y;
        row[k] = c * y - s * x;
    }
}

void RotateRows(trealmatrix& m, int32_t j, int32_t k, long double c, long double s)
{
    if (!m.Contains(j, 1) || !m.Contains(k, 1))
        throw tRangeError();
    RotateLines(m.Row(j), m.Row(k), m.Cols(), c, s);
}

tRotation GivensZero(const trealmatrix& m, int32_t i, int32_t j, int32_t k)
{
    return GivensOf(m.At(i, j), m.At(i, k));
}

std::pair<long double, long double> HalfAngle(long double a, long double b)
{
    if (std::fabs(a) < rotationEps)
        a = 0;
    if (std::fabs(b) < rotationEps)
        b = 0;
    const long double r = std::sqrt(a * a + b * b);
    if (r < rotationEps)
        return { a, b };
    const long double u = std::sqrt(std::fabs((r + a) / 2));
    long double v = std::sqrt(std::fabs((r - a) / 2));
    if (b < 0)
        v = -v;
    return { u, v };
}

tRotation PrincipalAxisCriterion(const tCriterionInput& input)
{
    const long double* colA = input.columns.Row(input.a);
    const long double* colB = input.columns.Row(input.b);
    long double re = 0;
    long double im = 0;
    for (int32_t r : input.rows) {
        long double x;
        long double y;
        if (r > 0) {
            x = colA[r];
            y = colB[r];
        } else {
            x = -colB[-r];
            y = colA[-r];
        }
        re += x * x - y * y;
        im += 2 * x * y;
    }
    if (input.reversed) {
        re = -re;
        im = -im;
    }
    const auto [u, v] = HalfAngle(re, im);
    const long double rho = std::sqrt(u * u + v * v);
    if (rho < rotationEps)
        return {};
    return { true, u / rho, v / rho };
}

tRotationResult RotationSweeps(const trealmatrix& m, const tIntvector& rows, const tIntvector& cols,
    const tRotationCriterion& criterion, bool reversed, tSweepStop stop,
    const tCheckpoint* checkpoint)
{
    CheckList(rows, m.Rows(), true);
    CheckList(cols, m.Cols(), false);
    const int32_t n = cols.Count();
    // Column j of M is row j of `lines`; row j of `transformT` is column j of the transform.
    trealmatrix lines = Transpose(m);
    trealmatrix transformT = IdentityMatrix(m.Cols());
    // A caller without a check point of its own stops at the running session's.
    if (!checkpoint)
        checkpoint = NumericsContext().checkpoint;
    int32_t sweeps = 0;
    while (sweeps < maxRotationSweeps) {
        ++sweeps;
        const trealmatrix before = stop == tSweepStop::Settled ? transformT : trealmatrix();
        long double maxS = 0;
        bool rotated = false;
        bool onlyRounding = true;
        bool notFinite = false;
        for (int32_t p = 1; p < n; ++p) {
            ReachCheckpoint(checkpoint);
            for (int32_t q = p + 1; q <= n; ++q) {
                const int32_t a = cols[p];
                const int32_t b = cols[q];
                const tRotation rotation
                    = criterion(tCriterionInput { lines, rows.Elements(), p, q, a, b, reversed });
                if (!rotation.rotate)
                    continue;
                RotateLines(lines.Row(a), lines.Row(b), m.Rows(), rotation.c, rotation.s);
                RotateLines(transformT.Row(a), transformT.Row(b), m.Cols(), rotation.c, rotation.s);
                maxS = std::max(maxS, std::fabs(rotation.s));
                rotated = true;
                onlyRounding = onlyRounding && rotation.roundingOnly;
                notFinite = notFinite || !std::isfinite(rotation.s);
            }
        }
        // A non-finite angle spreads NaN over the columns it touches; no later sweep can undo it.
        if (!rotated || notFinite)
            break;
        if (stop == tSweepStop::HalfAngleFloor) {
            // HalfAngle resolves no angle below about 2e-10: from there on a sweep only toggles
            // the columns around their orthogonal position, sweep after sweep, and never reaches
            // the angle 0. A sweep whose rotations all lie at that floor ends the run.
            if (maxS <= halfAngleFloor)
                break;
        } else if (onlyRounding || SameBits(before, transformT)) {
            // Each sweep depends on M and the transformation alone: one that changed no bit makes
            // every later sweep repeat it. Angles that are rounding noise only stir that noise.
            break;
        }
    }
    return { Transpose(lines), Transpose(transformT), sweeps };
}

tRotationResult ColumnTriangularize(const trealmatrix& m, int32_t start)
{
    const int32_t rows = m.Rows();
    const int32_t cols = m.Cols();
    trealmatrix lines = Transpose(m);
    trealmatrix transformT = IdentityMatrix(cols);
    // The rows are taken from start+1 on, wrapping past the last; any start is reduced to 0..rows-1
    // so that the row stays inside the matrix.
    int32_t rho = rows > 0 ? ((start % rows) + rows) % rows : 0;
    for (int32_t i = 1; i <= std::min(rows, cols); ++i) {
        rho = rho + 1 > rows ? rho + 1 - rows : rho + 1;
        long double* colI = lines.Row(i);
        for (int32_t j = cols; j >= i + 1; --j) {
            long double* colJ = lines.Row(j);
            const tRotation rotation = GivensOf(colI[rho], colJ[rho]);
            if (!rotation.rotate)
                continue;
            RotateLines(colI, colJ, rows, rotation.c, rotation.s);
            RotateLines(transformT.Row(i), transformT.Row(j), cols, rotation.c, rotation.s);
        }
        if (colI[rho] < 0) {
            for (int32_t r = 1; r <= rows; ++r)
                colI[r] = -colI[r];
        }
    }
    return { Transpose(lines), Transpose(transformT), 1 };
}

} // namespace zelvora
