// Extraction of k common factors from a correlation matrix: principal axes with iterated
// communalities, minimum residual (MINRES) and maximum likelihood with its tests of fit.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <optional>
#include <vector>

namespace zelvora {

enum class tExtractionMethod { PrincipalAxis = 1, Minres = 2, MaximumLikelihood = 3 };

// How well k factors reproduce R by maximum likelihood, for n cases.
struct tModelFit {
    long double objective = 0; // F = sum over the p - k smallest eigenvalues e of
                               // Psi^-1/2 R Psi^-1/2 of e - ln e - 1
    long double chiSquare = 0; // (n - 1 - (2p + 5) / 6 - 2k / 3) F
    long double df = 0; // ((p - k)^2 - p - k) / 2
    long double p = 0; // upper tail of chi-square at chiSquare with df
    long double rmsea = 0; // sqrt(max(chiSquare / (df n) - 1 / (n - 1), 0))
    long double rmseaLower = 0; // 90% interval from the noncentral chi-square
    long double rmseaUpper = 0;
    long double tli = 0; // Tucker-Lewis: (M0 - Mk) / (M0 - 1), M = chi-square / df, the null
                         // model's chi-square -ln det R with the same factor as chiSquare
    long double bic = 0; // chiSquare - df ln n
};

struct tFactorExtraction {
    trealmatrix loadings; // p x k, each column with a nonnegative sum
    trealmatrix communalities; // p x 1, row sums of the squared loadings
    trealmatrix uniquenesses; // p x 1, 1 - communalities
    int32_t iterations = 0;
    bool converged = false;
    // Variables whose communality reached 1 (the Heywood case) or whose uniqueness sits at the
    // lower bound 0.005 of the optimisers; empty when none.
    std::vector<int32_t> heywood;
    std::optional<tModelFit> fit; // maximum likelihood with n > 0 cases
};

// The loadings of k factors of the correlation matrix of A (see CorrelationInput), from starting
// uniquenesses 1 - SMC:
// - principal axes: the communalities h2 on the diagonal of R, L the k leading eigenvectors
//   scaled by the roots of their (nonnegative) eigenvalues, h2 := row sums of L^2, until the sum of
//   the changes of h2 is below 1e-14;
// - MINRES: the uniquenesses Psi in [0.005, 1] that minimise the squared off-diagonal residuals of
//   R - L L' (the loadings of R - Psi as above), by quasi-Newton steps (BFGS, bounds active set)
//   until the largest free gradient element is below 1e-13 (or below 1e-9 where rounding stops
//   the steps);
// - maximum likelihood: the same optimiser on F(Psi) above, its inverse Hessian started (and
//   started again) from the inverse of an approximation of the second derivatives that is exact
//   where the model fits; L = Psi^1/2 V (E - I)^1/2 from the leading eigenpairs of
//   Psi^-1/2 R Psi^-1/2. With cases > 0 the fit statistics are computed.
// At most maxIterations steps; a run that stops there is reported as not converged. Fails for an
// unfit matrix, for k outside 1 .. p - 1 and, for maximum likelihood, for a singular R.
tResult<tFactorExtraction> ExtractFactors(const trealmatrix& a, int32_t k, tExtractionMethod method,
    long double cases = 0, int32_t maxIterations = 10000);

} // namespace zelvora
