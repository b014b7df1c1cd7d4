// The regularised incomplete gamma function, the two classical expansions.
#include "numerics/chi_square.h"

#include <cmath>
#include <limits>

namespace zelvora {
namespace {

constexpr long double Precision = 1e-19L;
constexpr int MaxTerms = 100000;

// exp(-x) x^a / Gamma(a), the factor in front of both expansions.
long double Front(long double a, long double x)
{
    return std::exp(a * std::log(x) - x - std::lgamma(a));
}

// P(a, x) = front / a * sum x^n / ((a + 1) ... (a + n)).
long double LowerBySeries(long double a, long double x)
{
    long double term = 1 / a;
    long double sum = term;
    for (int n = 1; n < MaxTerms && std::fabs(term) > Precision * std::fabs(sum); ++n) {
        term *= x / (a + n);
        sum += term;
    }
    return sum * Front(a, x);
}

// Q(a, x) = front * 1 / (x + 1 - a - 1 (1 - a) / (x + 3 - a - ...)).
long double UpperByFraction(long double a, long double x)
{
    constexpr long double tiny = std::numeric_limits<long double>::min() / Precision;
    long double b = x + 1 - a;
    long double c = 1 / tiny;
    long double d = 1 / b;
    long double h = d;
    for (int i = 1; i < MaxTerms; ++i) {
        const long double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1 / d;
        const long double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < Precision)
            break;
    }
    return Front(a, x) * h;
}

} // namespace

long double ChiSquareUpperTail(long double x, long double df)
{
    if (!(df > 0))
        return std::numeric_limits<long double>::quiet_NaN();
    if (x <= 0)
        return 1;
    const long double a = df / 2;
    const long double half = x / 2;
    if (half < a + 1)
        return 1 - LowerBySeries(a, half);
    return UpperByFraction(a, half);
}

long double NoncentralChiSquareLowerTail(long double x, long double df, long double lambda)
{
    if (x <= 0)
        return 0;
    const long double mean = lambda / 2;
    const auto weight = [&](long double j) {
        return mean == 0 ? (j == 0 ? 1.0L : 0.0L)
                         : std::exp(j * std::log(mean) - mean - std::lgamma(j + 1));
    };
    const long double mode = std::floor(mean);
    long double sum = 0;
    for (long double j = mode; j >= 0; --j) {
        const long double w = weight(j);
        sum += w * (1 - ChiSquareUpperTail(x, df + 2 * j));
        if (w < 1e-22L)
            break;
    }
    for (long double j = mode + 1;; ++j) {
        const long double w = weight(j);
        if (w < 1e-22L)
            break;
        sum += w * (1 - ChiSquareUpperTail(x, df + 2 * j));
    }
    return sum;
}

} // namespace zelvora
