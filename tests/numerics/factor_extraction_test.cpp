// Factor extraction: an exact factor model is recovered by every method, a Heywood case is
// reported, and unfit requests fail.
#include "matrix_test_util.h"
#include "numerics/factor_extraction.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;

// R = L L' + Psi for two factors of six variables.
const trealmatrix ModelLoadings
    = Mat({ { 0.8, 0.1 }, { 0.7, 0.2 }, { 0.6, 0.0 }, { 0.1, 0.7 }, { 0.2, 0.6 }, { 0.0, 0.5 } });

// L L'.
trealmatrix Gram(const trealmatrix& l)
{
    trealmatrix g(l.Rows(), l.Rows());
    for (int32_t i = 1; i <= l.Rows(); ++i)
        for (int32_t j = 1; j <= l.Rows(); ++j)
            for (int32_t f = 1; f <= l.Cols(); ++f)
                g(i, j) += l(i, f) * l(j, f);
    return g;
}

trealmatrix ModelCorrelation()
{
    trealmatrix r = Gram(ModelLoadings);
    for (int32_t i = 1; i <= r.Rows(); ++i)
        r(i, i) = 1;
    return r;
}

class ExactModel : public ::testing::TestWithParam<tExtractionMethod> { };

TEST_P(ExactModel, RecoversTheModelUpToRotation)
{
    const tFactorExtraction run = ExtractFactors(ModelCorrelation(), 2, GetParam(), 200).Value();
    EXPECT_TRUE(run.converged);
    EXPECT_TRUE(run.heywood.empty());
    // Loadings are determined up to an orthogonal rotation: compare L L'.
    EXPECT_LT(MaxDifference(Gram(run.loadings), Gram(ModelLoadings)), 1e-10L);
    for (int32_t i = 1; i <= 6; ++i) {
        const long double h2
            = ModelLoadings(i, 1) * ModelLoadings(i, 1) + ModelLoadings(i, 2) * ModelLoadings(i, 2);
        EXPECT_NEAR(run.communalities(i, 1), h2, 1e-10L);
        EXPECT_NEAR(run.uniquenesses(i, 1), 1 - h2, 1e-10L);
    }
    for (int32_t j = 1; j <= 2; ++j) {
        long double sum = 0;
        for (int32_t i = 1; i <= 6; ++i)
            sum += run.loadings(i, j);
        EXPECT_GE(sum, 0) << "column " << j;
    }
    EXPECT_EQ(run.fit.has_value(), GetParam() == tExtractionMethod::MaximumLikelihood);
    if (run.fit) {
        EXPECT_NEAR(run.fit->chiSquare, 0, 1e-9L);
        EXPECT_EQ(run.fit->df, 4);
        EXPECT_NEAR(run.fit->p, 1, 1e-9L);
        EXPECT_EQ(run.fit->rmsea, 0);
        EXPECT_EQ(run.fit->rmseaLower, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, ExactModel,
    ::testing::Values(tExtractionMethod::PrincipalAxis, tExtractionMethod::Minres,
        tExtractionMethod::MaximumLikelihood));

// One factor for r12 = r13 = 0.8, r23 = 0.5 needs l1^2 = r12 r13 / r23 = 1.28.
TEST(FactorExtraction, HeywoodCaseIsReported)
{
    const trealmatrix r = Mat({ { 1, 0.8, 0.8 }, { 0.8, 1, 0.5 }, { 0.8, 0.5, 1 } });
    for (tExtractionMethod method : { tExtractionMethod::PrincipalAxis, tExtractionMethod::Minres,
             tExtractionMethod::MaximumLikelihood }) {
        const tFactorExtraction run = ExtractFactors(r, 1, method, 100, 500).Value();
        ASSERT_EQ(run.heywood.size(), 1u) << static_cast<int>(method);
        EXPECT_EQ(run.heywood[0], 1);
    }
}

TEST(FactorExtraction, IterationLimitIsReportedAsNotConverged)
{
    const trealmatrix r = ModelCorrelation();
    const tFactorExtraction run
        = ExtractFactors(r, 2, tExtractionMethod::PrincipalAxis, 0, 3).Value();
    EXPECT_FALSE(run.converged);
    EXPECT_EQ(run.iterations, 3);
}

TEST(FactorExtraction, UnfitRequestsFail)
{
    const trealmatrix r = ModelCorrelation();
    EXPECT_EQ(ExtractFactors(r, 0, tExtractionMethod::Minres).Error().Message,
        "die Zahl der Faktoren (0) muss zwischen 1 und 5 liegen");
    EXPECT_FALSE(ExtractFactors(r, 6, tExtractionMethod::Minres).Ok());
    EXPECT_FALSE(ExtractFactors(Mat({ { 1, 0.5 } }), 1, tExtractionMethod::Minres).Ok());
    const trealmatrix singular = Mat({ { 1, 1, 0.5 }, { 1, 1, 0.5 }, { 0.5, 0.5, 1 } });
    EXPECT_FALSE(ExtractFactors(singular, 1, tExtractionMethod::MaximumLikelihood).Ok());
    EXPECT_TRUE(ExtractFactors(singular, 1, tExtractionMethod::PrincipalAxis).Ok());
}

// Without degrees of freedom there is nothing to test the model against.
TEST(FactorExtraction, NoFitWithoutDegreesOfFreedom)
{
    const trealmatrix r = Mat({ { 1, 0.5, 0.4 }, { 0.5, 1, 0.3 }, { 0.4, 0.3, 1 } });
    EXPECT_FALSE(ExtractFactors(r, 1, tExtractionMethod::MaximumLikelihood, 100).Value().fit);
}

} // namespace
} // namespace zelvora
