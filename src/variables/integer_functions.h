// The number-theoretic functions of the formula language on variable records: the n-th prime,
// greatest common divisors, the largest power of a base in a number, and Euler's phi and the
// multiplicative order. Operands that a function does not take give the empty record.
#pragma once

#include "variables/variable.h"

#include <cstdint>

namespace zelvora {

// `PrimNr`: NthPrime(n) of an integer (an integer) or of a real truncated toward zero (a real);
// n outside 0..65535 raises tRangeError. Matrices and vectors: every element truncated, NthPrime
// for 1..10000 and 0 for all others, as a real matrix of tag 1.
tVariable VarPrimeNo(const tVariable& v);

// Kinds of the gcd family, as GcdMatrix counts them.
enum class tGcdKind : std::int32_t { Rows = 1, Columns = 2, All = 3 };

// `GGT` of one argument: a number's integer value; a matrix GcdMatrix(M, M, kind) as an integer
// matrix.
tVariable VarGcd(const tVariable& v, tGcdKind kind);
// Two arguments: two numbers Gcd64 of their integer values; a number and a matrix the gcd with
// every element; two matrices GcdMatrix(L, R, kind). Results are integer values.
tVariable VarGcdPair(const tVariable& l, const tVariable& r, tGcdKind kind);

// `MAXEXP` (power false) and `MAXPOW` (power true) of x to the integer base: a number gives the
// integer exponent or the real power (the integer 1 for |base| < 2); matrices and vectors the
// element-by-element routine (zeros for |base| < 2) with datatype, tag and shape kept.
tVariable VarMaxExponent(const tVariable& x, std::int32_t base, bool power);

// `F_ord`: for the integer n and a = 0 Euler's phi(n) (0 for n < 1); otherwise the
// multiplicative order of a modulo |n|, the least k >= 1 with a^k = 1 (mod |n|), or 0 when there
// is none (|n| < 2 or a and n not coprime). Numbers only; an integer result.
tVariable VarMultiplicativeOrder(const tVariable& n, const tVariable& a);

} // namespace zelvora
