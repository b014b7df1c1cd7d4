// Grouping of the statistics: dense category numbers and the group of each position of a direction.
#pragma once

#include "numerics/matrix_types.h"

namespace zelvora {

// Dense category numbers of the values of v: the smallest value gets 1 and each change of value
// (exact comparison) in ascending order the next number. Slot 0 holds the number of categories.
tIntvector CategoryCodes(const tRealVector& v);

// The group of each of the `count` positions that a direction walks, as CategoryCodes of the
// grouping matrix G: direction 1 uses G's first row (one code per column), direction 2 its first
// column (one per row), direction 3 all of G row by row (one per element, row by row). An absent
// G puts every position into group 1 (slot 0 is 1 even for count 0). A grouping vector shorter
// than count raises tRangeError; a longer one may give groups without positions.
tIntvector GroupCodes(const trealmatrix& groups, int32_t direction, int32_t count);

} // namespace zelvora
