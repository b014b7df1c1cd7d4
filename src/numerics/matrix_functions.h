// Functions of a square matrix as a whole: power series, logarithm, arc tangent, Heron's square
// root and the inverse functions built on them; and the element-by-element angle of two matrices.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

enum class tMatrixSeries {
    Exp = 1,
    Sin = 2,
    Cos = 3,
    Tan = 4, // sin(M) * cos(M)^-1
    Sinh = 5,
    Cosh = 6,
    Tanh = 7, // sinh(M) * cosh(M)^-1
};

// Every routine below takes a square matrix and returns one of the same size; a matrix that is not
// square (or absent) fails, a 0 x 0 matrix gives itself.
//
// Power series summed two terms per round (term := term*M/k), the even part before the odd one,
// alternating for sin, cos and tan. The sum stops when the index k of the next term exceeds 200
// or the sum of squares of the current term falls below 1e-16, so results carry errors around
// 1e-9 and large norms give inaccurate results instead of errors. Quotients by SolveRight.
tResult<trealmatrix> MatrixSeries(tMatrixSeries kind, const trealmatrix& m);

// ln M = 2*artanh(Y) with Y = (M - I)*(M + I)^-1, the series in odd powers of Y with the stop
// rule of MatrixSeries (on the power term). Converges when the eigenvalues of M lie in the right
// half plane; a singular M + I gives a meaningless result, no error.
tResult<trealmatrix> MatrixLog(const trealmatrix& m);

// arctan(P*Q^-1) = (pi/4)*I + arctan((P - Q)*(P + Q)^-1), the alternating odd series with the
// stop rule of MatrixLog. P and Q must have the same square shape.
tResult<trealmatrix> MatrixArcTan(const trealmatrix& p, const trealmatrix& q);
// MatrixArcTan(M, sqrt(I - M^2)) and MatrixArcTan(sqrt(I - M^2), M).
tResult<trealmatrix> MatrixArcSin(const trealmatrix& m);
tResult<trealmatrix> MatrixArcCos(const trealmatrix& m);

// (1/2)*ln((I + M)*(I - M)^-1), the inverse by GaussJordanInverse.
tResult<trealmatrix> MatrixArcTanh(const trealmatrix& m);

// ln(M + sqrt(M^2 + I)) and ln(M + sqrt(M^2 - I)) with MatrixSqrt and MatrixLog.
tResult<trealmatrix> MatrixArcSinh(const trealmatrix& m);
tResult<trealmatrix> MatrixArcCosh(const trealmatrix& m);

// Heron's iteration X := (A*X^-1 + X)/2 from X = I, at most 100 steps, stopping once the sum of
// squares of A - X*X is below 1e-16. Missing convergence is not reported.
tResult<trealmatrix> MatrixSqrt(const trealmatrix& a);

// Per element the angle of the point (c, s): 0 when |c| and |s| are both below 1e-64; pi/2 for
// s >= 0 and 3*pi/2 for s < 0 when only |c| is below 1e-64; otherwise atan2(s, c) in (-pi, pi].
// C and S of different shapes fail.
tResult<trealmatrix> AngleOfPair(const trealmatrix& c, const trealmatrix& s);

} // namespace zelvora
