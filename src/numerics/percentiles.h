// Percentile classes and normal scores of rows, columns or whole matrices.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <string_view>

namespace zelvora {

// M's shape, every element replaced by its class 1..K within its row and group of columns
// (direction 1), its column and group of rows (direction 2) or all elements (direction 3, groups
// over all elements row by row). Groups as GroupCodes. A value x occurring n_x times in a group of
// N elements, F(x) of them <= x, gets trunc((F(x) - n_x / 2) * K / N) + 1, so equal values share a
// class. Missing cells (MissingNumber) stay missing and are not counted in N. Another direction
// fails.
tResult<trealmatrix> PercentileClasses(const trealmatrix& m, int32_t classes, int32_t direction,
    const trealmatrix& groups = trealmatrix());

// The normal score of a share x in [0, 1]: bisection in the normal distribution tabulated on the
// 0.005 grid of [-2.5, 2.5] (1001 nodes, normalised to end at 1); the result is a grid point.
long double NormalQuantile(long double share);

// With a type text starting with Z or z, every value v of a row (directions 1 and 3) or column
// (direction 2) becomes NormalQuantile(C(v) / N), C(v) the number of values <= v and N the number
// of values; values equal to MissingCode and missing cells stay and are not counted. Any other type
// text returns M unchanged; another direction fails.
tResult<trealmatrix> NormalScores(const trealmatrix& m, std::string_view type, int32_t direction);

} // namespace zelvora
