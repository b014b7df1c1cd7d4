// Curve fitting: the linear regression with sequential variance shares and the S-shaped
// (hyperbolic tangent) curve found by a shrinking grid search, optionally per percentile class.
#pragma once

#include "numerics/random_matrices.h"
#include "numerics/result.h"

#include <string_view>

namespace zelvora {

// The fit of the S curve y = b + (a - b) (1 + tanh(h (x - o))) / 2 with given asymptotes a, b.
struct tSCurveFit {
    long double slope = 0; // h
    long double location = 0; // o
    long double rSquared = 0; // (V - E) / V, V the variance of y, E the mean squared error
};

// Ten rounds over a 10 x 10 grid of (h, o), from h = 0 step 0.1 and o = 0 step 2; after each round
// but the last the grid restarts two points before the best one with halved steps. Ties keep the
// earlier point. y without variance raises tFloatDivisionByZeroError.
tSCurveFit SCurveGridFit(const tRealVector& x, const tRealVector& y, long double a, long double b);

// The S curve at x.
long double SCurveValue(long double x, long double a, long double b, long double h, long double o);

// Curvefit. Type 1 (Lin): M's last row regressed on the rows before it (rows are variables,
// columns cases), through the Cholesky factor L of their covariance: returns R (3 x n: weights,
// sequential variance shares L(n,k)^2 / v, their running sums) and F (2 x N: fitted values and
// residuals).
// Type 4 (OS): x = row 1, y = row 2 of M; row 1 of P holds the lower and upper asymptote (default
// min(y) - margin, max(y) + margin; 2147483647 counts as not given), the margin (0.01) and the
// number of classes K (1). The options words RANK, PRED, BETA choose the outputs in their order
// (RANK alone without any): RANK the class of every case, PRED the fitted curve per class (1 x N
// or K x N, class i's curve evaluated at every case), BETA per class (i, h, o, 100 R^2, b, a), b
// and a reported as min(y) and max(y) when not given. With K >= 2 the cases are put into
// percentile classes of y plus a random offset within the margin, grouped by row 1 of E; a class
// without cases gets a zero BETA row and PRED row.
// A dependent variable (or a class's y) without variance, a single case included, and K >= 2
// without E fail saying so; other types give an empty list.
tResult<trealmatrixarr> FitCurve(int32_t type, std::string_view options, const trealmatrix& m,
    const trealmatrix& p, const trealmatrix& e, tRandomGenerator& generator);

} // namespace zelvora
