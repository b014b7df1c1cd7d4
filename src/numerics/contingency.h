// Statistics of contingency tables: expected counts, their deviations, chi-square and Cramer's V.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Every routine here fails for a table with a missing cell (a count that is not known leaves every
// margin unknown); the failure names the first such cell.

// E_ij = R_i * C_j / T with the row sums R, column sums C and total T of the table; the zero
// matrix when T = 0. An overflow raises its run-time error.
tResult<trealmatrix> ExpectedCounts(const trealmatrix& table);

// The table minus its expected counts.
tResult<trealmatrix> ErwAbw(const trealmatrix& table);

// (M_ij - E_ij)^2 / E_ij, 0 where E_ij = 0 (SafeDiv).
tResult<trealmatrix> ChiSquareParts(const trealmatrix& table);

// The sum of ChiSquareParts; 0 when any step raises a math error.
tResult<long double> ChiSquareStatistic(const trealmatrix& table);

// sqrt(chi^2 / (T * (min(rows, cols) - 1))); 0 for tables with fewer than two rows or columns and
// when any step raises a math error.
tResult<long double> CramersV(const trealmatrix& table);

} // namespace zelvora
