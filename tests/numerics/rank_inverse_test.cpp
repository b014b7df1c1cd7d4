// The rank-truncated inverse, the determinant's magnitude and the trace.
#include "matrix_test_util.h"
#include "numerics/determinant.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/plane_rotations.h"
#include "numerics/rank_inverse.h"
#include "support/result_support.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::RandomMatrix;

TEST(RankInverse, RegularSingularAndMisfit)
{
    EXPECT_LT(MaxDifference(
                  RankInverse(Mat({ { 2, 1 }, { 1, 1 } })).Value(), Mat({ { 1, -1 }, { -1, 2 } })),
        1e-17L);
    // Rank 1: the pseudo-inverse.
    EXPECT_LT(MaxDifference(RankInverse(Mat({ { 1, 2 }, { 2, 4 } })).Value(),
                  Mat({ { 0.04L, 0.08L }, { 0.08L, 0.16L } })),
        1e-17L);
    EXPECT_EQ(RankInverse(Mat({ { 0, 0 }, { 0, 0 } })).Value(), Mat({ { 0, 0 }, { 0, 0 } }));
    EXPECT_EQ(FailureCode(RankInverse(Mat({ { 1, 2, 3 }, { 4, 5, 6 } }))), 1);
    EXPECT_EQ(RankInverse(trealmatrix(0, 0)).Value().Dims(), (tMatDims { 0, 0 }));
}

TEST(RankInverse, WellConditionedRandomMatricesInvert)
{
    const unsigned seed = 20260311;
    std::mt19937 gen(seed);
    for (int32_t n : { 3, 20, 60 }) {
        // Diagonally dominant, so the condition stays small.
        trealmatrix a = RandomMatrix(gen, n, n);
        for (int32_t i = 1; i <= n; ++i)
            a(i, i) += n;
        EXPECT_LT(
            MaxDifference(MatMul(RankInverse(a).Value(), a).Value(), IdentityMatrix(n)), 1e-15L)
            << "seed " << seed << " n " << n;
    }
}

TEST(RankInverse, TruncatesBelowTheRankThreshold)
{
    // diag(1, 1e-13) rotated: the small singular value is dropped.
    const long double c = std::cos(0.3L);
    const long double s = std::sin(0.3L);
    const trealmatrix q = Mat({ { c, -s }, { s, c } });
    const trealmatrix a
        = MatMul(MatMul(q, Mat({ { 1, 0 }, { 0, 1e-13L } })).Value(), Transpose(q)).Value();
    const trealmatrix expected
        = MatMul(MatMul(q, Mat({ { 1, 0 }, { 0, 0 } })).Value(), Transpose(q)).Value();
    EXPECT_LT(MaxDifference(RankInverse(a).Value(), expected), 1e-9L);
}

TEST(Determinant, Magnitudes)
{
    EXPECT_EQ(Determinant(Mat({ { 0, 1 }, { 1, 0 } })), 1);
    EXPECT_NEAR(static_cast<double>(Determinant(Mat({ { 2, 0 }, { 0, 3 } }))), 6, 1e-17);
    EXPECT_EQ(Determinant(Mat({ { -4 } })), 4);
    EXPECT_EQ(Determinant(Mat({ { 1, 2, 3 }, { 4, 5, 6 } })), 0);
    EXPECT_EQ(Determinant(Mat({ { 1, 2 }, { 2, 4 } })) < 1e-18L, true);
    EXPECT_NEAR(static_cast<double>(Determinant(Mat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 10 } }))),
        3, 1e-16);
}

TEST(Determinant, SameBitsAsTheFullTriangularization)
{
    std::mt19937 gen(7);
    for (int32_t n : { 2, 5, 17 }) {
        const trealmatrix a = RandomMatrix(gen, n, n);
        const trealmatrix w = ColumnTriangularize(a, n).rotated;
        long double product = 1;
        for (int32_t i = 1; i <= n; ++i)
            product *= std::fabs(w(i, i));
        EXPECT_EQ(Determinant(a), product) << "n " << n;
    }
}

TEST(Determinant, OverflowIsAMathError)
{
    trealmatrix a(3, 3);
    for (int32_t i = 1; i <= 3; ++i)
        a(i, i) = 1e2000L;
    EXPECT_THROW(Determinant(a), tFloatOverflowError);
}

TEST(Trace, AnyShape)
{
    EXPECT_EQ(Trace(Mat({ { 1, 2, 3 }, { 4, 5, 6 } })), 6);
    EXPECT_EQ(Trace(trealmatrix(0, 3)), 0);
}

} // namespace
} // namespace zelvora
