// Factor scores against psych::factor.scores (Thurstone and Bartlett) on R's attitude (an oblimin
// solution with its Phi) and mtcars (unrotated), with R's loadings as input so that only the
// closed forms are compared; and the failures of unfit inputs.
#include "matrix_test_util.h"
#include "numerics/factor_scores.h"
#include "reference_blocks.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::ReadBlocks;
using testing::tBlocks;

class FactorScoresReference : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        blocks = ReadBlocks("factor_analysis", GetParam());
        ASSERT_FALSE(blocks["data"].IsAbsent());
    }
    trealmatrix Scores(tScoreMethod method)
    {
        return FactorScores(blocks["data"], blocks["loadings"], blocks["phi"], method)
            .Value()
            .scores;
    }
    tBlocks blocks;
};

TEST_P(FactorScoresReference, RegressionAgreesWithPsychThurstone)
{
    EXPECT_LT(MaxDifference(Scores(tScoreMethod::Regression), blocks["regression"]), 1e-12L);
}

TEST_P(FactorScoresReference, BartlettAgreesWithPsych)
{
    EXPECT_LT(MaxDifference(Scores(tScoreMethod::Bartlett), blocks["bartlett"]), 1e-12L);
}

INSTANTIATE_TEST_SUITE_P(
    PublicData, FactorScoresReference, ::testing::Values("scores_attitude", "scores_mtcars"));

const trealmatrix Data = Mat({ { 1, 2, 3 }, { 2, 1, 4 }, { 3, 5, 5 }, { 4, 3, 7 }, { 5, 6, 6 } });
const trealmatrix OneFactor = Mat({ { 0.8 }, { 0.7 }, { 0.9 } });

TEST(FactorScores, BartlettWeightsAreConditionallyUnbiased)
{
    // W' L = I: a case whose z-values are exactly L f gets the scores f.
    const trealmatrix loadings = Mat({ { 0.8, 0.1 }, { 0.7, 0.3 }, { 0.2, 0.9 } });
    const tFactorScores run
        = FactorScores(Data, loadings, Mat({ { 1, 0.3 }, { 0.3, 1 } }), tScoreMethod::Bartlett)
              .Value();
    for (int32_t a = 1; a <= 2; ++a)
        for (int32_t b = 1; b <= 2; ++b) {
            long double product = 0;
            for (int32_t i = 1; i <= 3; ++i)
                product += run.weights(i, a) * loadings(i, b);
            EXPECT_NEAR(product, a == b ? 1 : 0, 1e-15L) << a << "," << b;
        }
}

TEST(FactorScores, UnfitInputsFailWithTheirReason)
{
    const trealmatrix identity = Mat({ { 1 } });
    EXPECT_EQ(FactorScores(Data, Mat({ { 1 }, { 1 } }), identity, tScoreMethod::Regression)
                  .Error()
                  .Message,
        "die Ladungsmatrix (2 x 1) braucht eine Zeile je Variable (Spalte) der Daten (5 x 3)");
    EXPECT_EQ(FactorScores(Data, OneFactor, Mat({ { 1, 0 }, { 0, 1 } }), tScoreMethod::Regression)
                  .Error()
                  .Message,
        "Phi (2 x 2) muss 1 x 1 sein, eine Zeile und Spalte je Faktor");
    EXPECT_EQ(FactorScores(
                  Mat({ { 1, 2, 3 }, { 1, 4, 5 } }), OneFactor, identity, tScoreMethod::Regression)
                  .Error()
                  .Message,
        "Variable (Spalte) 1 der Daten hat keine Streuung");
    // A communality of 1 leaves no uniqueness to weight by.
    EXPECT_EQ(FactorScores(Data, Mat({ { 1 }, { 0.7 }, { 0.9 } }), identity, tScoreMethod::Bartlett)
                  .Error()
                  .Message,
        "Bartlett-Methode: die Eindeutigkeit von Variable 1 ist nicht positiv (Kommunalit\xE4t 1)");
    // Two data columns that are the same make R singular.
    EXPECT_FALSE(FactorScores(Mat({ { 1, 1, 3 }, { 2, 2, 1 }, { 3, 3, 5 }, { 4, 4, 2 } }),
        OneFactor, identity, tScoreMethod::Regression));
    EXPECT_EQ(FactorScores(Data, Mat({ { 0.5, 0.5 }, { 0.4, 0.4 }, { 0.3, 0.3 } }),
                  Mat({ { 1, 0 }, { 0, 1 } }), tScoreMethod::Bartlett)
                  .Error()
                  .Message,
        "Bartlett-Methode: die Spalten der Ladungsmatrix sind linear abh\xE4ngig");
}

} // namespace
} // namespace zelvora
