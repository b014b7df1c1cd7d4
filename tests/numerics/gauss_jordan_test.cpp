// Right division and the plain inverse by Gauss-Jordan elimination.
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"

#include <cmath>
#include <initializer_list>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

trealmatrix Mat(std::initializer_list<std::initializer_list<long double>> rows)
{
    trealmatrix m(static_cast<int32_t>(rows.size()), static_cast<int32_t>(rows.begin()->size()));
    int32_t r = 0;
    for (const auto& row : rows) {
        ++r;
        int32_t c = 0;
        for (long double x : row)
            m(r, ++c) = x;
    }
    return m;
}

long double MaxDifference(const trealmatrix& a, const trealmatrix& b)
{
    EXPECT_EQ(a.Dims(), b.Dims());
    long double worst = 0;
    for (int32_t r = 1; r <= a.Rows(); ++r)
        for (int32_t c = 1; c <= a.Cols(); ++c)
            worst = std::max(worst, std::fabs(a(r, c) - b(r, c)));
    return worst;
}

trealmatrix RandomMatrix(std::mt19937& gen, int32_t rows, int32_t cols)
{
    std::uniform_real_distribution<double> value(-1, 1);
    trealmatrix m(rows, cols);
    for (int32_t r = 1; r <= rows; ++r)
        for (int32_t c = 1; c <= cols; ++c)
            m(r, c) = value(gen);
    return m;
}

TEST(GaussJordan, InverseOfSmallMatrices)
{
    EXPECT_LT(MaxDifference(
                  GaussJordanInverse(Mat({ { 2, 1 }, { 1, 1 } })), Mat({ { 1, -1 }, { -1, 2 } })),
        1e-18L);
    // A zero leading element needs the row exchange.
    EXPECT_EQ(GaussJordanInverse(Mat({ { 0, 1 }, { 1, 0 } })), Mat({ { 0, 1 }, { 1, 0 } }));
    EXPECT_EQ(GaussJordanInverse(Mat({ { 4 } })), Mat({ { 0.25L } }));
}

TEST(GaussJordan, RandomSystemsReconstruct)
{
    const unsigned seed = 20261209;
    std::mt19937 gen(seed);
    for (int32_t n : { 2, 5, 12 }) {
        const trealmatrix a = RandomMatrix(gen, n, n);
        const trealmatrix b = RandomMatrix(gen, 3, n);
        const trealmatrix x = SolveRight(b, a);
        ASSERT_EQ(x.Dims(), (tMatDims { 3, n }));
        EXPECT_LT(MaxDifference(MatMul(x, a), b), 1e-14L) << "seed " << seed << " n " << n;
        EXPECT_LT(MaxDifference(MatMul(a, GaussJordanInverse(a)), MakeIdentity(n, n)), 1e-14L)
            << "seed " << seed << " n " << n;
    }
}

TEST(GaussJordan, SingularMatrixRaisesNothing)
{
    const trealmatrix inverse = GaussJordanInverse(Mat({ { 1, 2 }, { 2, 4 } }));
    ASSERT_EQ(inverse.Dims(), (tMatDims { 2, 2 }));
    for (int32_t r = 1; r <= 2; ++r)
        for (int32_t c = 1; c <= 2; ++c)
            EXPECT_TRUE(std::isfinite(inverse(r, c)));
    EXPECT_EQ(GaussJordanInverse(trealmatrix(3, 3)), trealmatrix(3, 3));
}

TEST(GaussJordan, MisfitsGiveTheFailureMatrix)
{
    const trealmatrix failure = Mat({ { 0 } });
    EXPECT_EQ(GaussJordanInverse(Mat({ { 1, 2, 3 } })), failure);
    EXPECT_EQ(SolveRight(Mat({ { 1, 2, 3 } }), Mat({ { 1, 0 }, { 0, 1 } })), failure);
    EXPECT_EQ(SolveRight(trealmatrix(), Mat({ { 1 } })), failure);
    EXPECT_EQ(GaussJordanInverse(trealmatrix(0, 0)).Dims(), (tMatDims { 0, 0 }));
}

} // namespace
} // namespace zelvora
