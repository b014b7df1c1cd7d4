// Random numbers, random matrices and random permutations.
#include "numerics/random_matrices.h"

#include "numerics/matrix_arith.h"
#include "numerics/scalar_math.h"
#include "numerics/sorting.h"
#include "numerics/statistics_transform.h"

#include <algorithm>
#include <cmath>

namespace zelvora {
namespace {

constexpr uint32_t multiplier = 134775813u;
constexpr long double twoPowMinus32 = 0x1p-32L;

// Fills r x c from draw(): column by column when byColumns, else row by row.
template <typename Draw> trealmatrix Fill(int32_t rows, int32_t cols, bool byColumns, Draw draw)
{
    trealmatrix m(rows, cols);
    if (byColumns) {
        for (int32_t c = 1; c <= cols; ++c) {
            for (int32_t r = 1; r <= rows; ++r)
                m(r, c) = draw();
        }
    } else {
        for (int32_t r = 1; r <= rows; ++r) {
            for (int32_t c = 1; c <= cols; ++c)
                m(r, c) = draw();
        }
    }
    return m;
}

} // namespace

uint32_t tRandomGenerator::Next()
{
    if (m_seeded) {
        // The finaliser of a 32-bit hash, after adding the golden-ratio constant so that 0 does
        // not stay 0: every bit of the seed reaches every bit of the start.
        std::uint32_t h = m_seed + 0x9E3779B9u;
        h = (h ^ (h >> 16)) * 0x85EBCA6Bu;
        h = (h ^ (h >> 13)) * 0xC2B2AE35u;
        m_seed = h ^ (h >> 16);
        m_seeded = false;
    }
    m_seed = m_seed * multiplier + 1u;
    return m_seed;
}

long double tRandomGenerator::UniformDeviate()
{
    return static_cast<long double>(Next()) * twoPowMinus32;
}

uint32_t tRandomGenerator::IntegerDeviate(uint32_t n)
{
    return static_cast<uint32_t>((static_cast<uint64_t>(Next()) * n) >> 32);
}

long double tRandomGenerator::NormalDeviate()
{
    for (;;) {
        const long double u1 = 2 * UniformDeviate() - 1;
        const long double u2 = 2 * UniformDeviate() - 1;
        const long double s = u2 * u2 + u1 * u1;
        if (s < 1 && s > 0)
            return u1 * std::sqrt(-2 * std::log(s) / s);
    }
}

tResult<trealmatrix> RandomNormal(int32_t rows, int32_t cols, long double mean, long double sd,
    int32_t mode, tRandomGenerator& generator)
{
    if (rows < 1 || cols < 1 || mode < 1 || mode > 3)
        return Failure(1, "");
    const trealmatrix draws
        = Fill(rows, cols, mode == 1, [&generator] { return generator.NormalDeviate(); });
    // The mode is the direction of the standardisation: 1 rows, 2 columns, 3 everything.
    const trealmatrix z = ZValues(Deviations(draws, mode).Value(), mode).Value();
    return ScalarArith(ScalarArith(z, tScalarOp::Multiply, sd), tScalarOp::Add, mean);
}

tResult<trealmatrix> RandomUniform(int32_t rows, int32_t cols, long double lower, long double upper,
    int32_t mode, tRandomGenerator& generator)
{
    if (rows < 1 || cols < 1)
        return Failure(1, "");
    tMathErrorWatch watch;
    const long double width = upper - lower;
    trealmatrix m
        = Fill(rows, cols, mode == 1, [&] { return generator.UniformDeviate() * width + lower; });
    watch.RaiseIfFaulted();
    return m;
}

tIntvector RandomPermutation(int32_t n, int32_t k, tRandomGenerator& generator)
{
    if (n < 1)
        return tIntvector(0);
    tRealVector draws(n);
    for (int32_t i = 1; i <= n; ++i)
        draws[static_cast<std::size_t>(i)] = generator.UniformDeviate();
    tIntvector order = IndexSortReal(draws);
    order.Resize(std::clamp(k, 0, n));
    return order;
}

} // namespace zelvora
