// The 64-bit binomial coefficient.
#include "numerics/binomial.h"

#include "numerics/run_time_error.h"

#include <algorithm>
#include <limits>

namespace zelvora {

int64_t Binomial64(int64_t n, int64_t k)
{
    if (k > n)
        return 0;
    if (k == n || k < 0)
        return 1;
    // 0 <= k < n here, so n - k does not overflow. Each intermediate v is C(n, i + 1), no larger
    // than the result, so the 128-bit product is exact and an overflow shows in the final range.
    const int64_t steps = std::min(n - k, k);
    __int128 v = 1;
    for (int64_t i = 0; i < steps; ++i) {
        v = v * (n - i) / (i + 1);
        if (v > std::numeric_limits<int64_t>::max())
            throw tRangeError();
    }
    return static_cast<int64_t>(v);
}

} // namespace zelvora
