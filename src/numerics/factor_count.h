// How many factors to keep: Velicer's minimum average partial and parallel analysis.
#pragma once

#include "numerics/checkpoint.h"
#include "numerics/matrix_types.h"
#include "numerics/random_matrices.h"
#include "numerics/result.h"

namespace zelvora {

struct tMinimumAveragePartial {
    trealmatrix averages; // (p - 1) x 1: row m after removing the first m principal components
    long double none = 0; // the average squared correlation, before any component is removed
    int32_t suggested = 0; // the m of the smallest average; 0 when none is smaller still
    int32_t undefinedFrom = 0; // the first m whose average is undefined (MissingNumber), or 0
    int32_t emptyVariable = 0; // the variable without residual variance there
};

// Velicer's MAP for the correlation matrix that A stands for (see CorrelationInput): with A_m the
// loadings of the first m principal components, the partial covariances R - A_m A_m' scaled to
// correlations, and the mean of their squares off the diagonal, for m = 1 .. p - 1. From the first
// m where a variable keeps no residual variance (at most 1e-12; it only shrinks with m) the partial
// correlations are undefined: those rows hold MissingNumber and do not count for the suggestion.
// Fails with a message for an unfit matrix.
tResult<tMinimumAveragePartial> MinimumAveragePartial(const trealmatrix& a);

enum class tParallelKind { Components, Factors };

struct tParallelAnalysis {
    trealmatrix observed; // p x 1, decreasing
    trealmatrix percentile; // p x 1: the 95th percentile of the random sets' eigenvalue j
    int32_t suggested = 0; // leading observed eigenvalues above their percentile
};

// Parallel analysis: the eigenvalues of the correlation matrix that A stands for (Components) or
// of its reduced form with the squared multiple correlations on the diagonal (Factors), against
// those of `sets` correlation matrices of n cases x p variables of standard normal deviates drawn
// case by case from the generator. The percentile interpolates between the sorted values
// (position 0.95 (sets - 1), counted from 0). The sets' eigenvalues are computed on the threads
// of the context's worker pool, with the same result for any number of threads; the sets' deviates
// are drawn first (at most 2^20 at a time) unless one set alone needs more, which then draws while
// it sums. The checkpoint is reached after every set, on the calling thread. Fails with
// a message for an unfit matrix, fewer than 3 cases (or for Factors not more cases than
// variables), fewer than 2 sets, and for Factors a singular matrix.
tResult<tParallelAnalysis> ParallelAnalysis(const trealmatrix& a, int32_t cases, int32_t sets,
    tParallelKind kind, tRandomGenerator& random, const tCheckpoint* checkpoint = nullptr);

} // namespace zelvora
