// Plane rotations, the half angle, the rotation driver and the column triangularization.
#include "matrix_test_util.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/plane_rotations.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::RandomMatrix;

tIntvector Indexes(int32_t n)
{
    return AllIndexes(n);
}

long double ColumnDot(const trealmatrix& m, int32_t a, int32_t b)
{
    long double sum = 0;
    for (int32_t r = 1; r <= m.Rows(); ++r)
        sum += m(r, a) * m(r, b);
    return sum;
}

TEST(PlaneRotations, ColumnsRowsAndGivens)
{
    trealmatrix m = Mat({ { 3, 4 }, { 1, 0 } });
    const tRotation g = GivensZero(m, 1, 1, 2);
    ASSERT_TRUE(g.rotate);
    RotateColumns(m, 1, 2, g.c, g.s);
    EXPECT_EQ(m, Mat({ { 5, 0 }, { 0.6L, -0.8L } }));
    RotateRows(m, 1, 2, 0, 1); // a quarter turn exchanges the rows, negating the second
    EXPECT_EQ(m, Mat({ { 0.6L, -0.8L }, { -5, 0 } }));
    EXPECT_FALSE(GivensZero(Mat({ { 1e-130L, 0 } }), 1, 1, 2).rotate);
    EXPECT_THROW(RotateColumns(m, 1, 3, 1, 0), tRangeError);
}

TEST(PlaneRotations, HalfAngle)
{
    const auto [u, v] = HalfAngle(0, 4); // 4i = 4 e^{i pi/2}
    EXPECT_NEAR(static_cast<double>(u), std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(static_cast<double>(v), std::sqrt(2.0), 1e-15);
    EXPECT_EQ(HalfAngle(-9, -0.0L).first, 0);
    EXPECT_EQ(HalfAngle(-9, 0).second, 3);
    EXPECT_EQ(HalfAngle(-9, -1).second < 0, true);
    // Parts below 1e-128 count as 0; a vanishing r returns the input.
    EXPECT_EQ(HalfAngle(1e-130L, -1e-130L), (std::pair<long double, long double> { 0, 0 }));
    // An angle too small to change r gives exactly no sine: what lets the driver stop.
    EXPECT_EQ(HalfAngle(4, 1e-12L), (std::pair<long double, long double> { 2, 0 }));
}

TEST(PlaneRotations, PrincipalAxisSweepsOrthogonalizeInDecreasingLength)
{
    std::mt19937 gen(4711);
    const trealmatrix original = RandomMatrix(gen, 12, 6);
    const tRotationResult run
        = RotationSweeps(original, Indexes(12), Indexes(6), PrincipalAxisCriterion);
    const trealmatrix& m = run.rotated;
    EXPECT_LT(MaxDifference(MatMul(original, run.transform).Value(), m), 1e-17L);
    EXPECT_GE(run.sweeps, 2);
    EXPECT_LT(run.sweeps, 20);
    for (int32_t a = 1; a < 6; ++a) {
        EXPECT_GT(ColumnDot(m, a, a), ColumnDot(m, a + 1, a + 1));
        for (int32_t b = a + 1; b <= 6; ++b)
            EXPECT_LT(std::fabs(ColumnDot(m, a, b)), 1e-8L * ColumnDot(m, a, a));
    }

    // Reversed, the longer column of a pair goes second.
    const trealmatrix reversed = RotationSweeps(
        Mat({ { 3, 1 }, { 0, 1 } }), Indexes(2), Indexes(2), PrincipalAxisCriterion, true)
                                     .rotated;
    EXPECT_LT(ColumnDot(reversed, 1, 1), ColumnDot(reversed, 2, 2));
    EXPECT_LT(std::fabs(ColumnDot(reversed, 1, 2)), 1e-15L);
}

TEST(PlaneRotations, RowListSelectsAndNegativeRowsCountAgainst)
{
    // Only row 1 is looked at: it is turned onto the first column; row 2 just follows.
    const trealmatrix m = Mat({ { 1, 1 }, { 5, -7 } });
    EXPECT_LT(
        std::fabs(
            RotationSweeps(m, tIntvector(1, 1), Indexes(2), PrincipalAxisCriterion).rotated(1, 2)),
        1e-9L);
    // A row counted against: the rotation turns it onto the second column instead.
    const trealmatrix against
        = RotationSweeps(Mat({ { 1, 1 } }), tIntvector(1, -1), Indexes(2), PrincipalAxisCriterion)
              .rotated;
    EXPECT_LT(std::fabs(against(1, 1)), 1e-9L);
    EXPECT_THROW(
        RotationSweeps(m, tIntvector(1, 3), Indexes(2), PrincipalAxisCriterion), tRangeError);
    EXPECT_THROW(
        RotationSweeps(m, Indexes(2), tIntvector(1, 0), PrincipalAxisCriterion), tRangeError);
}

TEST(PlaneRotations, SweepsStopOnNonFiniteInput)
{
    const tRotationResult run = RotationSweeps(
        Mat({ { NAN, 1 }, { 2, INFINITY } }), Indexes(2), Indexes(2), PrincipalAxisCriterion);
    EXPECT_EQ(run.transform.Dims(), (tMatDims { 2, 2 }));
    EXPECT_EQ(run.sweeps, 1);
}

TEST(PlaneRotations, ColumnTriangularize)
{
    std::mt19937 gen(99);
    const trealmatrix original = RandomMatrix(gen, 4, 6);
    const tRotationResult run = ColumnTriangularize(original, 4); // rows taken 1, 2, 3, 4
    const trealmatrix& m = run.rotated;
    const trealmatrix product = MatMul(original, run.transform).Value();
    for (int32_t i = 1; i <= 4; ++i) {
        EXPECT_GE(m(i, i), 0);
        for (int32_t j = i + 1; j <= 6; ++j)
            EXPECT_LT(std::fabs(m(i, j)), 1e-17L);
        // Up to the signs of negated columns, M_new = M_old * T.
        for (int32_t r = 1; r <= 4; ++r)
            EXPECT_NEAR(static_cast<double>(std::fabs(m(r, i))),
                static_cast<double>(std::fabs(product(r, i))), 1e-17);
    }

    // Start 1 takes rows 2, 3, 1: row 2 keeps only its first element.
    const trealmatrix wrapped
        = ColumnTriangularize(Mat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 10 } }), 1).rotated;
    EXPECT_LT(std::fabs(wrapped(2, 2)) + std::fabs(wrapped(2, 3)), 1e-17L);
    EXPECT_NEAR(static_cast<double>(wrapped(2, 1)), std::sqrt(77.0), 1e-15);

    // A tall matrix and a start beyond the rows stay inside the matrix.
    const tRotationResult tall = ColumnTriangularize(RandomMatrix(gen, 5, 2), 17);
    EXPECT_EQ(tall.rotated.Dims(), (tMatDims { 5, 2 }));
    EXPECT_EQ(tall.transform.Dims(), (tMatDims { 2, 2 }));
}

} // namespace
} // namespace zelvora
