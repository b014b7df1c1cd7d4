// The standard functions of one value (logarithm, exponential, square, square root, the
// trigonometric and hyperbolic functions and their inverses), the partial exponential sums and the
// angle of a point. A plain square matrix gets the function of the whole matrix, any other matrix
// the function on every element (outside its domain an element gives 0). Operands that a function
// does not take give the empty record.
#pragma once

#include "numerics/result.h"
#include "variables/variable.h"

#include <cstdint>

namespace zelvora {

enum class tUnaryFunction {
    Ln,
    Exp,
    Square,
    Sqrt,
    Sin,
    Cos,
    Tan,
    ArcSin,
    ArcCos,
    ArcTan,
    Sinh,
    Cosh,
    Tanh,
    ArcSinh,
    ArcCosh,
    ArcTanh,
};

// Scalars: a real result (the square of an integer stays an integer; Ln takes |x|, Sqrt max(0, x));
// a math error raises its run-time error. Booleans: b, NOT b, FALSE or empty by function; Ln gives
// the real 0 for booleans and strings. Matrices: a real matrix of tag 1, except that Ln and Exp
// keep the operand's tag and shape and Exp also takes range lists and vectors element by element.
// A math error in an element of a matrix fails (code 99).
tResult<tVariable> VarUnaryFunction(const tVariable& v, tUnaryFunction function);

// `PExp`: count < 2 is Exp; otherwise sum number index (below 1 counts as 1) of the `count`
// partial sums of the exponential series (PartialExp), of a scalar or of every element of a
// matrix. An index above count or a count above 65535 raises tRangeError.
tResult<tVariable> VarPartialExp(const tVariable& v, std::int32_t count, std::int32_t index);

// `arcCS`: the angle atan2(s, c) of two numbers, FALSE for a boolean c, the element-by-element
// angle (AngleOfPair) of two matrices, which fails for matrices of different sizes; other pairs
// give empty.
tResult<tVariable> VarAngle(const tVariable& c, const tVariable& s);

} // namespace zelvora
