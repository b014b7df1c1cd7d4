// Collecting the values of a list of call arguments into one list of reals, as the sum and
// product functions and the matrix constructors read their arguments.
#pragma once

#include "variables/variable.h"

#include <span>
#include <vector>

namespace zelvora {

// The values of the arguments in order: a scalar gives its number (a text 0), a matrix, range
// list or vector all its elements row by row, an empty argument nothing. A string matrix has no
// numbers to give and raises tRangeError, ending the run.
std::vector<long double> CollectValues(std::span<const tVariable> arguments);

} // namespace zelvora
