// The variable operations the evaluation machine applies: copies with a sign, the binary operator
// handlers, range joining, selection, suffix powers and the scalar getters.
#pragma once

#include "lexicon/catalogue.h"
#include "variables/variable.h"

#include <cstdint>
#include <string>

namespace zelvora::machine {

// A copy of the value, negated when sign is -1 (numbers change sign, booleans are inverted,
// strings stay, numeric matrices are negated element by element).
tVariable SignedCopy(const tVariable& value, std::int32_t sign);

// Why the binary operator gave result for l and r although it should not have: the shapes do not
// fit its rule, or it gave no value for operands that are not empty ("falls" and "in" select values
// away and are no failure). Empty when the result is the operator's value.
std::string BinaryOperatorFailure(tOperatorHandler handler, std::int32_t submode,
    const tVariable& l, const tVariable& r, const tVariable& result);

// Two ranges or range lists joined into one range list.
tVariable ConcatRanges(const tVariable& left, const tVariable& right);

// Rows (one index) or rows and columns (two indices) of a matrix.
tVariable Select(const tVariable& value, const tVariable& rows, const tVariable* cols);

// "°", "²", "³": the matrix power with exponent 0, 2 or 3.
tVariable SuffixPower(const tVariable& value, tOpcode opcode);

std::int32_t AsInteger(const tVariable& value);
long double AsReal(const tVariable& value);
std::string AsString(const tVariable& value);
std::int32_t Rows(const tVariable& value);

} // namespace zelvora::machine
