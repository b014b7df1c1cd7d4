// Scalar helpers of the library: safe products and quotients, integer division, gcd, rounding,
// the power rule, and the detection of math errors (overflow, division by zero, invalid operation).
#pragma once

#include <cstdint>

namespace zelvora {

// Kinds of math error; underflow and inexact results are none.
enum class tMathFault {
    None = 0,
    Overflow = 1,
    DivisionByZero = 2,
    Invalid = 3,
};

// Throws the run-time error of a math fault (tFloatOverflowError, tFloatDivisionByZeroError,
// tFloatInvalidError); does nothing for tMathFault::None.
void RaiseMathFault(tMathFault fault);

// Watches the floating-point exception flags over a stretch of plain arithmetic: the constructor
// clears them, Fault() reports the worst one raised since (invalid before division by zero before
// overflow) and RaiseIfFaulted() turns it into the run-time error.
class tMathErrorWatch {
public:
    tMathErrorWatch();
    tMathFault Fault() const;
    void RaiseIfFaulted() const { RaiseMathFault(Fault()); }
};

// a * b; fallback when the product raises a math error (overflow, or infinity times zero).
long double SafeMul(long double a, long double b, long double fallback);
// dividend / divisor when divisor != 0 and the quotient raises no math error, else fallback.
long double SafeDiv(long double dividend, long double divisor, long double fallback);
// Both operands rounded to 64-bit integers (ties to even); a divisor that rounds to 0 or an operand
// that does not round into 64 bits gives fallback. SafeIntDiv: quotient truncated toward zero
// (exact also for -2^63 div -1); SafeIntMod: remainder with the sign of the dividend.
long double SafeIntDiv(long double dividend, long double divisor, long double fallback);
long double SafeIntMod(long double dividend, long double divisor, long double fallback);

// Greatest common divisor tested in this order: x = 0 gives y; y = 0 gives x; |x| = |y| gives x
// unchanged; |x| = 1 or |y| = 1 gives 1; otherwise Euclid on the absolute values (positive).
int64_t Gcd64(int64_t x, int64_t y);

// Round to nearest, ties to even. RoundToInt64: a non-finite value or one outside 64 bits raises
// tFloatInvalidError. RoundToInt32: non-finite raises tFloatInvalidError, outside 32 bits
// tRangeError.
int64_t RoundToInt64(long double x);
int32_t RoundToInt32(long double x);
// True when x rounds into 64 bits; then *out holds the rounded value.
bool TryRoundToInt64(long double x, int64_t* out);

// The power rule used for every power of the library: exponent 0 gives 1; base 0 with a positive
// exponent gives 0; an integral exponent of magnitude <= 2147483647 multiplies by squaring (a
// negative exponent takes the reciprocal, so 0 to a negative power divides by zero); any other
// exponent gives exp(exponent * ln(base)), invalid for a negative base.
// TryPower stores the result and reports the math fault instead of raising it.
tMathFault TryPower(long double base, long double exponent, long double* result);
// The power rule with a math fault raised as its run-time error.
long double PowerRule(long double base, long double exponent);

} // namespace zelvora
