// Whether a correlation matrix is fit for factoring: the Kaiser-Meyer-Olkin measure of sampling
// adequacy and Bartlett's test of sphericity.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

struct tSamplingAdequacy {
    long double overall = 0;
    trealmatrix perVariable; // n x 1
};

// KMO: with r the correlations and a the partial correlations -Q_ij / sqrt(Q_ii Q_jj) of
// Q = R^-1, overall sum r^2 / (sum r^2 + sum a^2) over all i != j, and for variable i the same over
// its row. A covariance matrix is standardised first. Fails with a message for an unfit matrix
// (see CorrelationInput) and for a singular one.
tResult<tSamplingAdequacy> SamplingAdequacy(const trealmatrix& a);

struct tChiSquareTest {
    long double statistic = 0;
    long double df = 0;
    long double p = 0;
};

// Bartlett's test that R is the identity: chi^2 = -(n - 1 - (2p + 5) / 6) ln det R with
// p (p - 1) / 2 degrees of freedom, n the number of cases. Fails for an unfit or singular matrix
// and for n not above (2p + 11) / 6 (the factor would not be positive).
tResult<tChiSquareTest> SphericityTest(const trealmatrix& a, long double cases);

} // namespace zelvora
