// The program's random numbers and the random matrices and permutations built from them.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <cstdint>

namespace zelvora {

// A 32-bit linear congruential generator: every draw advances seed := seed * 134775813 + 1
// (mod 2^32). Its sequence is fixed by the seed alone, the same on every machine. A session owns
// the program's generator (seed 0 at start, set by the user's random start value); nothing in the
// library reseeds it.
class tRandomGenerator {
public:
    explicit tRandomGenerator(uint32_t seed = 0)
        : m_seed(seed)
    {
    }

    uint32_t Seed() const { return m_seed; }
    // The seed the user sets; the first draw after it starts from the seed's scrambled form.
    void SetSeed(uint32_t seed)
    {
        m_seed = seed;
        m_seeded = true;
    }

    // Advances the seed and returns it. The first draw from a seed that was set (or from the
    // start) scrambles it first: small seeds (0, the default, gives 1 * 2^-32) would otherwise
    // make the first values of every run tiny. The same seed still gives the same numbers.
    uint32_t Next();
    // seed * 2^-32 after one draw: uniform in [0, 1).
    long double UniformDeviate();
    // (seed * n) div 2^32 on 64 bits after one draw: uniform in 0 .. n - 1 (0 for n = 0).
    uint32_t IntegerDeviate(uint32_t n);
    // Marsaglia's polar method: draws u1 = 2U - 1, then u2 = 2U - 1, until 0 < s = u2^2 + u1^2 < 1;
    // returns u1 * sqrt(-2 ln s / s) and discards the second value of the pair.
    long double NormalDeviate();

private:
    uint32_t m_seed;
    bool m_seeded = true;
};

// r x c standard normal deviates, filled column by column in mode 1 and row by row in modes 2 and
// 3, turned into z-values (mean 0, standard deviation 1 with divisor n) per row (mode 1), per
// column (mode 2) or over the whole matrix (mode 3), then multiplied by sd (safe product) and
// shifted by mean. r < 1, c < 1 or another mode fails.
tResult<trealmatrix> RandomNormal(int32_t rows, int32_t cols, long double mean, long double sd,
    int32_t mode, tRandomGenerator& generator);

// r x c uniform deviates in [lower, upper): u * (upper - lower) + lower, filled column by column in
// mode 1 and row by row otherwise. r < 1 or c < 1 fails; an overflow raises its
// run-time error.
tResult<trealmatrix> RandomUniform(int32_t rows, int32_t cols, long double lower, long double upper,
    int32_t mode, tRandomGenerator& generator);

// The first k positions of a random order of 1..n: n uniform deviates, their positions sorted by
// value (IndexSortReal). k is bounded to 0..n; n < 1 gives an empty vector.
tIntvector RandomPermutation(int32_t n, int32_t k, tRandomGenerator& generator);

} // namespace zelvora
