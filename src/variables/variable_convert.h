// Conversions of a variable record into matrices, index lists and range lists; the record is not
// changed.
#pragma once

#include "numerics/matrix_types.h"
#include "variables/variable.h"

namespace zelvora {

// Numeric matrix-like records (shapes 2, 4, 5, datatypes 1 to 3) give their matrix; a string
// matrix gives a zero matrix of its size; an empty record the 1 x 1 MissingValue; any other
// record the 1 x 1 matrix of its integer, real or boolean value, or of its string read as a number
// with '.' as the decimal point (0 when it is none).
trealmatrix VarToMatrix(const tVariable& v);

// The same as integers: reals rounded (outside 32 bits raises tRangeError); a string scalar that
// is not an integer raises tConversionError.
tintmatrix VarToIntMatrix(const tVariable& v);

// The 1-based indexes a numeric record denotes: a scalar its integer value; a matrix or vector its
// elements in row order, rounded; a range list every integer of each range after clamping both
// bounds to [1, limit] (an empty range adds nothing). Any other record gives the list [0].
tIntvector VarToIndexVector(const tVariable& v, std::int32_t limit);

// Ranges of a numeric record: a scalar gives [v, v]; a range list, or a matrix with tag 3, its
// rows (a single column gives equal bounds). Other matrices by the first rule that fits: one
// column gives [v, v] per row, two columns [c1, c2] per row, one row [v, v] per column, two rows
// [r1, r2] per column. Anything else, vectors included, gives the one range [0, 0].
trealrangelist VarToRangeList(const tVariable& v);
// The same with bounds rounded into 32 bits (tRangeError when they do not fit).
tintrangelist VarToIntRangeList(const tVariable& v);

} // namespace zelvora
