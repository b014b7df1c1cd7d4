// The magnitude of the determinant and the trace.
#pragma once

#include "numerics/matrix_types.h"

namespace zelvora {

// Det: |det A| as the product of the diagonal magnitudes after ColumnTriangularize(A, n) (for
// n >= 2); the sign is not tracked. A non-square A gives 0, the empty 0 x 0 matrix 1.
long double Determinant(const trealmatrix& a);

// Spur: the sum of A[i][i] for i = 1..min(rows, cols); 0 for an empty diagonal.
long double Trace(const trealmatrix& a);

} // namespace zelvora
