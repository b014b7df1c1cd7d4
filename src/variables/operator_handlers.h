// The binary operators that record operations carry out, chosen by the catalogue's handler.
#pragma once

#include "lexicon/catalogue.h"
#include "variables/variable.h"

#include <cstdint>

namespace zelvora {

// The handler's operation on operands[first] and operands[first + 1]: exactly one record back,
// the empty record when last - first is not 1, the operands do not fit, or the handler is None
// or EmptyResult ("ümod"). Submode: "*" 0 matrix product, 1 element by element (also "/" and
// "^"); comparisons the allowed outcomes (4 less, 2 equal, 1 greater); logic the four-bit truth
// table; conditions 1 "falls", 2 "sonst".
tVariableArray ApplyOperatorHandler(tOperatorHandler handler, const tVariableArray& operands,
    std::int32_t first, std::int32_t last, std::int32_t submode);
// The same operation on the two operands left and right, its one record returned as it is.
tVariable ApplyBinaryOperatorHandler(
    tOperatorHandler handler, const tVariable& left, const tVariable& right, std::int32_t submode);

} // namespace zelvora
