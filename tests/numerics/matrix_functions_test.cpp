// Functions of a whole matrix: series, logarithm, arc tangent, square root; the angle of pairs.
#include "matrix_test_util.h"
#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_functions.h"
#include "numerics/matrix_product.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

constexpr long double pi = std::numbers::pi_v<long double>;

using testing::Mat;

trealmatrix Diag(long double a, long double b)
{
    return Mat({ { a, 0 }, { 0, b } });
}

// Relative tolerance on each element (absolute where the expected element is 0).
void ExpectNear(const trealmatrix& actual, const trealmatrix& expected, long double tolerance)
{
    ASSERT_EQ(actual.Dims(), expected.Dims());
    for (int32_t r = 1; r <= actual.Rows(); ++r) {
        for (int32_t c = 1; c <= actual.Cols(); ++c) {
            const long double scale = std::max(1.0L, std::fabs(expected(r, c)));
            EXPECT_LE(std::fabs(actual(r, c) - expected(r, c)), tolerance * scale)
                << "(" << r << ", " << c << ") is " << static_cast<double>(actual(r, c))
                << ", expected " << static_cast<double>(expected(r, c));
        }
    }
}

TEST(MatrixSeries, ExponentialStopsOnTheSquaredTerm)
{
    EXPECT_EQ(MatrixSeries(tMatrixSeries::Exp, trealmatrix(2, 2)), MakeIdentity(2, 2));
    // The nilpotent matrix ends the series after the term M: the result is exact.
    EXPECT_EQ(
        MatrixSeries(tMatrixSeries::Exp, Mat({ { 0, 1 }, { 0, 0 } })), Mat({ { 1, 1 }, { 0, 1 } }));
    const trealmatrix e = MatrixSeries(tMatrixSeries::Exp, Diag(1, 2));
    ExpectNear(e, Diag(std::exp(1.0L), std::exp(2.0L)), 1e-9L);
    // The stop rule leaves an error of the order of the last term, not 80-bit accuracy.
    EXPECT_GT(std::fabs(e(2, 2) - std::exp(2.0L)), 1e-15L);
}

TEST(MatrixSeries, TrigonometricAndHyperbolicOfDiagonals)
{
    const trealmatrix m = Diag(0.5L, -1.25L);
    ExpectNear(MatrixSeries(tMatrixSeries::Sin, m), Diag(std::sin(0.5L), std::sin(-1.25L)), 1e-9L);
    ExpectNear(MatrixSeries(tMatrixSeries::Cos, m), Diag(std::cos(0.5L), std::cos(-1.25L)), 1e-9L);
    ExpectNear(MatrixSeries(tMatrixSeries::Tan, m), Diag(std::tan(0.5L), std::tan(-1.25L)), 1e-8L);
    ExpectNear(
        MatrixSeries(tMatrixSeries::Sinh, m), Diag(std::sinh(0.5L), std::sinh(-1.25L)), 1e-9L);
    ExpectNear(
        MatrixSeries(tMatrixSeries::Cosh, m), Diag(std::cosh(0.5L), std::cosh(-1.25L)), 1e-9L);
    ExpectNear(MatrixSeries(tMatrixSeries::Tanh, Diag(1, 2)),
        Diag(std::tanh(1.0L), std::tanh(2.0L)), 1e-8L);
}

TEST(MatrixSeries, NonDiagonalIdentities)
{
    const trealmatrix m = Mat({ { 0.3L, 0.2L }, { -0.1L, 0.4L } });
    const trealmatrix s = MatrixSeries(tMatrixSeries::Sin, m);
    const trealmatrix c = MatrixSeries(tMatrixSeries::Cos, m);
    // sin^2 + cos^2 = I holds for commuting functions of one matrix.
    trealmatrix sum = MatMul(s, s);
    const trealmatrix c2 = MatMul(c, c);
    for (int32_t i = 1; i <= 2; ++i)
        for (int32_t j = 1; j <= 2; ++j)
            sum(i, j) += c2(i, j);
    ExpectNear(sum, MakeIdentity(2, 2), 1e-9L);
    ExpectNear(MatrixLog(MatrixSeries(tMatrixSeries::Exp, m)), m, 1e-8L);
}

TEST(MatrixLog, InvertsTheExponential)
{
    ExpectNear(MatrixLog(Diag(std::exp(1.0L), std::exp(2.0L))), Diag(1, 2), 1e-7L);
    EXPECT_EQ(MatrixLog(MakeIdentity(3, 3)), trealmatrix(3, 3));
    const trealmatrix spd = Mat({ { 2, 1 }, { 1, 3 } });
    ExpectNear(MatrixSeries(tMatrixSeries::Exp, MatrixLog(spd)), spd, 1e-8L);
}

TEST(MatrixArcFunctions, ArcTangentAndItsRelatives)
{
    ExpectNear(MatrixArcTan(MakeIdentity(2, 2), MakeIdentity(2, 2)), Diag(pi / 4, pi / 4), 1e-18L);
    ExpectNear(MatrixArcTan(Diag(0.5L, 2), MakeIdentity(2, 2)),
        Diag(std::atan(0.5L), std::atan(2.0L)), 1e-8L);
    // The arc tangent series converges for P*Q^-1 with eigenvalues in the right half plane only.
    ExpectNear(MatrixArcSin(Diag(0.5L, 0.3L)), Diag(std::asin(0.5L), std::asin(0.3L)), 1e-8L);
    ExpectNear(MatrixArcCos(Diag(0.5L, 0.3L)), Diag(std::acos(0.5L), std::acos(0.3L)), 1e-8L);
    ExpectNear(MatrixArcSinh(Diag(0.5L, -2)), Diag(std::asinh(0.5L), std::asinh(-2.0L)), 1e-7L);
    ExpectNear(MatrixArcCosh(Diag(1.5L, 3)), Diag(std::acosh(1.5L), std::acosh(3.0L)), 1e-7L);
}

TEST(MatrixArcFunctions, ArcTanh)
{
    EXPECT_EQ(MatrixArcTanh(trealmatrix(2, 2)), trealmatrix(2, 2));
    ExpectNear(
        MatrixArcTanh(Diag(0.5L, -0.25L)), Diag(std::atanh(0.5L), std::atanh(-0.25L)), 1e-8L);
}

TEST(MatrixSqrt, HeronIteration)
{
    // The stop rule on the squared residual leaves errors around 1e-9.
    ExpectNear(MatrixSqrt(Diag(4, 9)), Diag(2, 3), 5e-9L);
    const trealmatrix a = Mat({ { 2, 1 }, { 1, 2 } });
    const trealmatrix root = MatrixSqrt(a);
    ExpectNear(MatMul(root, root), a, 1e-8L);
    EXPECT_NEAR(static_cast<double>(root(1, 2)), static_cast<double>(root(2, 1)), 1e-15);
    // Eigenvalues sqrt(3) and 1 with eigenvectors (1, 1) and (1, -1).
    const long double r3 = std::sqrt(3.0L);
    ExpectNear(
        root, Mat({ { (r3 + 1) / 2, (r3 - 1) / 2 }, { (r3 - 1) / 2, (r3 + 1) / 2 } }), 5e-9L);
}

TEST(MatrixFunctions, NonSquareArgumentsGiveTheFailureMatrix)
{
    const trealmatrix wide = Mat({ { 1, 2, 3 } });
    const trealmatrix failure = Mat({ { 0 } });
    EXPECT_EQ(MatrixSeries(tMatrixSeries::Exp, wide), failure);
    EXPECT_EQ(MatrixLog(wide), failure);
    EXPECT_EQ(MatrixSqrt(wide), failure);
    EXPECT_EQ(MatrixArcTan(MakeIdentity(2, 2), MakeIdentity(3, 3)), failure);
    EXPECT_EQ(MatrixArcTanh(wide), failure);
    EXPECT_EQ(MatrixArcSinh(trealmatrix()), failure);
}

TEST(AngleOfPair, AnglesAndSpecialCases)
{
    const trealmatrix angles
        = AngleOfPair(Mat({ { 1, 0, -1, 0, 0, 1e-70L } }), Mat({ { 1, 0, 0, 2, -2, 1e-70L } }));
    ExpectNear(angles, Mat({ { pi / 4, 0, pi, pi / 2, 3 * pi / 2, 0 } }), 1e-18L);
    EXPECT_EQ(AngleOfPair(Mat({ { 1, 0 } }), Mat({ { 1 }, { 0 } })), Mat({ { 0 } }));
}

} // namespace
} // namespace zelvora
