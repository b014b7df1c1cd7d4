// The symmetric eigen solver of the factor analysis: A V = V diag(values) with orthonormal V and
// decreasing values, for random matrices of several orders, repeated and clustered eigenvalues,
// matrices that are already (nearly) diagonal or tridiagonal, and unfit shapes.
#include "matrix_test_util.h"
#include "numerics/symmetric_eigen.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;

// Largest |(A V - V diag(values))_ij| and |(V'V - I)_ij|, each relative to the largest |A_ij|.
struct tResiduals {
    long double equation = 0;
    long double orthonormality = 0;
};

tResiduals ResidualsOf(const trealmatrix& a, const tSymmetricEigen& eigen)
{
    const int32_t n = a.Rows();
    long double largest = 0;
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= n; ++j)
            largest = std::max(largest, std::fabs(a(i, j)));
    tResiduals residuals;
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= n; ++j) {
            long double av = 0;
            long double vv = 0;
            for (int32_t l = 1; l <= n; ++l) {
                av += a(i, l) * eigen.vectors(l, j);
                vv += eigen.vectors(l, i) * eigen.vectors(l, j);
            }
            av -= eigen.vectors(i, j) * eigen.values(1, j);
            residuals.equation
                = std::max(residuals.equation, std::fabs(av) / std::max(largest, 1e-4000L));
            residuals.orthonormality
                = std::max(residuals.orthonormality, std::fabs(vv - (i == j ? 1 : 0)));
        }
    }
    return residuals;
}

void ExpectEigenSystem(const trealmatrix& a, long double tolerance = 1e-17L)
{
    const tSymmetricEigen eigen = SymmetricEigen(a).Value();
    ASSERT_EQ(eigen.values.Cols(), a.Rows());
    ASSERT_EQ(eigen.vectors.Rows(), a.Rows());
    const tResiduals residuals = ResidualsOf(a, eigen);
    EXPECT_LT(residuals.equation, tolerance);
    EXPECT_LT(residuals.orthonormality, tolerance);
    for (int32_t j = 2; j <= a.Rows(); ++j)
        EXPECT_GE(eigen.values(1, j - 1), eigen.values(1, j)) << j;
}

trealmatrix RandomSymmetric(std::mt19937& random, int32_t n)
{
    std::uniform_real_distribution<long double> uniform(-1, 1);
    trealmatrix a(n, n);
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = i; j <= n; ++j)
            a(i, j) = a(j, i) = uniform(random);
    return a;
}

TEST(SymmetricEigen, RandomMatricesOfEveryOrder)
{
    std::mt19937 random(36);
    for (int32_t n : { 1, 2, 3, 4, 7, 20, 50, 83 }) {
        SCOPED_TRACE(n);
        ExpectEigenSystem(RandomSymmetric(random, n), 1e-16L);
    }
}

TEST(SymmetricEigen, KnownValuesInDecreasingOrder)
{
    // Eigenvalues 3 and 1 for the 2 x 2; 1 + 2 * 0.5 = 2 and 0.5 (twice) for the equicorrelated 3
    // x 3.
    const tSymmetricEigen two = SymmetricEigen(Mat({ { 2, 1 }, { 1, 2 } })).Value();
    EXPECT_NEAR(two.values(1, 1), 3, 1e-18L);
    EXPECT_NEAR(two.values(1, 2), 1, 1e-18L);
    EXPECT_NEAR(std::fabs(two.vectors(1, 1)), std::sqrt(0.5L), 1e-18L);
    const tSymmetricEigen three
        = SymmetricEigen(Mat({ { 1, 0.5, 0.5 }, { 0.5, 1, 0.5 }, { 0.5, 0.5, 1 } })).Value();
    EXPECT_NEAR(three.values(1, 1), 2, 1e-18L);
    EXPECT_NEAR(three.values(1, 2), 0.5L, 1e-18L);
    EXPECT_NEAR(three.values(1, 3), 0.5L, 1e-18L);
}

TEST(SymmetricEigen, RepeatedClusteredAndSplitEigenvalues)
{
    trealmatrix identity(6, 6);
    for (int32_t i = 1; i <= 6; ++i)
        identity(i, i) = 1;
    ExpectEigenSystem(identity);
    // Two uncoupled blocks (the tridiagonal form splits) with eigenvalues 1e-12 apart.
    ExpectEigenSystem(
        Mat({ { 1, 1e-12, 0, 0 }, { 1e-12, 1, 0, 0 }, { 0, 0, 2, 0.5 }, { 0, 0, 0.5, 2 } }));
    // Magnitudes far apart, and the form of the correlation matrices the factor analysis scales.
    ExpectEigenSystem(Mat({ { 1e10, 1, 0 }, { 1, 1, 1e-10 }, { 0, 1e-10, 1e-10 } }));
    std::mt19937 random(7);
    trealmatrix blocks = RandomSymmetric(random, 30);
    for (int32_t i = 1; i <= 30; ++i)
        for (int32_t j = 1; j <= 30; ++j)
            blocks(i, j) = i == j ? 1 : (i - 1) / 6 == (j - 1) / 6 ? 0.5L : 0.1L;
    ExpectEigenSystem(blocks);
}

TEST(SymmetricEigen, ReadsOnlyTheUpperTriangle)
{
    const tSymmetricEigen upper
        = SymmetricEigen(Mat({ { 2, 1, 0 }, { 99, 2, 1 }, { -5, 7, 2 } })).Value();
    const tSymmetricEigen full
        = SymmetricEigen(Mat({ { 2, 1, 0 }, { 1, 2, 1 }, { 0, 1, 2 } })).Value();
    EXPECT_EQ(upper.values, full.values);
    EXPECT_NEAR(full.values(1, 1), 2 + std::sqrt(2.0L), 1e-18L);
}

// The leading vectors alone (inverse iteration) are the same eigenpairs as those of the full
// system, also within a cluster of equal eigenvalues; the values do not depend on the count.
TEST(SymmetricEigen, LeadingVectorsAloneMatchTheFullSystem)
{
    std::mt19937 random(11);
    trealmatrix equal(12, 12);
    for (int32_t i = 1; i <= 12; ++i)
        for (int32_t j = 1; j <= 12; ++j)
            equal(i, j) = i == j ? 1 : (i - 1) / 4 == (j - 1) / 4 ? 0.5L : 0;
    for (const trealmatrix& a : { RandomSymmetric(random, 40), equal }) {
        const tSymmetricEigen full = SymmetricEigen(a).Value();
        for (int32_t leading : { 0, 1, 5 }) {
            SCOPED_TRACE(leading);
            const tSymmetricEigen part = SymmetricEigen(a, leading).Value();
            EXPECT_EQ(part.values, full.values);
            ASSERT_EQ(part.vectors.Cols(), leading);
            for (int32_t j = 1; j <= leading; ++j) {
                for (int32_t i = 1; i <= a.Rows(); ++i) {
                    long double av = 0;
                    for (int32_t l = 1; l <= a.Rows(); ++l)
                        av += a(i, l) * part.vectors(l, j);
                    EXPECT_LT(std::fabs(av - part.values(1, j) * part.vectors(i, j)), 1e-17L);
                }
                for (int32_t i = 1; i <= leading; ++i) {
                    long double vv = 0;
                    for (int32_t l = 1; l <= a.Rows(); ++l)
                        vv += part.vectors(l, i) * part.vectors(l, j);
                    EXPECT_LT(std::fabs(vv - (i == j ? 1 : 0)), 1e-17L);
                }
            }
        }
    }
}

TEST(SymmetricEigen, UnfitShapesFail)
{
    EXPECT_FALSE(SymmetricEigen(trealmatrix(0, 0)).Ok());
    EXPECT_FALSE(SymmetricEigen(trealmatrix(2, 3)).Ok());
    EXPECT_FALSE(SymmetricEigen(trealmatrix(2, 2), -1).Ok());
}

} // namespace
} // namespace zelvora
