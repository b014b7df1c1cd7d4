// KMO, Bartlett's test and the chi-square tail: properties, hand-checked values and the failures
// of unfit matrices.
#include "matrix_test_util.h"
#include "numerics/chi_square.h"
#include "numerics/factor_adequacy.h"
#include "numerics/factor_inputs.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;

TEST(ChiSquareTail, AgreesWithClosedFormsOnBothSidesOfTheSwitch)
{
    // df = 2: exp(-x/2) exactly; df = 1: erfc(sqrt(x/2)).
    for (long double x : { 0.01L, 0.5L, 1.9L, 2.1L, 7.0L, 40.0L, 1400.0L }) {
        EXPECT_NEAR(ChiSquareUpperTail(x, 2) / std::exp(-x / 2), 1, 1e-16L) << x;
        EXPECT_NEAR(ChiSquareUpperTail(x, 1) / std::erfc(std::sqrt(x / 2)), 1, 1e-14L) << x;
    }
    EXPECT_EQ(ChiSquareUpperTail(0, 5), 1);
    EXPECT_EQ(ChiSquareUpperTail(-3, 5), 1);
    EXPECT_TRUE(std::isnan(ChiSquareUpperTail(1, 0)));
}

TEST(SamplingAdequacy, TwoVariablesHaveOneHalfAndScaleDoesNotMatter)
{
    // With two variables the partial correlation equals the correlation: KMO = 1/2 throughout.
    const tSamplingAdequacy kmo = SamplingAdequacy(Mat({ { 4, 1.2 }, { 1.2, 1 } })).Value();
    EXPECT_NEAR(kmo.overall, 0.5L, 1e-18L);
    EXPECT_NEAR(kmo.perVariable(1, 1), 0.5L, 1e-18L);
    EXPECT_NEAR(kmo.perVariable(2, 1), 0.5L, 1e-18L);
}

TEST(SamplingAdequacy, UncorrelatedVariablesGiveZeroNotNan)
{
    const tSamplingAdequacy kmo
        = SamplingAdequacy(Mat({ { 1, 0, 0 }, { 0, 1, 0.5 }, { 0, 0.5, 1 } })).Value();
    EXPECT_EQ(kmo.perVariable(1, 1), 0);
    EXPECT_NEAR(kmo.perVariable(2, 1), 0.5L, 1e-18L);
}

TEST(SphericityTest, IdentityGivesZeroStatisticAndPOne)
{
    const tChiSquareTest test = SphericityTest(Mat({ { 1, 0 }, { 0, 1 } }), 50).Value();
    EXPECT_EQ(test.statistic, 0);
    EXPECT_EQ(test.df, 1);
    EXPECT_EQ(test.p, 1);
}

TEST(SphericityTest, TwoVariablesByHand)
{
    // -(n - 1 - 9/6) ln(1 - r^2) with n = 30, r = 0.6.
    const tChiSquareTest test = SphericityTest(Mat({ { 1, 0.6 }, { 0.6, 1 } }), 30).Value();
    EXPECT_NEAR(test.statistic, -27.5L * std::log(0.64L), 1e-14L);
}

TEST(FactorInputs, UnfitMatricesFailWithTheirPlace)
{
    EXPECT_EQ(SamplingAdequacy(Mat({ { 1, 0.5, 0 } })).Error().Message,
        "erwartet wird eine quadratische Korrelationsmatrix, nicht 1 x 3");
    EXPECT_EQ(SamplingAdequacy(Mat({ { 1 } })).Error().Message,
        "die Korrelationsmatrix braucht mindestens 2 Variablen");
    EXPECT_EQ(SamplingAdequacy(Mat({ { 1, 0.5 }, { 0.4, 1 } })).Error().Message,
        "die Matrix ist nicht symmetrisch: Element (1,2) ist 0.5, (2,1) ist 0.4");
    EXPECT_EQ(SamplingAdequacy(Mat({ { 1, 0 }, { 0, 0 } })).Error().Message,
        "Diagonalelement (2,2) ist nicht positiv (0)");
    const trealmatrix singular = Mat({ { 1, 1, 0.5 }, { 1, 1, 0.5 }, { 0.5, 0.5, 1 } });
    EXPECT_NE(SamplingAdequacy(singular).Error().Message.find("Variable 2"), std::string::npos);
    EXPECT_FALSE(SphericityTest(singular, 100).Ok());
    EXPECT_FALSE(SphericityTest(Mat({ { 1, 0.2 }, { 0.2, 1 } }), 2.5L).Ok());
    EXPECT_TRUE(SphericityTest(Mat({ { 1, 0.2 }, { 0.2, 1 } }), 2.6L).Ok());
}

TEST(FactorInputs, InverseAndSmcOfAKnownMatrix)
{
    const trealmatrix r = Mat({ { 1, 0.6 }, { 0.6, 1 } });
    const trealmatrix inverse = CorrelationInverse(r).Value();
    EXPECT_NEAR(inverse(1, 1), 1 / 0.64L, 1e-15L);
    EXPECT_NEAR(inverse(1, 2), -0.6L / 0.64L, 1e-15L);
    EXPECT_NEAR(SquaredMultipleCorrelations(r).Value()(2, 1), 0.36L, 1e-15L);
}

} // namespace
} // namespace zelvora
