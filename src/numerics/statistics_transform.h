// Per-element transformations of the statistics: deviations from the mean, z-values, scaling to
// unit square sum and running sums.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Directions: 1 each row, 2 each column, 3 the whole matrix; another direction fails. Groups as
// GroupCodes. Results have M's shape; an overflow raises its run-time error.

// x minus the mean of its group in its row, column or the whole matrix.
tResult<trealmatrix> Deviations(
    const trealmatrix& m, int32_t direction, const trealmatrix& groups = trealmatrix());

// (x - mean) / s per group, s = sqrt(n * sum x^2 - (sum x)^2) / n (divisor n). A group with s = 0
// stays as it is; a radicand that rounding makes negative counts as 0.
tResult<trealmatrix> ZValues(
    const trealmatrix& m, int32_t direction, const trealmatrix& groups = trealmatrix());

// Each row, column or the whole matrix multiplied by sqrt(1 / sum x^2); an all-zero part stays, a
// part with a missing cell becomes missing.
tResult<trealmatrix> NormaliseSquares(const trealmatrix& m, int32_t direction);

// Running sums: direction 1 along each row, direction 2 down each column; from a missing cell on
// the sums are missing.
tResult<trealmatrix> Cumulate(const trealmatrix& m, int32_t direction);

} // namespace zelvora
