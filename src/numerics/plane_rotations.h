// Plane rotations of columns and rows, the pairwise rotation driver with its principal-axis
// criterion, and the column triangularization, with the transformation they accumulate.
#pragma once

#include "numerics/matrix_types.h"

#include <functional>
#include <span>

namespace zelvora {

// Below this magnitude a pair is not rotated and a back-elimination pivot is not used.
inline constexpr long double rotationEps = 1e-128L;
// Upper bound of the sweeps of the rotation drivers.
inline constexpr int32_t maxRotationSweeps = 500;

// The transformation accumulated by the last run of RotationSweeps, ColumnTriangularize or
// SimilaritySweeps (M_new = M_old * RotationTransform for the first two). Kept until the next run.
trealmatrix& RotationTransform();
// When true, the criteria that honour it negate their accumulated sums before taking the angle
// (the principal-axis criterion then puts the larger sum of squares into the second column).
bool& CriterionReversed();

// A plane rotation by cosine c and sine s, or none.
struct tRotation {
    bool rotate = false;
    long double c = 1;
    long double s = 0;
};

// For every row i: x = M[i][j], y = M[i][k]; M[i][j] := c*x + s*y; M[i][k] := c*y - s*x.
void RotateColumns(trealmatrix& m, int32_t j, int32_t k, long double c, long double s);
// For every column t: x = M[j][t], y = M[k][t]; M[j][t] := c*x + s*y; M[k][t] := c*y - s*x.
void RotateRows(trealmatrix& m, int32_t j, int32_t k, long double c, long double s);
// The same on two contiguous lines of n elements (slots 1..n).
void RotateLines(long double* x, long double* y, int32_t n, long double c, long double s);

// (c, s) = (M[i][j], M[i][k]) / r with r = sqrt(M[i][j]^2 + M[i][k]^2); no rotation when
// r < 1e-128. Rotating columns j, k by it leaves M[i][k] = 0 and M[i][j] = r.
tRotation GivensZero(const trealmatrix& m, int32_t i, int32_t j, int32_t k);

// The half angle of a + ib: sqrt(r) * (cos phi/2, sin phi/2). Parts below 1e-128 count as 0; when
// r < 1e-128, (a, b) unchanged. Computed as sqrt(|(r +- a)/2|), so an angle too small to change r
// gives exactly (sqrt(r), 0): this is what lets the rotation driver stop.
std::pair<long double, long double> HalfAngle(long double a, long double b);

// What a rotation criterion sees: the matrix being rotated stored column by column (columns(j, i)
// is M[i][j], so a column is contiguous), the row list (a negative entry -r counts row r against
// the others), the positions p < q in the column list and their columns a, b.
struct tCriterionInput {
    const trealmatrix& columns;
    std::span<const int32_t> rows;
    int32_t p;
    int32_t q;
    int32_t a;
    int32_t b;
};
using tRotationCriterion = std::function<tRotation(const tCriterionInput&)>;

// The rotation that makes columns a, b orthogonal over the selected rows with the larger sum of
// squares in a (in b when CriterionReversed()): half the angle of S = sum z^2, z = M[r][a] +
// i*M[r][b] (z = -M[r][b] + i*M[r][a] for a negative entry -r), by HalfAngle.
tRotation PrincipalAxisCriterion(const tCriterionInput& input);

// Cyclic sweeps over the pairs p < q of the column list (1-based lists), at most 500: each rotation
// the criterion gives turns whole columns of M and of RotationTransform (reset to the identity of
// size cols(M)). Stops after a sweep without rotations or whose sines all stay within 2^-31, the
// resolution of HalfAngle. List entries outside the matrix raise tRangeError.
void RotationSweeps(trealmatrix& m, const tIntvector& rows, const tIntvector& cols,
    const tRotationCriterion& criterion);

// Lower triangular form by Givens rotations of columns: row rho (start+1, start+2, ... wrapping
// past rows(M)) has its columns i+1..cols zeroed into column i, then column i is negated if its
// diagonal element is negative (not in RotationTransform, which otherwise gives M_new = M_old * T).
void ColumnTriangularize(trealmatrix& m, int32_t start);

} // namespace zelvora
