// Primality by trial division and the table of the primes below 65536.
#pragma once

#include "numerics/matrix_types.h"

#include <cstdint>
#include <vector>

namespace zelvora {

// Trial division by odd d while d < round(sqrt(x)) + 2. Counts 1 as prime (0 is not).
bool IsPrime(uint32_t x);

// The flags of IsPrime for 0..65535 and the numbers that pass, ascending at positions 1, 2, ...
// (1, 2, 3, 5, ...; 6543 entries). Built on first use and kept.
struct tPrimeTable {
    std::vector<bool> flags;
    tIntvector list;
};
const tPrimeTable& PrimeTable();

// The n-th prime (list position n + 1, so NthPrime(1) = 2); 0 for n < 1 and for n at or beyond
// the list length, where no further entry exists.
long double NthPrime(int32_t n);

} // namespace zelvora
