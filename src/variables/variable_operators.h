// The binary operators of the formula language on variable records, and the matrix power behind
// "^" and the suffix operators. Operands that do not fit give the empty record, never a message;
// integer division by zero and 32-bit overflow raise their run-time errors.
#pragma once

#include "variables/variable.h"

#include <cstdint>

namespace zelvora {

// "+": numbers add (integer pair: a 32-bit integer), a string on either side joins texts (numbers
// as decimal or general-format text); matrices with scalars element by element, with each other
// by broadcasting; any pair involving a range list gives a range list.
tVariable VarAdd(const tVariable& l, const tVariable& r);
// "-": integer and real operands only; scalar with matrix gives a real matrix.
tVariable VarSubtract(const tVariable& l, const tVariable& r);
// "*" (submode 0: the matrix product of two matrices) and "*#" (submode 1: element by element).
tVariable VarMultiply(const tVariable& l, const tVariable& r, std::int32_t submode);
// "/" (submode 0: L * PseudoInverse(R) for two plain matrices) and "/#" (element by element).
// Two scalars with R = 0 give the empty record; elements divided by 0 give 0.
tVariable VarDivide(const tVariable& l, const tVariable& r, std::int32_t submode);
// "mod" and "div" on integers (reals rounded); a scalar divisor 0 raises tIntDivisionByZeroError,
// matrix elements divided by 0 give 0. Results are integer-valued.
tVariable VarIntRemainder(const tVariable& l, const tVariable& r);
tVariable VarIntQuotient(const tVariable& l, const tVariable& r);
// "über": the binomial coefficient of the rounded operands, element by element for matrices; a
// scalar result must fit 32 bits (tRangeError otherwise).
tVariable VarBinomial(const tVariable& l, const tVariable& r);
// "^" (submode 0) and "^#" (submode 1). A plain matrix to a scalar power under "^" is the matrix
// power; two plain matrices give exp(ln(L) * R); everything else works element by element.
tVariable VarPower(const tVariable& l, const tVariable& r, std::int32_t submode);
// The power e of one operand, result tag = the operand's tag: scalars as numbers; matrices with a
// tag of 2 or more (or when elementwise) element by element (e = 0 gives ones); plain matrices
// by repeated products (|e| <= 99999, the inverse for negative e; e = 0 the identity) or
// exp(e * ln M) otherwise. Range lists and empty records give the empty record.
tVariable VarMatrixPower(const tVariable& v, long double e, bool elementwise = false);

// "<", ">", "=", "<=", "=>", "<>": submode is the set of allowed outcomes (4 L less than R,
// 2 equal, 1 greater). Scalars give a boolean, matrices a boolean matrix with tag 2.
tVariable VarCompare(const tVariable& l, const tVariable& r, std::int32_t submode);
// Logical operators: submode is the truth table, bit 2a + b for the truth values a (left) and b
// (right). A matrix element is true only when it equals 1. A right matrix with fewer rows or
// columns than the left raises tRangeError.
tVariable VarLogic(const tVariable& l, const tVariable& r, std::int32_t submode);
// Submode 1 "falls": a copy of L when R is a true boolean scalar, else empty. Submode 2 "sonst":
// a copy of L unless L is empty (datatype 0), else a copy of R.
tVariable VarCondition(const tVariable& l, const tVariable& r, std::int32_t submode);
// "in": R a scalar: a copy of L when R's boolvalue is 1, else empty. R a range list: per element
// of L (as a matrix) 1 when it lies in one of R's ranges, else 0 (boolean matrix, tag 2).
tVariable VarMembership(const tVariable& l, const tVariable& r);

} // namespace zelvora
