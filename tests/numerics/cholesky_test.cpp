// Cholesky factors: the plain factor and the pivot-scaled variant.
#include "matrix_test_util.h"
#include "numerics/cholesky.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::RandomMatrix;

trealmatrix RandomCovariance(std::mt19937& gen, int32_t n)
{
    std::uniform_real_distribution<double> value(-1, 1);
    trealmatrix x(n + 3, n);
    for (int32_t r = 1; r <= x.Rows(); ++r)
        for (int32_t c = 1; c <= n; ++c)
            x(r, c) = value(gen);
    return GramProduct(x, 2).Value();
}

TEST(Cholesky, SmallCases)
{
    EXPECT_LT(MaxDifference(CholeskyFactor(Mat({ { 4, 2 }, { 2, 3 } })).Value(),
                  Mat({ { 2, 0 }, { 1, std::sqrt(2.0L) } })),
        1e-18L);
    EXPECT_EQ(CholeskyFactor(Mat({ { -4 } })).Value(), Mat({ { -2 } }));
    EXPECT_EQ(CholeskyFactor(Mat({ { 0, 0 }, { 0, 1 } })).Value(), Mat({ { 0, 0 }, { 0, 1 } }));
    // Tall: the rows below the square part are solved as well; wide: extra columns stay 0.
    EXPECT_EQ(CholeskyFactor(Mat({ { 4 }, { 2 }, { 6 } })).Value(), Mat({ { 2 }, { 1 }, { 3 } }));
    EXPECT_EQ(CholeskyFactor(Mat({ { 4, 1, 1 } })).Value(), Mat({ { 2, 0, 0 } }));
}

TEST(Cholesky, RandomCovarianceReconstructs)
{
    std::mt19937 gen(31);
    for (int32_t n : { 2, 9, 30 }) {
        const trealmatrix a = RandomCovariance(gen, n);
        const trealmatrix l = CholeskyFactor(a).Value();
        EXPECT_LT(MaxDifference(MatMul(l, Transpose(l)).Value(), a), 1e-16L * n) << n;
    }
}

// A = L*D*L' read back from the pivots and the scaled factor.
trealmatrix FromUD(const trealmatrix& r)
{
    const int32_t n = r.Rows();
    trealmatrix l(n, n);
    trealmatrix d(n, n);
    for (int32_t t = 1; t <= n; ++t) {
        d(t, t) = r(t, t);
        for (int32_t w = t; w <= n; ++w)
            l(w, t) = r(w, t) / r(t, t);
    }
    return MatMul(MatMul(l, d).Value(), Transpose(l)).Value();
}

TEST(CholeskyUD, PivotsAndScaledFactor)
{
    EXPECT_LT(
        MaxDifference(CholeskyUD(Mat({ { 4, 2 }, { 2, 3 } })).Value(), Mat({ { 4, 0 }, { 2, 2 } })),
        1e-18L);
    EXPECT_EQ(CholeskyUD(Mat({ { 1, 2, 3 } })).Value(), Mat({ { 0, 0, 0 } }));
    EXPECT_THROW(CholeskyUD(Mat({ { 0, 0 }, { 0, 1 } })).Value(), tFloatDivisionByZeroError);
    EXPECT_THROW(CholeskyUD(Mat({ { -1 } })).Value(), tFloatInvalidError);
}

TEST(CholeskyUD, NegativePartialCovariancesAreKept)
{
    // Positive definite, with a negative residual covariance of variables 2 and 3 after the
    // first step: only residual variances are cut at 0, so the factor stays exact.
    const trealmatrix a = Mat({ { 1, 0.5L, 0.5L }, { 0.5L, 1, 0 }, { 0.5L, 0, 1 } });
    const trealmatrix r = CholeskyUD(a).Value();
    EXPECT_NEAR(static_cast<double>(r(3, 2)), -0.25, 1e-18);
    EXPECT_LT(MaxDifference(FromUD(r), a), 1e-18L);

    std::mt19937 gen(5);
    const trealmatrix random = RandomCovariance(gen, 12);
    EXPECT_LT(MaxDifference(FromUD(CholeskyUD(random).Value()), random), 1e-16L);
}

} // namespace
} // namespace zelvora
