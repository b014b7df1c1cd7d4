// Generated matrices: filled, triangular and Hilbert matrices and the special integer matrices.
#pragma once

#include "numerics/matrix_types.h"

#include <string>
#include <string_view>

namespace zelvora {

// rows x cols, every element the value (negative sizes count as 0).
trealmatrix MakeFilled(int32_t rows, int32_t cols, long double value);
tStringmatrix MakeFilled(int32_t rows, int32_t cols, const std::string& value);

// n x n with the value on and below the diagonal, 0 (empty) above it.
trealmatrix MakeTriangle(int32_t n, long double value);
tStringmatrix MakeTriangle(int32_t n, const std::string& value);

// rows x cols with element (i, j) = 1 / (i + j - 1); the second form takes the shape of m.
trealmatrix MakeHilbert(int32_t rows, int32_t cols);
trealmatrix MakeHilbert(const trealmatrix& m);

// The n x n lower-triangular matrix named by the keyword (case-insensitive, one of
// "binomial;pascal;gp;gm;st1;st2"): binomial and pascal C(i-1, j-1); gm the power-sum
// coefficients (inverse of C(i, j-1), exact zeros restored, subdiagonal -1/2), gp the same with
// +1/2; st1 signed Stirling numbers of the first kind, st2 those of the second kind. An unknown
// keyword gives an absent matrix; n <= 0 a 0 x 0 one. An overflow raises its run-time error.
trealmatrix MakeTypeMatrix(std::string_view keyword, int32_t n = 6);

} // namespace zelvora
