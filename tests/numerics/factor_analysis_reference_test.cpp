// Factor analysis against reference answers of R's psych (KMO, cortest.bartlett, fa) for
// Harman74.cor, ability.cov, attitude and mtcars. The data files were written once by
// tests/data/factor_analysis/make_reference.R; the inputs are covariance matrices, which every
// routine standardises first.
#include "matrix_test_util.h"
#include "numerics/factor_adequacy.h"
#include "numerics/factor_count.h"
#include "numerics/factor_extraction.h"
#include "numerics/oblique_rotations.h"
#include "numerics/rotation_criteria.h"
#include "reference_blocks.h"

#include <cmath>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::DifferenceUpToOrderAndSign;
using testing::MaxDifference;
using testing::ReadBlocks;
using testing::tBlocks;

class FactorAnalysisReference : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        blocks = ReadBlocks("factor_analysis", GetParam());
        ASSERT_FALSE(blocks["input"].IsAbsent());
        input = blocks["input"];
        cases = blocks["cases"](1, 1);
    }
    tFactorExtraction Extract(tExtractionMethod method)
    {
        const auto k = static_cast<int32_t>(blocks["factors"](1, 1));
        tFactorExtraction run = ExtractFactors(input, k, method, cases).Value();
        EXPECT_TRUE(run.converged);
        return run;
    }
    tBlocks blocks;
    trealmatrix input;
    long double cases = 0;
};

// Closed forms: the only differences are R's double rounding.
TEST_P(FactorAnalysisReference, KmoAgreesToClosedFormPrecision)
{
    const tSamplingAdequacy kmo = SamplingAdequacy(input).Value();
    EXPECT_NEAR(kmo.overall, blocks["kmo"](1, 1), 1e-12L);
    EXPECT_LT(MaxDifference(kmo.perVariable, blocks["kmo_items"]), 1e-12L);
}

TEST_P(FactorAnalysisReference, BartlettAgreesToClosedFormPrecision)
{
    const tChiSquareTest test = SphericityTest(input, cases).Value();
    const trealmatrix& reference = blocks["bartlett"];
    EXPECT_NEAR(test.statistic, reference(1, 1), 1e-12L * reference(1, 1));
    EXPECT_EQ(test.df, reference(2, 1));
    // p is tiny for these data; relative agreement is what counts.
    EXPECT_NEAR(test.p, reference(3, 1), 1e-11L * reference(3, 1));
}

// psych iterates the principal axes until the communalities change by less than 1e-14 in sum
// (min.err as the reference script sets it); its double rounding limits the agreement.
TEST_P(FactorAnalysisReference, PrincipalAxesAgreeWithPsych)
{
    const tFactorExtraction run = Extract(tExtractionMethod::PrincipalAxis);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.loadings, blocks["pa_loadings"]), 1e-10L);
    EXPECT_LT(MaxDifference(run.communalities, blocks["pa_communalities"]), 1e-10L);
}

// psych's MINRES stops where R's L-BFGS-B optimiser stops (factr 1e7, relative change of the
// criterion about 2e-9); ours goes on to a gradient of 1e-13, so the two agree to about 1e-4.
// Converged, MINRES and the iterated principal axes reach the same point.
TEST_P(FactorAnalysisReference, MinresAgreesWithPsychAndWithPrincipalAxes)
{
    const tFactorExtraction run = Extract(tExtractionMethod::Minres);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.loadings, blocks["minres_loadings"]), 1e-4L);
    if (run.heywood.empty()) {
        EXPECT_LT(DifferenceUpToOrderAndSign(run.loadings, blocks["pa_loadings"]), 1e-10L);
    }
}

// The same optimiser tolerance for maximum likelihood; the fit statistics are smooth in the
// loadings and agree to a relative 1e-5.
TEST_P(FactorAnalysisReference, MaximumLikelihoodAgreesWithPsychAndFactanal)
{
    const tFactorExtraction run = Extract(tExtractionMethod::MaximumLikelihood);
    // The search starts from the likelihood's curvature: about 20 steps on these data (a start
    // from the identity took more than 30 on harman74 and mtcars).
    EXPECT_LE(run.iterations, 30);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.loadings, blocks["ml_loadings"]), 1e-4L);
    EXPECT_LT(MaxDifference(run.uniquenesses, blocks["ml_uniquenesses"]), 1e-4L);
    ASSERT_TRUE(run.fit.has_value());
    const trealmatrix& r = blocks["ml_fit"];
    const long double ours[] = { run.fit->objective, run.fit->chiSquare, run.fit->df, run.fit->p,
        run.fit->rmsea, run.fit->rmseaLower, run.fit->rmseaUpper, run.fit->tli, run.fit->bic };
    const char* names[]
        = { "objective", "chi2", "df", "p", "rmsea", "lower", "upper", "tli", "bic" };
    for (int32_t i = 1; i <= 9; ++i) {
        EXPECT_NEAR(ours[i - 1], r(i, 1), 1e-5L * std::max(1.0L, std::fabs(r(i, 1))))
            << names[i - 1];
    }
}

// An oblique solution is fixed up to the order and signs of its factors: compare the pattern and
// the structure (pattern times Phi) column by column with the sign that fits.
void ExpectSameSolution(const tObliqueRotation& ours, const trealmatrix& pattern,
    const trealmatrix& phi, long double tolerance)
{
    EXPECT_LT(DifferenceUpToOrderAndSign(ours.pattern, pattern), tolerance);
    trealmatrix structure(pattern.Rows(), pattern.Cols());
    for (int32_t i = 1; i <= pattern.Rows(); ++i)
        for (int32_t j = 1; j <= pattern.Cols(); ++j)
            for (int32_t l = 1; l <= pattern.Cols(); ++l)
                structure(i, j) += pattern(i, l) * phi(l, j);
    EXPECT_LT(DifferenceUpToOrderAndSign(ours.structure, structure), tolerance);
}

// GPArotation ran from the identity, as ours does, with eps 1e-10; in double its step test drowns
// in rounding near a projected gradient of 1e-8, where it creeps on with ever smaller steps. Ours
// stops at 1e-10 in 80 bits. The patterns agree to 1e-6 (R stops at its eps of 1e-10 or 20000
// steps), the criteria to 1e-12.
TEST_P(FactorAnalysisReference, ObliminAgreesWithGpaRotation)
{
    const trealmatrix& loadings = blocks["pa_loadings"];
    for (const auto& [tag, gamma] : { std::pair { "oblimin0", 0.0L }, { "oblimin5", 0.5L } }) {
        SCOPED_TRACE(tag);
        const tObliqueRotation run = ObliminRotation(loadings, gamma).Value();
        EXPECT_TRUE(run.converged);
        ExpectSameSolution(
            run, blocks[std::string(tag) + "_pattern"], blocks[std::string(tag) + "_phi"], 1e-6L);
        EXPECT_NEAR(run.criterion, blocks[std::string(tag) + "_value"](1, 1), 1e-12L);
    }
}

TEST_P(FactorAnalysisReference, GeominFromTheIdentityAgreesWithGpaRotation)
{
    tRandomGenerator random(1);
    const tObliqueRotation run = GeominRotation(blocks["pa_loadings"], 0.01L, 1, random).Value();
    EXPECT_TRUE(run.converged);
    ExpectSameSolution(run, blocks["geomin_pattern"], blocks["geomin_phi"], 1e-6L);
    EXPECT_NEAR(run.criterion, blocks["geomin_value"](1, 1), 1e-12L);
}

// Our VARIMAX stops at a residual angle near 1e-10 (R's was run to 1e-15), which the power
// and the fit amplify to about 1e-7 in the pattern. stats::promax stops
// its VARIMAX at 1e-5 and agrees only to that.
TEST_P(FactorAnalysisReference, PromaxAgreesWithItsDefinition)
{
    const tObliqueRotation run = PromaxRotation(blocks["pa_loadings"], 4).Value();
    ExpectSameSolution(run, blocks["promax_pattern"], blocks["promax_phi"], 1e-7L);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.pattern, blocks["promax_stats"]), 5e-3L);
}

// stats::varimax normalises the rows by default; ours does when asked to. The VARIMAX stop rule
// leaves a residual angle near 1e-10, which the flat criterion turns into up to 1e-7 in the
// loadings (the rotation references allow 1e-6).
TEST_P(FactorAnalysisReference, KaiserVarimaxAgreesWithStatsVarimax)
{
    const trealmatrix& loadings = blocks["pa_loadings"];
    const tRotationResult run = KaiserNormalised(loadings, [](const trealmatrix& m) {
        return RotationSweeps(m, AllIndexes(m.Rows()), AllIndexes(m.Cols()), VarimaxCriterion);
    });
    EXPECT_LT(DifferenceUpToOrderAndSign(run.rotated, blocks["kaiser_varimax"]), 1e-7L);
}

// MAP is a closed form given R: psych's VSS gives the same averages up to double rounding. The
// last row (p - 1 components removed) is exactly 1, the partial matrix having rank 1; R's double
// cancellation leaves it some 1e-10 off (ours some 1e-13), so that row is checked against 1.
TEST_P(FactorAnalysisReference, MapAgreesWithPsychVss)
{
    const tMinimumAveragePartial map = MinimumAveragePartial(input).Value();
    const trealmatrix& reference = blocks["map"];
    const int32_t last = reference.Rows();
    ASSERT_EQ(map.averages.Rows(), last);
    for (int32_t m = 1; m < last; ++m)
        EXPECT_NEAR(map.averages(m, 1), reference(m, 1), 1e-12L) << m;
    EXPECT_NEAR(map.averages(last, 1), 1, 1e-12L);
    EXPECT_NEAR(reference(last, 1), 1, 1e-9L);
}

// Parallel analysis is random: psych's fa.parallel (its own generator, and for factors the
// eigenvalues of a one-factor MINRES reduction instead of the squared multiple correlations) is
// only a loose check, one factor either way.
TEST_P(FactorAnalysisReference, ParallelAnalysisSuggestsAboutWhatPsychSuggests)
{
    const trealmatrix& psych = blocks["parallel_suggestion"];
    const auto n = static_cast<int32_t>(cases);
    tRandomGenerator random(36);
    const tParallelAnalysis components
        = ParallelAnalysis(input, n, 100, tParallelKind::Components, random).Value();
    EXPECT_LE(std::abs(components.suggested - static_cast<int32_t>(psych(1, 1))), 1);
    const tParallelAnalysis factors
        = ParallelAnalysis(input, n, 100, tParallelKind::Factors, random).Value();
    EXPECT_LE(std::abs(factors.suggested - static_cast<int32_t>(psych(2, 1))), 1);
}

INSTANTIATE_TEST_SUITE_P(PublicData, FactorAnalysisReference,
    ::testing::Values("harman74", "ability", "attitude", "mtcars"));

} // namespace
} // namespace zelvora
