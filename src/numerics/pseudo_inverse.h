// The pseudo-inverse of a rectangular matrix, behind the matrix division operator.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// For A (r x c): r < c gives A'*(A*A')^-1, r = c gives A^-1, r > c gives (A'*A)^-1*A'; the inner
// inverses by GaussJordanInverse, so a rank-deficient Gram matrix raises nothing and yields a
// meaningless result. An absent matrix fails.
tResult<trealmatrix> PseudoInverse(const trealmatrix& a);

} // namespace zelvora
