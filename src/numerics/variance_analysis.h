// Variance analysis of one dependent row on factors with main effects and two-way interactions.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

struct tVarianceAnalysis {
    // One row per line of the table, three columns: column 1 the totals (total sum of squares,
    // total variation, residual), column 2 the constant, the model, the main effects together and
    // the interactions together, column 3 every single factor and interaction.
    trealmatrix statistics;
    tStringmatrix labels; // one column, the line texts of the table
    trealmatrix squares; // L o L, element-wise
    trealmatrix
        factor; // L, the Cholesky factor of the Gram matrix of the design and dependent rows
    trealmatrix weights; // (L_yx * L_xx^-1)': one regression weight per design row
};

// ANOVA of y (1 x n) on the factors (one row per factor, n columns). Each factor with L distinct
// levels (ValueFrequencies) gives L - 1 dummy rows, 1 where a case has level 2 .. L (the first
// level is the reference); the design rows are the constant, the dummy rows of every factor and
// the products of the dummy rows of every pair of factors p < q. The design rows and y are
// orthogonalised in this order by CholeskyFactor of their GramProduct; the squares of the last
// row of L, summed over the blocks, are the sequential sums of squares. Design rows that depend on
// earlier ones (empty cells of an interaction, a factor with one level) add 0. y with more or fewer
// than one row, a factor matrix whose columns differ from y's, no case, or a value that is not
// finite, or a design of more than 2000 rows fail saying so.
tResult<tVarianceAnalysis> VarianceAnalysis(const trealmatrix& y, const trealmatrix& factors);

} // namespace zelvora
