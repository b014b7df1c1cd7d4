// Frequencies of values: the distinct values of a vector with their counts, the frequency table of
// the rows of a matrix and the cross table of two rows.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// The distinct values of v in increasing order (exact comparison, so -0 and 0 are one value) and
// how often each occurs; categories as CategoryCodes. v must hold no NaN.
tRealFreq ValueFrequencies(const tRealVector& v);

// (rows + 1) x f: row 1 the f distinct values of all of M in increasing order, row r + 1 how often
// each occurs in row r of M. M must hold no NaN. A table of more than 2^25 cells fails saying so.
tResult<trealmatrix> FrequencyTable(const trealmatrix& m);

// The cross table of rows 1 and 2 of M (two variables observed on the same cases): the counts of
// every value pair (m1 x m2, rows in increasing order of the values of row 1, columns of those of
// row 2), the m1 x 1 column of the values of row 1 and the 1 x m2 row of the values of row 2. An M
// with fewer than two rows fails (no message of its own), a table of more than 2^25 cells fails
// saying so. M must hold no NaN.
tResult<trealmatrixarr> CrossTable(const trealmatrix& m);

} // namespace zelvora
