// The operator "++": the direct sum of two matrices.
#pragma once

#include "variables/variable.h"

namespace zelvora {

// L ++ R = [[L, 0], [0, R]]: L in the top-left block, R in the bottom-right one, zeros elsewhere.
// Numbers count as 1 x 1 matrices. The element type is that of both operands when they agree,
// else real; the tag is 1. Texts, range lists, vectors and empty operands give the empty record.
tVariable VarDirectSum(const tVariable& l, const tVariable& r);

} // namespace zelvora
