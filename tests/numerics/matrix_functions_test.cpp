// Functions of a whole matrix: series, logarithm, arc tangent, square root; the angle of pairs.
#include "matrix_test_util.h"
#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_functions.h"
#include "numerics/matrix_product.h"
#include "support/result_support.h"

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
    EXPECT_EQ(MatrixSeries(tMatrixSeries::Exp, trealmatrix(2, 2)).Value(), IdentityMatrix(2));
    // The nilpotent matrix ends the series after the term M: the result is exact.
    EXPECT_EQ(
        MatrixSeries(tMatrixSeries::Exp, Mat({ { 0, 1 }, { 0, 0 } })), Mat({ { 1, 1 }, { 0, 1 } }));
    const trealmatrix e = MatrixSeries(tMatrixSeries::Exp, Diag(1, 2)).Value();
    ExpectNear(e, Diag(std::exp(1.0L), std::exp(2.0L)), 1e-9L);
    // The stop rule leaves an error of the order of the last term, not 80-bit accuracy.
    EXPECT_GT(std::fabs(e(2, 2) - std::exp(2.0L)), 1e-15L);
}

TEST(MatrixSeries, TrigonometricAndHyperbolicOfDiagonals)
{
    const trealmatrix m = Diag(0.5L, -1.25L);
    ExpectNear(
        MatrixSeries(tMatrixSeries::Sin, m).Value(), Diag(std::sin(0.5L), std::sin(-1.25L)), 1e-9L);
    ExpectNear(
        MatrixSeries(tMatrixSeries::Cos, m).Value(), Diag(std::cos(0.5L), std::cos(-1.25L)), 1e-9L);
    ExpectNear(
        MatrixSeries(tMatrixSeries::Tan, m).Value(), Diag(std::tan(0.5L), std::tan(-1.25L)), 1e-8L);
    ExpectNear(MatrixSeries(tMatrixSeries::Sinh, m).Value(),
        Diag(std::sinh(0.5L), std::sinh(-1.25L)), 1e-9L);
    ExpectNear(MatrixSeries(tMatrixSeries::Cosh, m).Value(),
        Diag(std::cosh(0.5L), std::cosh(-1.25L)), 1e-9L);
    ExpectNear(MatrixSeries(tMatrixSeries::Tanh, Diag(1, 2)).Value(),
        Diag(std::tanh(1.0L), std::tanh(2.0L)), 1e-8L);
}

TEST(MatrixSeries, NonDiagonalIdentities)
{
    const trealmatrix m = Mat({ { 0.3L, 0.2L }, { -0.1L, 0.4L } });
    const trealmatrix s = MatrixSeries(tMatrixSeries::Sin, m).Value();
    const trealmatrix c = MatrixSeries(tMatrixSeries::Cos, m).Value();
    // sin^2 + cos^2 = I holds for commuting functions of one matrix.
    trealmatrix sum = MatMul(s, s).Value();
    const trealmatrix c2 = MatMul(c, c).Value();
    for (int32_t i = 1; i <= 2; ++i)
        for (int32_t j = 1; j <= 2; ++j)
            sum(i, j) += c2(i, j);
    ExpectNear(sum, IdentityMatrix(2), 1e-9L);
    ExpectNear(MatrixLog(MatrixSeries(tMatrixSeries::Exp, m).Value()).Value(), m, 1e-8L);
}

TEST(MatrixLog, InvertsTheExponential)
{
    ExpectNear(MatrixLog(Diag(std::exp(1.0L), std::exp(2.0L))).Value(), Diag(1, 2), 1e-7L);
    EXPECT_EQ(MatrixLog(IdentityMatrix(3)), trealmatrix(3, 3));
    const trealmatrix spd = Mat({ { 2, 1 }, { 1, 3 } });
    ExpectNear(MatrixSeries(tMatrixSeries::Exp, MatrixLog(spd).Value()).Value(), spd, 1e-8L);
}

TEST(MatrixArcFunctions, ArcTangentAndItsRelatives)
{
    ExpectNear(
        MatrixArcTan(IdentityMatrix(2), IdentityMatrix(2)).Value(), Diag(pi / 4, pi / 4), 1e-18L);
    ExpectNear(MatrixArcTan(Diag(0.5L, 2), IdentityMatrix(2)).Value(),
        Diag(std::atan(0.5L), std::atan(2.0L)), 1e-8L);
    // The arc tangent series converges for P*Q^-1 with eigenvalues in the right half plane only.
    ExpectNear(
        MatrixArcSin(Diag(0.5L, 0.3L)).Value(), Diag(std::asin(0.5L), std::asin(0.3L)), 1e-8L);
    ExpectNear(
        MatrixArcCos(Diag(0.5L, 0.3L)).Value(), Diag(std::acos(0.5L), std::acos(0.3L)), 1e-8L);
    ExpectNear(
        MatrixArcSinh(Diag(0.5L, -2)).Value(), Diag(std::asinh(0.5L), std::asinh(-2.0L)), 1e-7L);
    ExpectNear(
        MatrixArcCosh(Diag(1.5L, 3)).Value(), Diag(std::acosh(1.5L), std::acosh(3.0L)), 1e-7L);
}

TEST(MatrixArcFunctions, ArcTanh)
{
    EXPECT_EQ(MatrixArcTanh(trealmatrix(2, 2)), trealmatrix(2, 2));
    ExpectNear(MatrixArcTanh(Diag(0.5L, -0.25L)).Value(),
        Diag(std::atanh(0.5L), std::atanh(-0.25L)), 1e-8L);
}

TEST(MatrixSqrt, HeronIteration)
{
    // The stop rule on the squared residual leaves errors around 1e-9.
    ExpectNear(MatrixSqrt(Diag(4, 9)).Value(), Diag(2, 3), 5e-9L);
    const trealmatrix a = Mat({ { 2, 1 }, { 1, 2 } });
    const trealmatrix root = MatrixSqrt(a).Value();
    ExpectNear(MatMul(root, root).Value(), a, 1e-8L);
    EXPECT_NEAR(static_cast<double>(root(1, 2)), static_cast<double>(root(2, 1)), 1e-15);
    // Eigenvalues sqrt(3) and 1 with eigenvectors (1, 1) and (1, -1).
    const long double r3 = std::sqrt(3.0L);
    ExpectNear(
        root, Mat({ { (r3 + 1) / 2, (r3 - 1) / 2 }, { (r3 - 1) / 2, (r3 + 1) / 2 } }), 5e-9L);
}

TEST(MatrixFunctions, NonSquareArgumentsFail)
{
    const trealmatrix wide = Mat({ { 1, 2, 3 } });
    EXPECT_EQ(FailureCode(MatrixSeries(tMatrixSeries::Exp, wide)), 1);
    EXPECT_EQ(FailureCode(MatrixSeries(tMatrixSeries::Tanh, wide)), 1);
    EXPECT_EQ(FailureCode(MatrixLog(wide)), 1);
    EXPECT_EQ(FailureCode(MatrixSqrt(wide)), 1);
    EXPECT_EQ(FailureCode(MatrixArcTan(IdentityMatrix(2), IdentityMatrix(3))), 1);
    EXPECT_EQ(FailureCode(MatrixArcSin(wide)), 1);
    EXPECT_EQ(FailureCode(MatrixArcCos(wide)), 1);
    EXPECT_EQ(FailureCode(MatrixArcTanh(wide)), 1);
    EXPECT_EQ(FailureCode(MatrixArcSinh(trealmatrix())), 1);
    EXPECT_EQ(FailureCode(MatrixArcCosh(wide)), 1);
}

TEST(AngleOfPair, AnglesAndSpecialCases)
{
    const trealmatrix angles = AngleOfPair(Mat({ { 1, 0, -1, 0, 0, 1e-70L } }),
        Mat({ { 1, 0, 0, 2, -2,
            1e-70L } })).Value();
    ExpectNear(angles, Mat({ { pi / 4, 0, pi, pi / 2, 3 * pi / 2, 0 } }), 1e-18L);
    EXPECT_EQ(FailureCode(AngleOfPair(Mat({ { 1, 0 } }), Mat({ { 1 }, { 0 } }))), 1);
}

} // namespace
} // namespace zelvora
