// Factor analysis against reference answers of R's psych (KMO, cortest.bartlett, fa) for
// Harman74.cor, ability.cov, attitude and mtcars. The data files were written once by
// tests/data/factor_analysis/make_reference.R; the inputs are covariance matrices, which every
// routine standardises first.
#include "matrix_test_util.h"
#include "numerics/factor_adequacy.h"
#include "reference_blocks.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

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

INSTANTIATE_TEST_SUITE_P(PublicData, FactorAnalysisReference,
    ::testing::Values("harman74", "ability", "attitude", "mtcars"));

} // namespace
} // namespace zelvora
