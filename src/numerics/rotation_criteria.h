// The pairwise criteria of the factor rotations: each looks at two columns of a loading matrix
// over the selected rows, reduces them to one complex sum S and gives the rotation that makes S
// real and positive (the criterion stationary).
#pragma once

#include "numerics/plane_rotations.h"

namespace zelvora {

// The rotation keywords of `Rot` and `GetTrans`, numbered by their place in the keyword list.
enum class tRotationKeyword : int32_t {
    None = 0,
    Tri = 1,
    Ziel = 2,
    Drei = 3,
    Pca = 4,
    Quartimax = 5,
    Medimax = 6,
    Ztcu = 7,
    Varimax = 8,
    Decomp = 9,
    Antisymmetrisch = 10,
    Blkcu = 11,
    Gleich = 12,
    Varieq = 13,
    Minres = 14,
    Power = 15,
};

// Each criterion below takes z = M[r][a] + i*M[r][b] per row entry r; "negative rows" says what a
// negative entry -r does (counts z = -M[r][b] + i*M[r][a], is skipped, or raises tRangeError), and
// "reversed" whether it negates S when the input runs reversed. N is the length of the row list.

// MEDIMAX: S = sum z^2 - (sum z)^2 / N, angle arg S / 2; negative rows count; reversed honoured.
tRotation MedimaxCriterion(const tCriterionInput& input);
// QUARTIMAX: S = sum z^4, angle arg S / 4; negative rows skipped; reversed honoured.
tRotation QuartimaxCriterion(const tCriterionInput& input);
// VARIMAX (raw, no row normalisation): S = sum z^4 - (sum z^2)^2 / N, divided by its length (a
// length of 0, as for two zero columns or a single row, raises tFloatDivisionByZeroError), angle
// arg S / 4; negative rows skipped; reversed honoured.
tRotation VarimaxCriterion(const tCriterionInput& input);
// VARIEQ: S = -(sum z^4 - (sum z^2)^2 / m), m = rows that contributed, angle arg S / 4: equalises
// the two columns; negative rows skipped; always negated, the reversal ignored. No rows: none.
tRotation VarieqCriterion(const tCriterionInput& input);
// GLEICH: S = i * sum z^2 (sum negated first when reversed), angle arg S / 2: equal sums of
// squares in the two columns; negative rows count.
tRotation GleichCriterion(const tCriterionInput& input);
// MINRES: S = sum over pairs p < q of listed rows of <z_p, z_q> z_p z_q, evaluated in one pass as
// ((sum |z|^2)(sum z^2) - sum |z|^2 z^2) / 2; angle arg S / 2; negative rows count; reversed
// honoured.
tRotation MinresCriterion(const tCriterionInput& input);
// ANTISYMMETRISCH: the 2 x 2 block of rows rows[p], rows[q] and columns a, b; its determinant d
// > 0 leaves the pair, d < 0 negates both columns (c = -1, s = 0), |2d| < 1e-128 no rotation.
// Pairs past the end of the row list are not rotated; negative rows raise tRangeError.
tRotation BlockCriterion(const tCriterionInput& input);
// POWER: z^4 of the listed row with the largest |M[r][a]| (the first on ties), angle arg / 4: that
// row is turned onto the nearer axis. Negative rows raise tRangeError; the reversal is ignored.
tRotation PowerCriterion(const tCriterionInput& input);
// Permut with PCA: exchanges the pair (c, s) = (0, 1) when the sum of |M[r][b]| over the positive
// row entries exceeds that of column a (both sums negated when reversed); otherwise none.
tRotation AbsSumCriterion(const tCriterionInput& input);

// ZIEL toward `target` (rows(M) rows, or twice as many with a mask in the lower half: row r takes
// part only when target[rows(M) + r][a] * target[rows(M) + r][b] != 0): S = sum conj(z_r) t_r,
// t_r = target[r][a] + i*target[r][b], negated when reversed; the rotation (c, -s) with (c, s) =
// S / |S| turns every z_r by +arg S (none when |S| < 1e-128). Marks itself rounding noise when
// Im S is within the rounding of its terms. Run it with tSweepStop::Settled.
tRotationCriterion TargetCriterion(const trealmatrix& target, int32_t loadingRows);

// The criterion that the pairwise driver runs for PCA, QUARTIMAX, MEDIMAX, VARIMAX,
// ANTISYMMETRISCH, GLEICH, VARIEQ, MINRES and POWER; null for every other keyword.
tRotationCriterion PairwiseCriterionOf(tRotationKeyword keyword);

} // namespace zelvora
