// Variance analysis: the labelled table of sequential sums of squares, its additivity, a worked
// example and a two-factor design checked against R.
#include "matrix_test_util.h"
#include "numerics/library_state.h"
#include "numerics/variance_analysis.h"
#include "support/result_support.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;

std::vector<std::string> Labels(const tVarianceAnalysis& anova)
{
    std::vector<std::string> labels;
    for (int32_t r = 1; r <= anova.labels.Rows(); ++r)
        labels.push_back(anova.labels(r, 1));
    return labels;
}

TEST(VarianceAnalysis, OneFactorByHand)
{
    const tVarianceAnalysis anova
        = VarianceAnalysis(Mat({ { 1, 2, 3, 4 } }), Mat({ { 1, 1, 2, 2 } })).Value();
    EXPECT_LT(MaxDifference(anova.statistics,
                  Mat({ { 30, 0, 0 }, { 0, 25, 0 }, { 5, 0, 0 }, { 0, 4, 0 }, { 0, 4, 0 },
                      { 0, 0, 4 }, { 0, 0, 0 }, { 1, 0, 0 } })),
        1e-17L);
    EXPECT_EQ(Labels(anova),
        (std::vector<std::string> { "Gesamtquadratsumme:", "d. \"konst. Term\":",
            "Gesamtvariation:", "d. Modell:", "d. Haupteffekte:", "d. Item 1",
            "d. Interaktionen:", "Residual Variation" }));
    // Design rows: constant and one dummy; the weights are the mean of level 1 and the step to 2.
    EXPECT_EQ(anova.factor.Dims(), (tMatDims { 3, 3 }));
    EXPECT_LT(MaxDifference(anova.weights, Mat({ { 1.5 }, { 2 } })), 1e-17L);
    for (int32_t r = 1; r <= 3; ++r)
        for (int32_t c = 1; c <= 3; ++c)
            EXPECT_EQ(anova.squares(r, c), anova.factor(r, c) * anova.factor(r, c));
}

// y ~ a * b with a of three levels and b of two, unbalanced; R's anova() and coef() of lm()
// (tests/numerics/reference/anova_reference.R).
TEST(VarianceAnalysis, TwoFactorsAgreeWithR)
{
    const trealmatrix y
        = Mat({ { 3.1L, 4.7L, 2.2L, 5.9L, 6.3L, 4.4L, 7.8L, 8.1L, 5.5L, 6.6L, 9.2L } });
    const trealmatrix factors
        = Mat({ { 1, 1, 2, 2, 3, 3, 3, 1, 2, 3, 3 }, { 5, 7, 5, 7, 5, 7, 7, 5, 5, 5, 7 } });
    const tVarianceAnalysis anova = VarianceAnalysis(y, factors).Value();
    ASSERT_EQ(anova.statistics.Dims(), (tMatDims { 10, 3 }));
    const trealmatrix& s = anova.statistics;
    EXPECT_NEAR(static_cast<double>(s(1, 1)), 415.3, 1e-12);
    EXPECT_NEAR(static_cast<double>(s(2, 2)), 370.04, 1e-12);
    EXPECT_NEAR(static_cast<double>(s(6, 3)), 11.18133333333333468, 1e-12);
    EXPECT_NEAR(static_cast<double>(s(7, 3)), 0.99375438596491283, 1e-12);
    EXPECT_NEAR(static_cast<double>(s(9, 3)), 2.90824561403508541, 1e-12);
    EXPECT_NEAR(static_cast<double>(s(10, 1)), 30.17666666666666941, 1e-12);
    EXPECT_EQ(Labels(anova)[8], "d. IA 1");
    // Total = constant + variation; variation = model + residual; model = main effects +
    // interactions.
    EXPECT_NEAR(static_cast<double>(s(1, 1)), static_cast<double>(s(2, 2) + s(3, 1)), 1e-12);
    EXPECT_NEAR(static_cast<double>(s(3, 1)), static_cast<double>(s(4, 2) + s(10, 1)), 1e-12);
    EXPECT_NEAR(static_cast<double>(s(4, 2)), static_cast<double>(s(5, 2) + s(8, 2)), 1e-12);
    const long double weights[] = { 5.6L, -1.75L, 0.85L, -0.9L, 2.95L, 1.58333333333333259L };
    ASSERT_EQ(anova.weights.Dims(), (tMatDims { 6, 1 }));
    for (int32_t i = 1; i <= 6; ++i)
        EXPECT_NEAR(
            static_cast<double>(anova.weights(i, 1)), static_cast<double>(weights[i - 1]), 1e-12)
            << i;
}

TEST(VarianceAnalysis, EmptyCellsAndSingleLevelsAddNothing)
{
    // Factor 2 never varies within level 1 of factor 1: the interaction cell (1, 2) is empty.
    const tVarianceAnalysis anova = VarianceAnalysis(Mat({ { 1, 2, 4, 7, 3, 5 } }),
        Mat({ { 1, 1, 2, 2, 2, 2 }, { 1, 1, 1, 2, 2, 1 },
            { 8, 8, 8, 8, 8, 8 } })).Value();
    const trealmatrix& s = anova.statistics;
    ASSERT_EQ(s.Rows(), 7 + 3 + 3);
    EXPECT_TRUE(std::isfinite(s(1, 1)));
    EXPECT_EQ(s(8, 3), 0); // the factor with one level
    EXPECT_NEAR(static_cast<double>(s(1, 1)), 1 + 4 + 16 + 49 + 9 + 25, 1e-12);
    long double parts = 0;
    for (int32_t r = 1; r <= s.Rows(); ++r)
        parts += s(r, 3);
    EXPECT_NEAR(
        static_cast<double>(s(2, 2) + parts + s(s.Rows(), 1)), static_cast<double>(s(1, 1)), 1e-12);
}

TEST(VarianceAnalysis, MisfitsAreReported)
{
    EXPECT_NE(
        FailureMessage(VarianceAnalysis(Mat({ { 1, 2, 3 } }), Mat({ { 1, 2 } }))).find("ANOVA"),
        std::string::npos);
    EXPECT_EQ(FailureCode(VarianceAnalysis(Mat({ { 1, 2 }, { 3, 4 } }), Mat({ { 1, 2 } }))), 1);
    EXPECT_EQ(FailureCode(VarianceAnalysis(trealmatrix(1, 0), trealmatrix(1, 0))), 1);
    // A factor with a level per case and a second one: far too many interaction rows.
    trealmatrix y(1, 3000), factors(2, 3000);
    for (int32_t c = 1; c <= 3000; ++c) {
        y(1, c) = c % 7;
        factors(1, c) = c;
        factors(2, c) = c % 2;
    }
    EXPECT_NE(
        FailureMessage(VarianceAnalysis(y, factors)).find("zu viele Stufen"), std::string::npos);
    // No factor at all: the constant alone.
    const tVarianceAnalysis constantOnly
        = VarianceAnalysis(Mat({ { 1, 3 } }), trealmatrix(0, 2)).Value();
    EXPECT_EQ(constantOnly.statistics.Rows(), 7);
    EXPECT_NEAR(static_cast<double>(constantOnly.statistics(7, 1)), 2, 1e-17);
}

} // namespace
} // namespace zelvora
