// The gamma function behind the factorial and the partial sums of the exponential series.
#pragma once

#include "numerics/matrix_types.h"

#include <cstdint>

namespace zelvora {

// Gamma(x) from the 26-term series of 1/Gamma on the fractional part q of x, carried to x by the
// recurrence Gamma(q + 1) = q Gamma(q); a positive integral x gives the product (x - 1)!, exact up
// to 20!. 0 at the poles (x integral and <= 0, and wherever 1/Gamma falls below 1e-4000) and for a
// non-finite x. x! is Gamma(x + 1).
long double GammaFunction(long double x);

// p[1..n] (slot 0 unused): p[j] = sum of x^k / k! over k = j - 1 (mod n), the terms summed until
// one is at most 1e-32 in magnitude. n = 1 gives exp x, n = 2 cosh x and sinh x. n < 1 counts as
// 1. A term that overflows raises tFloatOverflowError.
textendedarr PartialExp(long double x, int32_t n);

} // namespace zelvora
