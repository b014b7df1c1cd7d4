// Oblique rotations: a pattern with perfect simple structure behind correlated factors is found
// again, the results fit together, random starts are reproducible, unfit inputs fail.
#include "matrix_test_util.h"
#include "numerics/oblique_rotations.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;

const trealmatrix SimplePattern
    = Mat({ { 0.8, 0 }, { 0.7, 0 }, { 0.6, 0 }, { 0, 0.6 }, { 0, 0.5 } });

// A = P T0' for T0 with unit columns and T0'T0 = {{1, 0.3}, {0.3, 1}}: rotating A back to P is
// what an oblique criterion that favours zeros should do.
trealmatrix Mixed()
{
    const long double c = 0.3L;
    const long double s = std::sqrt(1 - c * c);
    trealmatrix a(5, 2);
    for (int32_t i = 1; i <= 5; ++i) {
        a(i, 1) = SimplePattern(i, 1) + c * SimplePattern(i, 2);
        a(i, 2) = s * SimplePattern(i, 2);
    }
    return a;
}

void ExpectConsistent(const trealmatrix& a, const tObliqueRotation& run)
{
    trealmatrix product(a.Rows(), a.Cols());
    trealmatrix structure(a.Rows(), a.Cols());
    for (int32_t i = 1; i <= a.Rows(); ++i)
        for (int32_t j = 1; j <= a.Cols(); ++j)
            for (int32_t l = 1; l <= a.Cols(); ++l) {
                product(i, j) += a(i, l) * run.transform(l, j);
                structure(i, j) += run.pattern(i, l) * run.phi(l, j);
            }
    EXPECT_LT(MaxDifference(product, run.pattern), 1e-15L);
    EXPECT_LT(MaxDifference(structure, run.structure), 1e-15L);
    for (int32_t j = 1; j <= a.Cols(); ++j)
        EXPECT_NEAR(run.phi(j, j), 1, 1e-15L);
}

TEST(ObliqueRotations, QuartiminFindsThePerfectSimpleStructure)
{
    const tObliqueRotation run = ObliminRotation(Mixed(), 0).Value();
    EXPECT_TRUE(run.converged);
    EXPECT_LT(MaxDifference(run.pattern, SimplePattern), 1e-9L);
    EXPECT_NEAR(run.phi(1, 2), 0.3L, 1e-9L);
    EXPECT_NEAR(run.criterion, 0, 1e-18L);
    ExpectConsistent(Mixed(), run);
}

TEST(ObliqueRotations, PromaxAndGeominComeCloseAndFitTogether)
{
    const tObliqueRotation promax = PromaxRotation(Mixed(), 4).Value();
    ExpectConsistent(Mixed(), promax);
    EXPECT_LT(MaxDifference(promax.pattern, SimplePattern), 0.05L);
    tRandomGenerator random(7);
    const tObliqueRotation geomin = GeominRotation(Mixed(), 0.01L, 3, random).Value();
    EXPECT_TRUE(geomin.converged);
    ExpectConsistent(Mixed(), geomin);
    EXPECT_LT(MaxDifference(geomin.pattern, SimplePattern), 0.05L);
}

TEST(ObliqueRotations, RandomStartsAreReproducibleAndNeverWorse)
{
    const trealmatrix a = Mat({ { 0.7, 0.3, 0.1 }, { 0.6, -0.2, 0.3 }, { 0.5, 0.4, -0.3 },
        { 0.4, -0.5, 0.2 }, { 0.6, 0.1, 0.5 }, { 0.3, 0.6, 0.2 }, { 0.5, -0.3, -0.4 } });
    tRandomGenerator first(11);
    tRandomGenerator second(11);
    tRandomGenerator unused(11);
    const tObliqueRotation one = GeominRotation(a, 0.01L, 10, first).Value();
    const tObliqueRotation two = GeominRotation(a, 0.01L, 10, second).Value();
    const tObliqueRotation identityOnly = GeominRotation(a, 0.01L, 1, unused).Value();
    EXPECT_EQ(one.pattern, two.pattern);
    EXPECT_LE(one.criterion, identityOnly.criterion);
    // The winning start ends in rounding with a gradient that rounding keeps above 1e-10: it
    // stops there as converged instead of creeping on to the bound of 100000 steps.
    EXPECT_TRUE(one.converged);
    EXPECT_LT(one.iterations, 5000);
}

TEST(ObliqueRotations, UnfitInputsFail)
{
    tRandomGenerator random(1);
    EXPECT_EQ(ObliminRotation(Mat({ { 1 }, { 2 } }), 0).Error().Message,
        "eine schiefwinklige Rotation braucht mindestens 2 Faktoren (Spalten)");
    EXPECT_FALSE(ObliminRotation(Mat({ { 1, NAN } }), 0).Ok());
    EXPECT_FALSE(GeominRotation(Mixed(), 0, 1, random).Ok());
    EXPECT_FALSE(GeominRotation(Mixed(), 0.01L, 0, random).Ok());
    EXPECT_FALSE(PromaxRotation(Mixed(), 1).Ok());
}

TEST(KaiserNormalisation, RotatesTheNormalisedRowsAndScalesBack)
{
    // A rotation that records what it saw: every row it gets has unit length (or is zero).
    const trealmatrix a = Mat({ { 3, 4 }, { 0, 0 }, { 1, 0 } });
    const tRotationResult run = KaiserNormalised(a, [](const trealmatrix& m) {
        EXPECT_NEAR(m(1, 1), 0.6L, 1e-18L);
        EXPECT_EQ(m(2, 1), 0);
        trealmatrix swapped(m.Rows(), 2);
        for (int32_t i = 1; i <= m.Rows(); ++i) {
            swapped(i, 1) = m(i, 2);
            swapped(i, 2) = m(i, 1);
        }
        return tRotationResult { swapped, Mat({ { 0, 1 }, { 1, 0 } }), 1 };
    });
    EXPECT_LT(MaxDifference(run.rotated, Mat({ { 4, 3 }, { 0, 0 }, { 0, 1 } })), 1e-17L);
}

} // namespace
} // namespace zelvora
