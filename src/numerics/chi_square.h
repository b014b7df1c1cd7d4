// The chi-square distribution's upper tail, for the tests of the factor-analysis routines.
#pragma once

namespace zelvora {

// P(X > x) for X chi-square with df > 0 degrees of freedom: the regularised upper incomplete gamma
// function Q(df/2, x/2), by its power series below x/2 < df/2 + 1 and by its continued fraction
// (modified Lentz) above, each to a relative 1e-19. x <= 0 gives 1; df <= 0 gives NaN.
long double ChiSquareUpperTail(long double x, long double df);

// P(X <= x) for X noncentral chi-square with df > 0 degrees of freedom and noncentrality
// lambda >= 0: the Poisson(lambda / 2) mixture of central chi-square distributions with df + 2j
// degrees of freedom, summed over j around the Poisson mode until the weights fall below 1e-22.
long double NoncentralChiSquareLowerTail(long double x, long double df, long double lambda);

} // namespace zelvora
