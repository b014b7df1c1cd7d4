// Plane rotations of columns and rows, the pairwise rotation driver with its principal-axis
// criterion, and the column triangularization, with the transformation they accumulate.
#pragma once

#include "numerics/checkpoint.h"
#include "numerics/matrix_types.h"

#include <functional>
#include <span>

namespace zelvora {

// Below this magnitude a pair is not rotated and a back-elimination pivot is not used.
inline constexpr long double rotationEps = 1e-128L;
// Upper bound of the sweeps of the rotation drivers.
inline constexpr int32_t maxRotationSweeps = 500;

// What a rotation run gives back: the rotated matrix, the transformation it accumulated
// (`RotationTransform`: rotated = input * transform for the column rotations) and the number of
// sweeps it ran (1 for the one-pass routines).
struct tRotationResult {
    trealmatrix rotated;
    trealmatrix transform;
    int32_t sweeps = 0;
};

// When the pairwise driver ends a converged run. Criteria whose angle comes from HalfAngle never
// give sines between 0 and about 2e-10 (HalfAngleFloor: a sweep whose sines all lie at that floor
// ends the run); criteria that compute the sine directly reach rounding noise instead (Settled: a
// sweep that changes no bit of the transformation, or whose every rotation the criterion marks as
// rounding noise, ends the run). Both stop where further sweeps would change nothing that matters.
enum class tSweepStop { HalfAngleFloor = 1, Settled = 2 };

// A plane rotation by cosine c and sine s, or none. roundingOnly: the criterion's own test found
// the angle to be rounding noise of its sums (read by the Settled stop).
struct tRotation {
    bool rotate = false;
    long double c = 1;
    long double s = 0;
    bool roundingOnly = false;
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
// the others), the positions p < q in the column list and their columns a, b, and whether the
// criterion runs reversed (`CriterionReversed`: the criteria that honour it negate their sums).
struct tCriterionInput {
    const trealmatrix& columns;
    std::span<const int32_t> rows;
    int32_t p;
    int32_t q;
    int32_t a;
    int32_t b;
    bool reversed = false;
};
using tRotationCriterion = std::function<tRotation(const tCriterionInput&)>;

// The rotation that makes columns a, b orthogonal over the selected rows with the larger sum of
// squares in a (in b when reversed): half the angle of S = sum z^2, z = M[r][a] +
// i*M[r][b] (z = -M[r][b] + i*M[r][a] for a negative entry -r), by HalfAngle.
tRotation PrincipalAxisCriterion(const tCriterionInput& input);

// Cyclic sweeps over the pairs p < q of the column list (1-based lists), at most 500: each rotation
// the criterion gives turns whole columns of M and of the transformation (starting as the identity
// of size cols(M)). Stops after a sweep without rotations, or as `stop` says. List entries outside
// the matrix raise tRangeError (negative row entries are allowed; criteria that cannot use them
// skip them or raise it themselves). The checkpoint is reached before each row of pairs.
tRotationResult RotationSweeps(const trealmatrix& m, const tIntvector& rows, const tIntvector& cols,
    const tRotationCriterion& criterion, bool reversed = false,
    tSweepStop stop = tSweepStop::HalfAngleFloor, const tCheckpoint* checkpoint = nullptr);

// Lower triangular form by Givens rotations of columns: row rho (start+1, start+2, ... wrapping
// past rows(M)) has its columns i+1..cols zeroed into column i, then column i is negated if its
// diagonal element is negative (not in the transformation, which otherwise gives M_new = M_old *
// T).
tRotationResult ColumnTriangularize(const trealmatrix& m, int32_t start);

// 1, 2, ..., n.
tIntvector AllIndexes(int32_t n);

// Same shape and bit for bit equal elements (a zero's sign included); NaN never equals.
bool SameBits(const trealmatrix& a, const trealmatrix& b);

} // namespace zelvora
