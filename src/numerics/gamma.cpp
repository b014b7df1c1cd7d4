// Gamma function and partial exponential sums.
#include "numerics/gamma.h"

#include "numerics/run_time_error.h"

#include <cmath>

namespace zelvora {
namespace {

// Coefficients c_1..c_26 of 1/Gamma(q) = sum c_k q^k (Abramowitz and Stegun 6.1.34).
constexpr long double reciprocalGammaSeries[] = {
    1.0L,
    0.5772156649015329L,
    -0.6558780715202538L,
    -0.0420026350340952L,
    0.1665386113822915L,
    -0.0421977345555443L,
    -0.0096219715278770L,
    0.0072189432466630L,
    -0.0011651675918591L,
    -0.0002152416741149L,
    0.0001280502823882L,
    -0.0000201348547807L,
    -0.0000012504934821L,
    0.0000011330272320L,
    -0.0000002056338417L,
    0.0000000061160950L,
    0.0000000050020075L,
    -0.0000000011812746L,
    0.0000000001043427L,
    0.0000000000077823L,
    -0.0000000000036968L,
    0.0000000000005100L,
    -0.0000000000000206L,
    -0.0000000000000054L,
    0.0000000000000014L,
    0.0000000000000001L,
};

constexpr long double poleThreshold = 1e-4000L;
constexpr long double termThreshold = 1e-32L;

// n! for an integral n >= 0 as a product, exact while it fits the 64-bit mantissa (n <= 20): the
// series above carries rounding errors of its 16-digit coefficients into integral arguments.
long double FactorialOfIntegral(long double n)
{
    long double product = 1;
    for (long double k = 2; k <= n && product != 0; k += 1) {
        product *= k;
        if (product > 1 / poleThreshold)
            product = 0;
    }
    return product;
}

} // namespace

long double GammaFunction(long double x)
{
    if (!std::isfinite(x))
        return 0;
    long double q = x - std::trunc(x);
    if (q == 0) {
        // The truncated series leaves about 3e-20 at q = -1, which would turn the poles at the
        // negative integers into huge finite values.
        if (x <= 0)
            return 0;
        return FactorialOfIntegral(x - 1);
    }
    long double p = 0;
    long double power = 1;
    for (long double c : reciprocalGammaSeries) {
        power *= q;
        p += c * power;
    }
    // Once p has underflowed to 0 or overflowed, further steps cannot change the result.
    if (x > 0) {
        while (x > q && p != 0) {
            p /= q;
            q += 1;
        }
    } else {
        while (x < q && std::isfinite(p)) {
            q -= 1;
            p *= q;
        }
    }
    if (std::fabs(p) < poleThreshold || !std::isfinite(p))
        return 0;
    return 1 / p;
}

textendedarr PartialExp(long double x, int32_t n)
{
    if (n < 1)
        n = 1;
    textendedarr p(static_cast<std::size_t>(n) + 1, 0);
    p[1] = 1;
    long double term = 1;
    int32_t j = 1;
    for (int64_t k = 1;; ++k) {
        term = term * x / static_cast<long double>(k);
        if (!std::isfinite(term))
            throw tFloatOverflowError();
        j = j == n ? 1 : j + 1;
        p[static_cast<std::size_t>(j)] += term;
        if (std::fabs(term) <= termThreshold)
            break;
    }
    return p;
}

} // namespace zelvora
