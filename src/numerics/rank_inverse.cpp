// The rank-truncated inverse by two-sided principal-axis rotations.
#include "numerics/rank_inverse.h"

#include "numerics/gauss_jordan.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/plane_rotations.h"

#include <cmath>

namespace zelvora {
namespace {
constexpr long double rankThreshold = 1e-12L;
} // namespace

tResult<trealmatrix> RankInverse(const trealmatrix& a, const tCheckpoint* checkpoint)
{
    // The final product T1 * D * T2t only fits for a square matrix.
    if (a.IsAbsent() || a.Rows() != a.Cols())
        return Failure(1, "");
    const int32_t n = a.Rows();
    if (n == 0)
        return trealmatrix(0, 0);
    const tIntvector all = AllIndexes(n);

    tRotationResult columns = RotationSweeps(
        a, all, all, PrincipalAxisCriterion, false, tSweepStop::HalfAngleFloor, checkpoint);
    const trealmatrix t1 = std::move(columns.transform);
    const tRotationResult rows = RotationSweeps(Transpose(columns.rotated), all, all,
        PrincipalAxisCriterion, false, tSweepStop::HalfAngleFloor, checkpoint);
    const trealmatrix t2t = Transpose(rows.transform);
    trealmatrix d = Transpose(rows.rotated);

    int32_t rank = n;
    while (rank >= 1 && !(std::fabs(d(rank, rank)) > rankThreshold))
        --rank;
    if (rank > 0) {
        trealmatrix block(rank, rank);
        for (int32_t i = 1; i <= rank; ++i)
            for (int32_t j = 1; j <= rank; ++j)
                block(i, j) = d(i, j);
        const trealmatrix inverse = GaussJordanInverse(block, checkpoint).Value();
        for (int32_t i = 1; i <= rank; ++i)
            for (int32_t j = 1; j <= rank; ++j)
                d(i, j) = inverse(i, j);
    }
    return MatMul(MatMul(t1, d, 1).Value(), t2t, 1);
}

} // namespace zelvora
