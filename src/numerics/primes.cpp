// Primality test and prime table.
#include "numerics/primes.h"

#include <cmath>

namespace zelvora {
namespace {

constexpr uint32_t tableSize = 65536;
// Bit x is set for the x <= 39 that count as prime: 1, 2, 3, 5, 7, ..., 37.
constexpr uint64_t smallPrimes = (1ull << 1) | (1ull << 2) | (1ull << 3) | (1ull << 5) | (1ull << 7)
    | (1ull << 11) | (1ull << 13) | (1ull << 17) | (1ull << 19) | (1ull << 23) | (1ull << 29)
    | (1ull << 31) | (1ull << 37);

} // namespace

bool IsPrime(uint32_t x)
{
    if (x <= 39)
        return (smallPrimes >> x) & 1u;
    if (x == 40 || x % 2 == 0)
        return false;
    const auto bound
        = static_cast<uint64_t>(std::nearbyint(std::sqrt(static_cast<long double>(x)))) + 2;
    for (uint64_t d = 3; d < bound; d += 2) {
        if (x % d == 0)
            return false;
    }
    return true;
}

const tPrimeTable& PrimeTable()
{
    static const tPrimeTable table = [] {
        tPrimeTable t;
        t.flags.resize(tableSize);
        std::vector<int32_t> primes;
        for (uint32_t x = 0; x < tableSize; ++x) {
            t.flags[x] = IsPrime(x);
            if (t.flags[x])
                primes.push_back(static_cast<int32_t>(x));
        }
        t.list = tIntvector(static_cast<int32_t>(primes.size()));
        for (std::size_t i = 0; i < primes.size(); ++i)
            t.list[i + 1] = primes[i];
        return t;
    }();
    return table;
}

long double NthPrime(int32_t n)
{
    const tIntvector& list = PrimeTable().list;
    if (n < 1 || n >= list.Count())
        return 0;
    return list[static_cast<std::size_t>(n) + 1];
}

} // namespace zelvora
