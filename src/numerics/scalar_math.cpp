// Scalar helpers of the library.
#include "numerics/scalar_math.h"

#include "numerics/run_time_error.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>

namespace zelvora {
namespace {
constexpr int watchedFlags = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;
constexpr long double twoPow63 = 9223372036854775808.0L;

// A binary operation faulted when it made NaN out of non-NaN operands (invalid) or an
// infinity out of finite ones (overflow). Quiet NaN and infinite operands pass silently.
bool Faulted(long double result, long double a, long double b)
{
    if (std::isnan(result))
        return !std::isnan(a) && !std::isnan(b);
    if (std::isinf(result))
        return std::isfinite(a) && std::isfinite(b);
    return false;
}

long double IntegerPower(long double base, int64_t exponent)
{
    uint64_t bits
        = exponent < 0 ? static_cast<uint64_t>(-exponent) : static_cast<uint64_t>(exponent);
    long double result = 1;
    long double square = base;
    for (;;) {
        if (bits & 1)
            result *= square;
        bits >>= 1;
        if (bits == 0)
            break;
        square *= square;
    }
    return result;
}
} // namespace

void RaiseMathFault(tMathFault fault)
{
    switch (fault) {
    case tMathFault::None:
        return;
    case tMathFault::Overflow:
        throw tFloatOverflowError();
    case tMathFault::DivisionByZero:
        throw tFloatDivisionByZeroError();
    case tMathFault::Invalid:
        throw tFloatInvalidError();
    }
}

tMathErrorWatch::tMathErrorWatch()
{
    std::feclearexcept(watchedFlags);
}

tMathFault tMathErrorWatch::Fault() const
{
    const int raised = std::fetestexcept(watchedFlags);
    if (raised & FE_INVALID)
        return tMathFault::Invalid;
    if (raised & FE_DIVBYZERO)
        return tMathFault::DivisionByZero;
    if (raised & FE_OVERFLOW)
        return tMathFault::Overflow;
    return tMathFault::None;
}

long double SafeMul(long double a, long double b, long double fallback)
{
    const long double product = a * b;
    return Faulted(product, a, b) ? fallback : product;
}

long double SafeDiv(long double dividend, long double divisor, long double fallback)
{
    if (divisor == 0)
        return fallback;
    const long double quotient = dividend / divisor;
    return Faulted(quotient, dividend, divisor) ? fallback : quotient;
}

bool TryRoundToInt64(long double x, int64_t* out)
{
    const long double rounded = std::nearbyint(x);
    if (!(rounded >= -twoPow63 && rounded < twoPow63))
        return false;
    *out = static_cast<int64_t>(rounded);
    return true;
}

int64_t RoundToInt64(long double x)
{
    int64_t rounded = 0;
    if (!TryRoundToInt64(x, &rounded))
        throw tFloatInvalidError();
    return rounded;
}

int32_t RoundToInt32(long double x)
{
    if (!std::isfinite(x))
        throw tFloatInvalidError();
    const long double rounded = std::nearbyint(x);
    if (rounded < -2147483648.0L || rounded > 2147483647.0L)
        throw tRangeError();
    return static_cast<int32_t>(rounded);
}

long double SafeIntDiv(long double dividend, long double divisor, long double fallback)
{
    int64_t a = 0;
    int64_t b = 0;
    if (!TryRoundToInt64(dividend, &a) || !TryRoundToInt64(divisor, &b) || b == 0)
        return fallback;
    if (b == -1)
        return -static_cast<long double>(a);
    return static_cast<long double>(a / b);
}

long double SafeIntMod(long double dividend, long double divisor, long double fallback)
{
    int64_t a = 0;
    int64_t b = 0;
    if (!TryRoundToInt64(dividend, &a) || !TryRoundToInt64(divisor, &b) || b == 0)
        return fallback;
    if (b == -1)
        return 0;
    return static_cast<long double>(a % b);
}

int64_t Gcd64(int64_t x, int64_t y)
{
    if (x == 0)
        return y;
    if (y == 0)
        return x;
    // Magnitudes as unsigned so that -2^63 has one.
    uint64_t a = x < 0 ? 0 - static_cast<uint64_t>(x) : static_cast<uint64_t>(x);
    uint64_t b = y < 0 ? 0 - static_cast<uint64_t>(y) : static_cast<uint64_t>(y);
    if (a == b)
        return x;
    if (a == 1 || b == 1)
        return 1;
    while (b != 0) {
        const uint64_t rest = a % b;
        a = b;
        b = rest;
    }
    // Both magnitudes differ and are nonzero, so the divisor is below 2^63.
    return static_cast<int64_t>(a);
}

tMathFault TryPower(long double base, long double exponent, long double* result)
{
    if (exponent == 0) {
        *result = 1;
        return tMathFault::None;
    }
    if (base == 0 && exponent > 0) {
        *result = 0;
        return tMathFault::None;
    }
    const bool finiteOperands = std::isfinite(base) && std::isfinite(exponent);
    if (exponent == std::trunc(exponent) && std::fabs(exponent) <= 2147483647.0L) {
        const auto n = static_cast<int64_t>(exponent);
        long double power = IntegerPower(base, n);
        if (!std::isfinite(power) && finiteOperands) {
            *result = power;
            return tMathFault::Overflow;
        }
        if (n < 0) {
            if (power == 0) {
                *result = std::copysign(HUGE_VALL, power);
                return tMathFault::DivisionByZero;
            }
            power = 1 / power;
        }
        *result = power;
        return tMathFault::None;
    }
    if (base < 0) {
        *result = NAN;
        return tMathFault::Invalid;
    }
    if (base == 0) { // negative non-integral exponent: ln 0 divides by zero
        *result = HUGE_VALL;
        return tMathFault::DivisionByZero;
    }
    const long double logarithm = std::log(base);
    const long double product = exponent * logarithm;
    if (Faulted(product, exponent, logarithm)) {
        *result = product;
        return std::isnan(product) ? tMathFault::Invalid : tMathFault::Overflow;
    }
    *result = std::exp(product);
    if (std::isinf(*result) && std::isfinite(product))
        return tMathFault::Overflow;
    return tMathFault::None;
}

long double PowerRule(long double base, long double exponent)
{
    long double result = 0;
    RaiseMathFault(TryPower(base, exponent, &result));
    return result;
}

} // namespace zelvora
