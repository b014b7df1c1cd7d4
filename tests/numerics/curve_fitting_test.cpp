// Polynomials, row interpolation, monotone smoothing and curve fitting.
#include "matrix_test_util.h"
#include "numerics/curve_fitting.h"
#include "numerics/library_state.h"
#include "numerics/polynomials.h"
#include "support/result_support.h"

#include <cmath>
#include <random>
#include <vector>

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
    EXPECT_EQ(PolynomialMatrix(Mat({ { 1, 2 }, { 3, 4 } }), Mat({ { 1, 0 } })).Value(),
        Mat({ { 1, 2 }, { 3, 4 } }));
    // Row i of the data takes coefficient row i; one data row serves every coefficient row.
    EXPECT_EQ(PolynomialMatrix(Mat({ { 2 } }), Mat({ { 1, 1 }, { 2, 0 } })).Value(),
        Mat({ { 3 }, { 4 } }));
    EXPECT_EQ(
        FailureCode(PolynomialMatrix(Mat({ { 1 }, { 2 } }), Mat({ { 1 }, { 2 }, { 3 } }))), 1);
}

TEST(Polynomials, InterpolationBetweenRows)
{
    EXPECT_EQ(InterpolateRows(Mat({ { 0, 10 }, { 4, 30 } }), 4).Value(),
        Mat({ { 0, 10 }, { 1, 15 }, { 2, 20 }, { 3, 25 }, { 4, 30 } }));
    EXPECT_EQ(InterpolateRows(Mat({ { 7, 8 } }), 3).Value(), Mat({ { 7, 8 } }));
    EXPECT_THROW(InterpolateRows(Mat({ { 0 }, { 1 } }), 0).Value(), tFloatDivisionByZeroError);
    EXPECT_EQ(FailureCode(InterpolateRows(Mat({ { 0 }, { 1 } }), -2)), 1);
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
        = FitCurve(1, "", Mat({ { 1, 2, 3, 4 }, { 2, 4, 6, 8 } }), trealmatrix(), {}, random)
              .Value();
    ASSERT_EQ(fit.size(), 2u);
    EXPECT_NEAR(static_cast<double>(fit[0](1, 1)), 2, 1e-15);
    EXPECT_NEAR(static_cast<double>(fit[0](2, 1)), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(fit[0](2, 2)), 0, 1e-15);
    EXPECT_LT(MaxDifference(fit[1], Mat({ { 2, 4, 6, 8 }, { 0, 0, 0, 0 } })), 1e-15L);
    EXPECT_TRUE(FitCurve(2, "", Mat({ { 1, 2 }, { 3, 4 } }), {}, {}, random).Value().empty());
}

// The normal equations of the centred data solved by Gaussian elimination with partial pivoting,
// all in long double: an independent least-squares solution.
std::vector<long double> NormalEquationsSolution(const trealmatrix& data)
{
    const int32_t p = data.Rows() - 1;
    const int32_t cases = data.Cols();
    std::vector<long double> mean(static_cast<std::size_t>(p) + 2, 0);
    for (int32_t r = 1; r <= p + 1; ++r) {
        for (int32_t k = 1; k <= cases; ++k)
            mean[static_cast<std::size_t>(r)] += data(r, k) / cases;
    }
    // Augmented system [X'X | X'y] of the centred data.
    std::vector<std::vector<long double>> a(
        static_cast<std::size_t>(p), std::vector<long double>(static_cast<std::size_t>(p) + 1, 0));
    for (int32_t i = 0; i < p; ++i) {
        for (int32_t j = 0; j <= p; ++j) {
            for (int32_t k = 1; k <= cases; ++k)
                a[i][j] += (data(i + 1, k) - mean[i + 1]) * (data(j + 1, k) - mean[j + 1]);
        }
    }
    for (int32_t c = 0; c < p; ++c) {
        int32_t pivot = c;
        for (int32_t r = c + 1; r < p; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c]))
                pivot = r;
        }
        std::swap(a[c], a[pivot]);
        for (int32_t r = 0; r < p; ++r) {
            if (r == c)
                continue;
            const long double factor = a[r][c] / a[c][c];
            for (int32_t j = c; j <= p; ++j)
                a[r][j] -= factor * a[c][j];
        }
    }
    std::vector<long double> beta(static_cast<std::size_t>(p));
    for (int32_t i = 0; i < p; ++i)
        beta[i] = a[i][p] / a[i][i];
    return beta;
}

TEST(CurveFitting, LinearWeightsAgreeWithTheNormalEquations)
{
    for (const unsigned seed : { 1u, 2u, 3u }) {
        std::mt19937 gen(seed);
        std::normal_distribution<double> noise(0, 1);
        const int32_t p = 3 + static_cast<int32_t>(seed % 2);
        const int32_t cases = 40;
        trealmatrix data(p + 1, cases);
        for (int32_t k = 1; k <= cases; ++k) {
            long double y = 5;
            for (int32_t r = 1; r <= p; ++r) {
                data(r, k) = noise(gen) + r; // independent, well-conditioned predictors
                y += (r % 2 ? 1.5L : -0.75L) * data(r, k);
            }
            data(p + 1, k) = y + 0.5L * noise(gen);
        }
        tRandomGenerator random(1);
        const trealmatrixarr fit = FitCurve(1, "", data, trealmatrix(), {}, random).Value();
        ASSERT_EQ(fit.size(), 2u);
        const trealmatrix& r = fit[0];
        const std::vector<long double> beta = NormalEquationsSolution(data);
        long double largest = 0;
        for (const long double b : beta)
            largest = std::max(largest, std::fabs(b));
        for (int32_t k = 1; k <= p; ++k)
            EXPECT_NEAR(r(1, k), beta[k - 1], 1e-14L * largest) << "seed " << seed << " k " << k;
        EXPECT_EQ(r(1, p + 1), 0);

        // R^2 from the residuals of the independent solution; the shares add up to it.
        long double meanY = 0;
        for (int32_t k = 1; k <= cases; ++k)
            meanY += data(p + 1, k) / cases;
        long double residualSquares = 0;
        long double totalSquares = 0;
        for (int32_t k = 1; k <= cases; ++k) {
            long double fitted = meanY;
            for (int32_t i = 1; i <= p; ++i) {
                long double meanX = 0;
                for (int32_t c = 1; c <= cases; ++c)
                    meanX += data(i, c) / cases;
                fitted += beta[i - 1] * (data(i, k) - meanX);
            }
            EXPECT_NEAR(fit[1](1, k), fitted, 1e-14L * std::fabs(fitted));
            EXPECT_NEAR(fit[1](2, k), data(p + 1, k) - fitted, 1e-13L);
            residualSquares += (data(p + 1, k) - fitted) * (data(p + 1, k) - fitted);
            totalSquares += (data(p + 1, k) - meanY) * (data(p + 1, k) - meanY);
        }
        const long double rSquared = 1 - residualSquares / totalSquares;
        long double shares = 0;
        for (int32_t k = 1; k <= p; ++k)
            shares += r(2, k);
        EXPECT_NEAR(shares, rSquared, 1e-14L);
        EXPECT_NEAR(r(3, p), rSquared, 1e-14L);
        EXPECT_NEAR(r(2, p + 1), 1 - rSquared, 1e-14L);
        EXPECT_NEAR(r(3, p + 1), 1, 1e-15L);
    }
}

TEST(CurveFitting, RefusedDataLeaveTheirReason)
{
    tRandomGenerator random(3);
    EXPECT_EQ(FailureMessage(FitCurve(1, "", Mat({ { 1, 2 }, { 3, 3 } }), {}, {}, random)),
        "Curvefit Lin: die abh\xE4ngige Variable (Zeile 2) hat keine Varianz");
    EXPECT_EQ(FailureCode(FitCurve(1, "", Mat({ { 1 }, { 3 } }), {}, {}, random)), 1);
    // A constant predictor explains nothing and gets the weight 0; the fit goes on.
    const trealmatrixarr constant = FitCurve(
        1, "", Mat({ { 1, 1, 1, 1 }, { 2, 3, 5, 8 }, { 1, 2, 3, 5 } }), trealmatrix(), {}, random)
                                        .Value();
    ASSERT_EQ(constant.size(), 2u);
    EXPECT_EQ(constant[0](1, 1), 0);
    EXPECT_EQ(constant[0](2, 1), 0);
    // A single case and constant y: no variance to explain, in one class or in one of several.
    EXPECT_EQ(
        FailureMessage(FitCurve(4, "BETA", Mat({ { 1 }, { 2 } }), Mat({ { 0, 5 } }), {}, random)),
        "Curvefit OS: die Werte y (Zeile 2) haben keine Varianz");
    EXPECT_EQ(FailureCode(FitCurve(4, "BETA", Mat({ { 1, 2, 3, 4 }, { 2, 2, 2, 2 } }),
                  Mat({ { 0, 5 } }), {}, random)),
        1);
    // The variance survives a large common offset (the one-pass formula loses it).
    trealmatrix offset(2, 20);
    for (int32_t k = 1; k <= 20; ++k) {
        offset(1, k) = k;
        offset(2, k) = 1e12L + SCurveValue(k, 1, 0, 0.5L, 10);
    }
    const trealmatrixarr shifted
        = FitCurve(4, "BETA", offset, Mat({ { 1e12L, 1e12L + 1 } }), {}, random).Value();
    ASSERT_EQ(shifted.size(), 1u);
    EXPECT_NEAR(shifted[0](1, 4), 100, 1e-6L);
}

TEST(CurveFitting, SCurveRecoveredFromNoisyData)
{
    std::mt19937 gen(23);
    std::normal_distribution<double> noise(0, 1e-3);
    const long double a = 5;
    const long double b = 1;
    const int32_t cases = 61;
    trealmatrix data(2, cases);
    for (int32_t k = 1; k <= cases; ++k) {
        data(1, k) = (k - 1) * 0.25L;
        data(2, k) = SCurveValue(data(1, k), a, b, 0.7L, 6.3L) + noise(gen);
    }
    tRandomGenerator random(3);
    const trealmatrixarr fit
        = FitCurve(4, "BETA PRED", data, Mat({ { b, a } }), {}, random).Value();
    ASSERT_EQ(fit.size(), 2u);
    // The last round's steps are 0.1 / 2^9 and 2 / 2^9; the noise moves the optimum less.
    EXPECT_NEAR(fit[0](1, 2), 0.7L, 2 * 0.1L / 512);
    EXPECT_NEAR(fit[0](1, 3), 6.3L, 2 * 2.0L / 512);
    EXPECT_GT(fit[0](1, 4), 99.99L);
    for (int32_t k = 1; k <= cases; ++k)
        EXPECT_NEAR(fit[1](1, k), data(2, k), 0.01L);
}

TEST(CurveFitting, SeveralClassesFitEachClassOnItsCases)
{
    trealmatrix data(2, 40);
    for (int32_t k = 1; k <= 40; ++k) {
        data(1, k) = k % 20;
        data(2, k) = SCurveValue(data(1, k), k <= 20 ? 4 : 9, 0, 0.5L, 8) + k * 1e-9L;
    }
    tRandomGenerator random(7);
    const trealmatrixarr fit = FitCurve(
        4, "RANK PRED BETA", data, Mat({ { 0, 10, 0.001L, 2 } }), trealmatrix(1, 40), random)
                                   .Value();
    ASSERT_EQ(fit.size(), 3u);
    const trealmatrix& rank = fit[0];
    const trealmatrix& pred = fit[1];
    const trealmatrix& beta = fit[2];
    ASSERT_EQ(pred.Dims(), (tMatDims { 2, 40 }));
    ASSERT_EQ(beta.Dims(), (tMatDims { 2, 6 }));
    int32_t inFirst = 0;
    for (int32_t k = 1; k <= 40; ++k) {
        ASSERT_TRUE(rank(1, k) == 1 || rank(1, k) == 2);
        inFirst += rank(1, k) == 1;
    }
    EXPECT_EQ(inFirst, 20);
    // Row i of PRED is class i's curve at every case's x.
    for (int32_t i = 1; i <= 2; ++i) {
        EXPECT_EQ(beta(i, 1), i);
        for (int32_t k = 1; k <= 40; ++k)
            EXPECT_EQ(pred(i, k), SCurveValue(data(1, k), 10, 0, beta(i, 2), beta(i, 3)));
    }
}

TEST(Polynomials, AgreeWithHornerAndHitTheNodes)
{
    std::mt19937 gen(28);
    std::uniform_real_distribution<double> uniform(-2, 2);
    for (int trial = 0; trial < 200; ++trial) {
        trealmatrix c(1, 7);
        for (int32_t k = 1; k <= 7; ++k)
            c(1, k) = uniform(gen);
        const long double x = uniform(gen);
        long double horner = 0;
        long double magnitude = 0;
        for (int32_t k = 1; k <= 7; ++k) {
            horner = horner * x + c(1, k);
            magnitude += std::fabs(c(1, k)) * std::pow(std::fabs(x), 7 - k);
        }
        EXPECT_NEAR(PolynomialValue(c, x), horner, 1e-17L * magnitude) << trial;
    }
    std::mt19937 nodes(5);
    const trealmatrix m = testing::RandomMatrix(nodes, 4, 3);
    const trealmatrix fine = InterpolateRows(m, 7).Value();
    ASSERT_EQ(fine.Dims(), (tMatDims { 22, 3 }));
    for (int32_t k = 1; k <= 4; ++k) {
        for (int32_t c = 1; c <= 3; ++c)
            EXPECT_EQ(fine((k - 1) * 7 + 1, c), m(k, c));
    }
}

TEST(CurveFitting, SCurveStaysOnItsGridPoint)
{
    tRandomGenerator random(3);
    trealmatrix data(2, 30);
    for (int32_t k = 1; k <= 30; ++k) {
        data(1, k) = k * 0.6L;
        data(2, k) = SCurveValue(data(1, k), 10, 2, 0.5L, 8);
    }
    const trealmatrixarr fit
        = FitCurve(4, "beta pred rank", data, Mat({ { 2, 10 } }), {}, random).Value();
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
    EXPECT_EQ(FitCurve(4, "", data, Mat({ { 2, 10 } }), {}, random).Value().size(), 1u);
    EXPECT_EQ(FailureCode(FitCurve(4, "", data, Mat({ { 2, 10, 0.01, 2 } }), {}, random)), 1);
    const trealmatrixarr classes
        = FitCurve(4, "RANK BETA", data, Mat({ { 2, 10, 0.01, 2 } }), trealmatrix(1, 30), random)
              .Value();
    ASSERT_EQ(classes.size(), 2u);
    EXPECT_EQ(classes[1].Dims(), (tMatDims { 2, 6 }));
}

} // namespace
} // namespace zelvora
