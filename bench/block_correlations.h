// Correlation matrices with a known factor structure, shared by the factor-analysis benchmarks.
#pragma once

#include "numerics/matrix_types.h"

#include <cstdint>

namespace zelvora::bench {

// p variables in blocks of `block`: 0.5 within a block, 0.1 between blocks.
inline trealmatrix Blocks(int32_t p, int32_t block)
{
    trealmatrix r(p, p);
    for (int32_t i = 1; i <= p; ++i)
        for (int32_t j = 1; j <= p; ++j)
            r(i, j) = i == j ? 1 : (i - 1) / block == (j - 1) / block ? 0.5L : 0.1L;
    return r;
}

} // namespace zelvora::bench
