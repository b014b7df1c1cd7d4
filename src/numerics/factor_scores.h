// Factor scores of the cases of a data set, given the loadings of a factor solution.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

enum class tScoreMethod { Regression, Bartlett };

struct tFactorScores {
    trealmatrix scores; // cases x factors
    trealmatrix weights; // variables x factors: scores = Z * weights
};

// The scores of the n cases (rows) of data X (n x p) on the k factors of loadings L (p x k) with
// factor correlations Phi (k x k; the identity for an orthogonal solution). Z is X standardised per
// column (mean 0, standard deviation of divisor n - 1) and R = Z'Z / (n - 1) its correlations.
// Regression (Thurstone): weights R^-1 L Phi, the structure solved against R. Bartlett:
// U^-2 L (L' U^-2 L)^-1 with the uniquenesses U^2 = 1 - diag(L Phi L'). Fails with a message for
// misfitting shapes, fewer than 2 cases, a column without spread, a singular R (regression), a
// uniqueness that is not positive or loadings whose columns are linearly dependent (Bartlett).
tResult<tFactorScores> FactorScores(const trealmatrix& data, const trealmatrix& loadings,
    const trealmatrix& phi, tScoreMethod method);

} // namespace zelvora
