// Medians of rows, columns, groups and frequency tables, with ties spread over the gap to the next
// value and the missing code left out.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <vector>

namespace zelvora {

// Plain: target position (N - 1) / 2; grouped: N / 2 (the median of grouped data).
enum class tMedianKind {
    Plain = 0,
    Grouped = 1,
};

// The median of distinct ascending values v_1 < ... < v_m with positive counts n_j (N in all): 0
// without values. When v_1 is MissingCode it is left out (m = 1 gives MissingCode, m = 2 gives
// v_2). Otherwise m = 1 gives v_1; else with C_j the running count and p the target position, the
// first j with C_j > p gives v_j + (p - C_{j-1}) * (v_{j+1} - v_j) / n_j (v_{m+1} = v_m).
long double MedianOfDistinct(const std::vector<long double>& values,
    const std::vector<long double>& counts, tMedianKind kind);

// Medians per row and group of columns (direction 1, rows x k), per column and group of rows
// (direction 2, k x cols) or of all elements (direction 3, 1 x 1, groups not used). Groups as
// GroupCodes. Another direction fails.
tResult<trealmatrix> MedianOf(const trealmatrix& m, int32_t direction,
    const trealmatrix& groups = trealmatrix(), tMedianKind kind = tMedianKind::Plain);

// Medians of frequency tables: direction 1 reads each row of M as the counts of the categories
// named by the first row of `categories` (1, 2, ... without it), one result per row (rows x 1);
// direction 2 reads each column with the categories of the first column (1 x cols); direction 3
// pools the rows into one distribution over the columns (1 x 1). Counts <= 0 are left out, equal
// categories pooled. Too few categories raise tRangeError; another direction gives the failure
// matrix.
tResult<trealmatrix> TabMedian(const trealmatrix& m, int32_t direction,
    const trealmatrix& categories = trealmatrix(), tMedianKind kind = tMedianKind::Plain);

} // namespace zelvora
