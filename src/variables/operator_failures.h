// Why a binary operator found no value for its operands: the shape rules of the arithmetic
// operators and short German descriptions of operands for the messages that say so.
#pragma once

#include "variables/variable.h"

#include <string>

namespace zelvora {

// How an operator combines two matrices: element by element (equal sizes, or 1 in a dimension
// broadcast), as the matrix product L * R, or as L times the pseudo-inverse of R.
enum class tShapeRule { Elementwise, Product, PseudoInverseProduct };

// Empty when two matrices fit the rule, else "Die Dimensionen passen nicht: 1x2 und 1x3".
std::string ShapeMismatchText(tShapeRule rule, const tVariable& l, const tVariable& r);

// "Zahl", "Zeichenkette", "Wahrheitswert", "Matrix 2x3", "Bereichsliste", "Vektor", "leerer Wert".
std::string OperandDescription(const tVariable& v);

// True for the empty value (no datatype, no shape).
bool IsEmptyValue(const tVariable& v);

} // namespace zelvora
