// Factor consistency: how stable the loadings of a data matrix are across random subsamples.
#pragma once

#include "numerics/random_matrices.h"
#include "numerics/result.h"
#include "numerics/rotation_criteria.h"

namespace zelvora {

// Fconsist: RawData has n variables in its rows and N cases in its columns. The reference L is the
// Cholesky factor of the correlation matrix of the rows, rotated by `keyword` (DREI: column
// triangularization; PCA, QUARTIMAX, MEDIMAX, VARIMAX, ANTISYMMETRISCH, GLEICH, VARIEQ: their
// pairwise rotation; ZTCU: the common/unique split; any other: unrotated). Each of `samples`
// subsamples draws `sampleSize` distinct cases (a case drawn twice is drawn again), factors them
// the same way and rotates the factor toward L (ZIEL); column s of the result holds that factor
// column by column (element (i-1)*n + j is L_s[j][i]), n*cols(L) rows. sampleSize <= 0 means N and
// is capped at N; samples <= 0 means 9*N. No variables or no cases fail.
tResult<trealmatrix> FactorConsistency(const trealmatrix& rawData, tRotationKeyword keyword,
    int32_t sampleSize, int32_t samples, tRandomGenerator& generator);

} // namespace zelvora
