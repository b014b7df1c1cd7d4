// Two- and three-component arithmetic on matrix rows: complex numbers stored as column pairs
// (re, im) and values a + b*p + c*q over the complex cube roots p, q of 1 stored as three columns.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// The complex product (PairDivide: quotient) of every pair of M with the matching pair of W. The
// result has M's size and stays all zero unless M and W have an even number of columns, W has 2
// columns (one pair for every pair of M) or as many as M, and W has 1 row (for every row of M) or
// as many as M. A pair (0, 0) of W raises tFloatDivisionByZeroError in PairDivide.
trealmatrix PairMultiply(const trealmatrix& m, const trealmatrix& w);
trealmatrix PairDivide(const trealmatrix& m, const trealmatrix& w);
// Every pair of M scaled by the real x; x = 0 gives the zero matrix of M's size.
trealmatrix PairScale(const trealmatrix& m, long double x);
// Every pair (c, d) becomes its reciprocal (c, -d)/(c^2 + d^2); a pair (0, 0) raises
// tFloatDivisionByZeroError. An odd column count gives the zero matrix of M's size.
trealmatrix PairReciprocal(const trealmatrix& m);
// Every pair (a, b) becomes e^a (cos b, sin b); an overflow raises its run-time error. An odd
// column count gives the zero matrix of M's size.
trealmatrix PairExp(const trealmatrix& m);

// M * T23 with T23 = [[1, 0, 0], [0, sqrt(1/3), -sqrt(1/3)]]: pairs to three components; M
// without 2 columns fails.
tResult<trealmatrix> PairsToTriples(const trealmatrix& m);
// M * T32 with T32 = [[1, 0], [-1/2, sqrt(3/4)], [-1/2, -sqrt(3/4)]]: three components to pairs; M
// without 3 columns fails.
tResult<trealmatrix> TriplesToPairs(const trealmatrix& m);
// M * C and M * C^-1 (GaussJordanInverse) with C the circulant matrix of the first row (b1, b2,
// b3) of B: [[b1, b2, b3], [b3, b1, b2], [b2, b3, b1]]. B with fewer than 3 columns fails, and so
// does M without 3 columns.
tResult<trealmatrix> TripleMultiply(const trealmatrix& m, const trealmatrix& b);
tResult<trealmatrix> TripleDivide(const trealmatrix& m, const trealmatrix& b);

} // namespace zelvora
