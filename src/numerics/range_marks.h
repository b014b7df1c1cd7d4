// Values inside ranges: marks, their positions, and the replacement of such values by means.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// True when lower <= x <= upper for at least one range of the list, compared in double precision.
bool InAnyRange(long double x, const trealrangelist& ranges);

// M's shape: 1 where the element lies in a range, else 0.
trealmatrix InRangeMarks(const trealmatrix& m, const trealrangelist& ranges);

// Positions of the values in range. Direction 2: one column per column of M listing, top to
// bottom, the row numbers of its values in range; direction 1: one row per row of M listing the
// column numbers. Shorter lists are padded with 0; the length is the longest list (0 when nothing
// is in range). Another direction fails.
tResult<trealmatrix> InRangeIndices(
    const trealmatrix& m, const trealrangelist& ranges, int32_t direction);

// Every missing element (MissingNumber, or a value that lies in a range) replaced by the mean of
// the elements that are not missing in its row and group of columns (direction 1), its column and
// group of rows (direction 2), or of all elements (direction 3, without groups). When its group
// has none, a value in a range becomes 0 and a MissingNumber stays. Present values are never
// changed. Groups as GroupCodes. Another direction fails.
tResult<trealmatrix> MissingToMean(const trealmatrix& m, const trealrangelist& ranges,
    int32_t direction, const trealmatrix& groups = trealmatrix());

} // namespace zelvora
