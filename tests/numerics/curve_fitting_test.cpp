// Polynomials, row interpolation, monotone smoothing and curve fitting.
#include "matrix_test_util.h"
#include "numerics/curve_fitting.h"
#include "numerics/library_state.h"
#include "numerics/polynomials.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;

TEST(Polynomials, ValuesAndMatrices)
{
    EXPECT_EQ(PolynomialValue(Mat({ { 1, 2, 3 } }), 2), 11);
    EXPECT_EQ(PolynomialValue(Mat({ { 5 } }), 123), 5);
    EXPECT_EQ(PolynomialValue(trealmatrix(1, 0), 2), 0);
    EXPECT_EQ(PolynomialMatrix(Mat({ { 1, 2 }, { 3, 4 } }), Mat({ { 1, 0 } })),
        Mat({ { 1, 2 }, { 3, 4 } }));
    // Row i of the data takes coefficient row i; one data row serves every coefficient row.
    EXPECT_EQ(PolynomialMatrix(Mat({ { 2 } }), Mat({ { 1, 1 }, { 2, 0 } })), Mat({ { 3 }, { 4 } }));
    EXPECT_EQ(
        PolynomialMatrix(Mat({ { 1 }, { 2 } }), Mat({ { 1 }, { 2 }, { 3 } })), FailureMatrix());
}

TEST(Polynomials, InterpolationBetweenRows)
{
    EXPECT_EQ(InterpolateRows(Mat({ { 0, 10 }, { 4, 30 } }), 4),
        Mat({ { 0, 10 }, { 1, 15 }, { 2, 20 }, { 3, 25 }, { 4, 30 } }));
    EXPECT_EQ(InterpolateRows(Mat({ { 7, 8 } }), 3), Mat({ { 7, 8 } }));
    EXPECT_THROW(InterpolateRows(Mat({ { 0 }, { 1 } }), 0), tFloatDivisionByZeroError);
    EXPECT_EQ(InterpolateRows(Mat({ { 0 }, { 1 } }), -2), FailureMatrix());
}

TEST(Polynomials, MonotoneSmoothing)
{
    EXPECT_EQ(MonotoneSmooth(Mat({ { 3, 1, 2 } })), Mat({ { 2, 2, 2 } }));
    EXPECT_EQ(MonotoneSmooth(Mat({ { 1, 2, 5 }, { 0, 0, 1 } })), Mat({ { 1, 2, 5 }, { 0, 0, 1 } }));
    const trealmatrix weighted = MonotoneSmooth(Mat({ { 3, 1, 2 } }), Mat({ { 3, 1, 1 } }));
    for (int32_t j = 2; j <= 3; ++j)
        EXPECT_LE(weighted(1, j - 1), weighted(1, j));
    EXPECT_GT(weighted(1, 1), 2); // the heavy first column pulls the level up from 2
}

TEST(CurveFitting, LinearRegressionWithVarianceShares)
{
    tRandomGenerator random(3);
    const trealmatrixarr fit
        = FitCurve(1, "", Mat({ { 1, 2, 3, 4 }, { 2, 4, 6, 8 } }), FailureMatrix(), {}, random);
    ASSERT_EQ(fit.size(), 2u);
    EXPECT_NEAR(static_cast<double>(fit[0](1, 1)), 2, 1e-15);
    EXPECT_NEAR(static_cast<double>(fit[0](2, 1)), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(fit[0](2, 2)), 0, 1e-15);
    EXPECT_LT(MaxDifference(fit[1], Mat({ { 2, 4, 6, 8 }, { 0, 0, 0, 0 } })), 1e-15L);
    EXPECT_THROW(FitCurve(1, "", Mat({ { 1, 2 }, { 3, 3 } }), FailureMatrix(), {}, random),
        tFloatDivisionByZeroError);
    EXPECT_TRUE(FitCurve(2, "", Mat({ { 1, 2 }, { 3, 4 } }), FailureMatrix(), {}, random).empty());
}

TEST(CurveFitting, SCurveStaysOnItsGridPoint)
{
    tRandomGenerator random(3);
    trealmatrix data(2, 30);
    for (int32_t k = 1; k <= 30; ++k) {
        data(1, k) = k * 0.6L;
        data(2, k) = SCurveValue(data(1, k), 10, 2, 0.5L, 8);
    }
    const trealmatrixarr fit = FitCurve(4, "beta pred rank", data, Mat({ { 2, 10 } }), {}, random);
    ASSERT_EQ(fit.size(), 3u);
    const trealmatrix& beta = fit[0];
    EXPECT_EQ(beta.Dims(), (tMatDims { 1, 6 }));
    EXPECT_NEAR(static_cast<double>(beta(1, 2)), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(beta(1, 3)), 8, 1e-15);
    EXPECT_NEAR(static_cast<double>(beta(1, 4)), 100, 1e-12);
    EXPECT_EQ(beta(1, 5), 2);
    EXPECT_EQ(beta(1, 6), 10);
    EXPECT_EQ(fit[1].Dims(), (tMatDims { 1, 30 }));
    EXPECT_EQ(fit[2].Dims(), (tMatDims { 1, 30 }));
    // Without options: RANK alone; several classes need the grouping matrix.
    EXPECT_EQ(FitCurve(4, "", data, Mat({ { 2, 10 } }), {}, random).size(), 1u);
    EXPECT_TRUE(FitCurve(4, "", data, Mat({ { 2, 10, 0.01, 2 } }), {}, random).empty());
    const trealmatrixarr classes
        = FitCurve(4, "RANK BETA", data, Mat({ { 2, 10, 0.01, 2 } }), trealmatrix(1, 30), random);
    ASSERT_EQ(classes.size(), 2u);
    EXPECT_EQ(classes[1].Dims(), (tMatDims { 2, 6 }));
}

} // namespace
} // namespace zelvora
