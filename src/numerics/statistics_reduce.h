// Reductions of the statistics (count, sum, product, mean, square sums, extremes and their
// positions) along rows, along columns or over the whole matrix, optionally per group.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Steps of a reduction. Per element: square first (square), then the running sum, product,
// count, or extreme (a strictly smaller / larger value replaces it, so ties keep the first
// position). Per group: divide the sum by the count, then take the root. The result is the
// extreme's position (index) or value (minimum before maximum), else the count, the product or
// the sum, in this order of precedence.
struct tReduceFlags {
    bool minimum = false;
    bool maximum = false;
    bool index = false;
    bool count = false;
    bool sum = false;
    bool product = false;
    bool square = false;
    bool divide = false;
    bool root = false;
};

// The reductions of the language and their flags.
enum class tReduction {
    Count = 1, // N
    Sum = 2, // Sum
    Product = 3, // Prod, starting from 1
    Mean = 4, // Mean: sum / n
    SquareSum = 5, // Sqsum
    Hypotenuse = 6, // Hypothenuse: root of the square sum
    Stddev = 7, // Stddev: root mean square, no mean subtracted
    Min = 8,
    Max = 9,
    IndexOfMin = 10, // iMin
    IndexOfMax = 11, // iMax
};
tReduceFlags ReductionFlags(tReduction reduction);

// Direction 1: one result per row and group of columns (rows x k); direction 2: one per column and
// group of rows (k x cols); direction 3: one per group of all elements (1 x k; for positions
// 1 x 2k, the row and column of each group's extreme). Groups as GroupCodes; k = 1 without G. A
// group without elements gives count 0, sum and mean 0, product 1, extreme and position 0.
// A missing cell (MissingNumber) makes the result of its row, column or group missing, except for
// counts; extremes' positions are those of the present values. Another direction fails; an
// overflow raises its run-time error.
tResult<trealmatrix> Reduce(const trealmatrix& m, int32_t direction, tReduceFlags flags,
    const trealmatrix& groups = trealmatrix());
tResult<trealmatrix> Reduce(const trealmatrix& m, int32_t direction, tReduction reduction,
    const trealmatrix& groups = trealmatrix());

} // namespace zelvora
