// The list and structure operators that the evaluation machine carries out itself.
#pragma once

#include "lexicon/opcodes.h"
#include "variables/variable.h"

#include <cstdint>
#include <string>

namespace zelvora {

// "´" joins ranges, ":" builds a block of two ranges, ".." makes a range.
tVariable ApplyListOperator(tOpcode opcode, const tVariable& left, const tVariable& right);

// "||": two matrices side by side; empty when either is no matrix.
tVariable ConcatMatrixColumns(const tVariable& left, const tVariable& right);

// "[ ]": rows, or rows and columns, of a matrix; any other value passes through.
tVariable IndexValue(const tVariable& value, const tVariable& rows, const tVariable* cols);

// Postfix "~", "'", "#", "*'" on a matrix; other values pass through (with the
// placeholder for "~").
tVariableArray ApplyPostfix(tOpcode opcode, const tVariable& value, const tVariable* placeholder);

// The matrix literal "{...}" built from the values of its level (1..n; element 0 unused). A numeric
// literal takes the head's element type unless an element does not fit it: any element that is not
// a whole number (within 32 bits) makes the literal real, any whole element other than 0 or 1 makes
// a boolean head's literal integer.
tVariable BuildMatrixLiteral(const tVariableArray& values);
// Why the values cannot be the rows of a matrix literal (a row shorter than the first, a row of
// another kind); empty when BuildMatrixLiteral can build them.
std::string MatrixLiteralFailure(const tVariableArray& values);

} // namespace zelvora
