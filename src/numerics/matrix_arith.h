// Arithmetic of the library: a matrix with a scalar, two matrices element by element (with
// broadcasting), powers, the standard functions on every element, and text joining.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <string>

namespace zelvora {

// Operations of ScalarArith; m is an element, x the scalar, a the scalar rounded to 32 bits.
enum class tScalarOp {
    Add = 1, // m + x, an overflow raises its run-time error
    SubtractFrom = 2, // x - m, likewise
    Subtract = 3, // m - x, likewise
    Multiply = 4, // SafeMul(m, x, 0)
    Divide = 5, // SafeDiv(m, x, 0); x = 0 gives the zero matrix
    DivideInto = 6, // SafeDiv(x, m, 0): 0 where m = 0
    Mod = 7, // round(m) mod a on 64 bits; a = 0 gives the zero matrix
    Div = 8, // round(m) div a on 64 bits; a = 0 gives the zero matrix
    ModInto = 9, // a mod round(m); round(m) must fit 32 bits; 0 where it is 0
    DivInto = 10, // a div round(m); likewise
    Gcd = 11, // Gcd64(a, round(m)); round(m) must fit 32 bits; a = 0 gives the zero matrix
    Negate = 12, // 0 - m
    Not = 13, // 1 where m = 0, else 0
    Abs = 14,
    Sign = 15, // -1, 0 or 1, decided on m converted to double
    Int = 16, // m truncated toward zero
    Frac = 17, // m - int(m)
    Round = 18, // m rounded to a multiple of 10^a (ties to even) in double; a outside -37..37:
                // tRangeError
    MaxExponent = 19, // see MaxExponent
    MaxPower = 20, // see MaxPower
    PowerOfScalar = 21, // x ^ m by the power rule; a math error gives 0
    PowerByScalar = 22, // m ^ x by the power rule; a math error gives 0
};

// Element by element operation of a matrix with a scalar; the result has the matrix's shape.
// Rounding is to nearest, ties to even; a rounded element that must fit 32 bits and does not
// raises tRangeError, one that does not fit 64 bits tFloatInvalidError. Math errors of the plain
// operations (Add, Subtract, Negate, Frac, ...) raise their run-time error.
trealmatrix ScalarArith(const trealmatrix& m, tScalarOp op, long double x = 0);

// Per element: c = round(|m|) on 64 bits; the exponent k of the largest power of base that divides
// c (0 when c < 2). Bases with |base| < 2 give 0 everywhere. Powers are formed in 64 bits and the
// search ends once they exceed c, so large exponents do not wrap around.
trealmatrix MaxExponent(const trealmatrix& m, int32_t base);
// base ^ MaxExponent(m, base) per element.
trealmatrix MaxPower(const trealmatrix& m, int32_t base);

// Operations of ElementwiseArith; a is the left operand's element, b the right one's.
enum class tElementwiseOp {
    Add = 1, // a + b, an overflow raises its run-time error
    Subtract = 2, // a - b, likewise
    Multiply = 3, // a * b, likewise
    Divide = 4, // SafeDiv(a, b, 0)
    IntDivide = 5, // SafeIntDiv(a, b, 0)
    Modulo = 6, // SafeIntMod(a, b, 0)
};

// Two matrices element by element with broadcasting: in each dimension the sizes must agree or one
// of them must be 1, whose single row or column then serves every result row or column. A is the
// left operand. Shapes that do not combine fail.
tResult<trealmatrix> ElementwiseArith(
    const trealmatrix& a, const trealmatrix& b, tElementwiseOp op);

// Powers by the power rule, element by element; a math error gives the element 0. Two matrices
// broadcast as in ElementwiseArith; shapes that do not combine fail.
tResult<trealmatrix> ElementwisePower(const trealmatrix& base, const trealmatrix& exponent);
trealmatrix ElementwisePower(long double base, const trealmatrix& exponent);
trealmatrix ElementwisePower(const trealmatrix& base, long double exponent);

// Texts joined element by element, left operand first (broadcasting as ElementwiseArith; shapes
// that do not combine fail).
tResult<tStringmatrix> TextConcat(const tStringmatrix& left, const tStringmatrix& right);
tStringmatrix TextConcat(const std::string& left, const tStringmatrix& right);
tStringmatrix TextConcat(const tStringmatrix& left, const std::string& right);

// Standard functions of ElementwiseFunction with their domains; outside the domain the element is
// 0.
enum class tElementFunction {
    Square = 1,
    Sqrt = 2, // m >= 0
    Ln = 3, // m > 0
    Exp = 4,
    Sin = 5,
    Cos = 6,
    Tan = 7, // sin m / cos m; 0 where cos m = 0
    ArcTan = 8,
    ArcSin = 9, // -1 <= m <= 1
    ArcCos = 10, // -1 <= m <= 1
    Sinh = 11,
    Cosh = 12,
    Tanh = 13,
    ArcSinh = 14,
    ArcCosh = 15, // m > 1 (m <= 1 gives 0)
    ArcTanh = 16, // -1 <= m <= 1
};

// The function on every element. A math error while an element is computed fails with code 99
// and a message that names it.
tResult<trealmatrix> ElementwiseFunction(const trealmatrix& m, tElementFunction function);

} // namespace zelvora
