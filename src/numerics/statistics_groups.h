// Grouping of the statistics: dense category numbers and the group of each position of a direction.
#pragma once

#include "numerics/matrix_structure.h"
#include "numerics/matrix_types.h"
#include "numerics/reordering.h"
#include "numerics/result.h"

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

// A transformation of rows applied along a direction: transformRows(work, codes) changes the rows
// of work in place, codes giving each column's group. Direction 1 works on m's rows, 2 on its
// columns (through the transpose), 3 on all elements as one row read row by row, grouped by
// wholeGroups; another direction fails.
template <typename tTransform>
tResult<trealmatrix> TransformAlong(const trealmatrix& m, int32_t direction,
    const trealmatrix& groups, const trealmatrix& wholeGroups, tTransform transformRows)
{
    trealmatrix result;
    switch (direction) {
    case 1:
        result = m;
        transformRows(result, GroupCodes(groups, 1, m.Cols()));
        return result;
    case 2:
        result = Transpose(m);
        transformRows(result, GroupCodes(groups, 2, m.Rows()));
        return Transpose(result);
    case 3: {
        trealmatrix flat = FlattenRows(m);
        transformRows(flat, GroupCodes(wholeGroups, 3, flat.Cols()));
        result = m;
        for (int32_t r = 1, next = 0; r <= m.Rows(); ++r) {
            for (int32_t c = 1; c <= m.Cols(); ++c)
                result(r, c) = flat(1, ++next);
        }
        return result;
    }
    default:
        return Failure(1, "");
    }
}

} // namespace zelvora
