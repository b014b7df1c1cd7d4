// KMO and Bartlett's sphericity test, in closed form from the inverse and the determinant.
#include "numerics/factor_adequacy.h"

#include "numerics/chi_square.h"
#include "numerics/factor_inputs.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace zelvora {

tResult<tSamplingAdequacy> SamplingAdequacy(const trealmatrix& a)
{
    tResult<trealmatrix> r = CorrelationInput(a);
    if (!r)
        return r.Error();
    tResult<trealmatrix> q = CorrelationInverse(*r);
    if (!q)
        return q.Error();
    const int32_t n = r->Rows();
    tSamplingAdequacy result { 0, trealmatrix(n, 1) };
    long double correlations = 0;
    long double partials = 0;
    for (int32_t i = 1; i <= n; ++i) {
        long double rowCorrelations = 0;
        long double rowPartials = 0;
        for (int32_t j = 1; j <= n; ++j) {
            if (i == j)
                continue;
            const long double rij = (*r)(i, j);
            const long double aij = (*q)(i, j) / std::sqrt((*q)(i, i) * (*q)(j, j));
            rowCorrelations += rij * rij;
            rowPartials += aij * aij;
        }
        // A variable uncorrelated with all others has no adequacy to speak of: 0/0.
        result.perVariable(i, 1) = rowCorrelations + rowPartials > 0
            ? rowCorrelations / (rowCorrelations + rowPartials)
            : 0;
        correlations += rowCorrelations;
        partials += rowPartials;
    }
    result.overall = correlations + partials > 0 ? correlations / (correlations + partials) : 0;
    return result;
}

tResult<tChiSquareTest> SphericityTest(const trealmatrix& a, long double cases)
{
    tResult<trealmatrix> r = CorrelationInput(a);
    if (!r)
        return r.Error();
    const long double p = r->Rows();
    const long double factor = cases - 1 - (2 * p + 5) / 6;
    if (!(factor > 0)) {
        char text[64];
        std::snprintf(text, sizeof text, "%.10Lg", cases);
        return Failure(std::string("zu wenige F\xE4lle (") + text + ") f\xFCr "
            + std::to_string(r->Rows())
            + " Variablen: n muss gr\xF6\xDF"
              "er als (2p+11)/6 sein");
    }
    tResult<long double> logDet = CorrelationLogDeterminant(*r);
    if (!logDet)
        return logDet.Error();
    tChiSquareTest test;
    test.statistic = -factor * *logDet;
    test.df = p * (p - 1) / 2;
    test.p = ChiSquareUpperTail(test.statistic, test.df);
    return test;
}

} // namespace zelvora
