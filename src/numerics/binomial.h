// The 64-bit binomial coefficient behind the operator "über".
#pragma once

#include <cstdint>

namespace zelvora {

// C(n, k): 0 when k > n, 1 when k = n or k < 0; otherwise the product over
// i = 0 .. min(n - k, k) - 1 of v := v * (n - i) div (i + 1), each division exact. A coefficient
// beyond 64 bits raises tRangeError instead of wrapping around.
int64_t Binomial64(int64_t n, int64_t k);

} // namespace zelvora
