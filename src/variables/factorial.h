// The factorial behind the suffix "!" and the function `Fak`: a table for small integers, the
// gamma function for everything else.
#pragma once

#include "variables/variable.h"

#include <cstdint>

namespace zelvora {

// n! for an integer n: 0..12 from the table (a 32-bit integer); n > 12 as the real Gamma(n + 1),
// exact up to 20!; any negative n gives 1.
// x! for a real x: Gamma(x + 1), 0 at the poles. A factorial beyond the extended range raises
// tFloatOverflowError instead of the gamma function's 0.
tVariable VarFactorial(const tVariable& v);

// The same on one number; integral tells whether it counts as an integer.
long double FactorialOf(long double x, bool integral);

} // namespace zelvora
