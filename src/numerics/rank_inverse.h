// The rank-truncated inverse: the matrix rotated to diagonal form from both sides.
#pragma once

#include "numerics/checkpoint.h"
#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Inv: principal-axis sweeps orthogonalize the columns (A*T1), then the rows (D = T2t*A*T1,
// diagonal up to rounding, decreasing in magnitude); the leading k x k block of D, k the last
// diagonal element above 1e-12 in magnitude, is replaced by its GaussJordanInverse and the result
// is T1*D*T2t. A regular A gives A^-1, a singular one the inverse restricted to rank k; a
// non-square A fails.
// The checkpoint is reached inside the sweeps and the inner inverse.
tResult<trealmatrix> RankInverse(const trealmatrix& a, const tCheckpoint* checkpoint = nullptr);

} // namespace zelvora
