// Functions of one value that keep its kind: absolute value, negation, sign, integer and
// fractional part, rounding, the numeric value and formatting. Operands that a function does not
// take give the empty record, never a message.
#pragma once

#include "variables/variable.h"

#include <cstdint>
#include <string_view>

namespace zelvora {

// `abs`: integer |n| (|INT32_MIN| raises tRangeError), real |x|, a boolean TRUE, a string
// unchanged; matrices, range lists and vectors element by element with datatype, tag and shape
// kept (string matrices unchanged).
tVariable VarAbs(const tVariable& v);
// `neg`, `Nicht`: integer -n, real -x, boolean NOT; matrix-like values 0 - m per element,
// boolean ones NOT per element, string matrices unchanged; a string scalar gives empty.
tVariable VarNegate(const tVariable& v);
// `vorz`: integer sign as integer, real sign (decided in double) as real, a boolean 2b - 1 as
// integer; matrix-like values element by element with datatype, tag and shape kept.
tVariable VarSign(const tVariable& v);
// `Ganzzahl`: reals truncated toward zero into an integer (tRangeError outside 32 bits); integers
// and booleans unchanged; matrix-like values truncated per element as integers, tag and shape kept.
tVariable VarIntegerPart(const tVariable& v);
// `Dezimalteil`: x - trunc(x) as a real (0 for integers), FALSE for a boolean; matrix-like values
// per element as reals, tag and shape kept.
tVariable VarFractionalPart(const tVariable& v);
// `Gerundet`: reals rounded to a multiple of 10^digits, ties to even, in double precision;
// integers and booleans unchanged; matrix-like values per element with datatype, tag and shape
// kept. Digits outside -37..37 raise tRangeError.
tVariable VarRound(const tVariable& v, std::int32_t digits);
// `Num`: integers, reals and booleans as reals; a string trimmed and read with the context's
// decimal separator (0 when it is no number); matrix-like values as real elements (string
// matrices read as numbers) with tag and shape kept.
tVariable VarNumericValue(const tVariable& v);
// `format`: the value as text by the pattern "%" + spec + "d" (integer), "f" (real) or "s"
// (string, and the text TRUE or FALSE of a boolean); matrix-like values give a string matrix of
// their size (tag 2), each element formatted by the element type. spec is an optional "-", a
// width and an optional "." with a precision, each at most 255; anything else ends the run with a
// conversion error that names the pattern.
tVariable VarFormat(const tVariable& v, std::string_view spec);

} // namespace zelvora
