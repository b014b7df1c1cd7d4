// Factor rotations against reference answers of R (stats::varimax, GPArotation::quartimax, the
// orthogonal Procrustes solution of GPArotation::targetT, the principal axes of L'L) for factor
// solutions of Harman74.cor, ability.cov, attitude and mtcars. The data files were written once by
// tests/data/rotations/make_reference.R.
#include "matrix_test_util.h"
#include "numerics/factor_rotations.h"
#include "numerics/matrix_product.h"
#include "numerics/rotation_criteria.h"
#include "reference_blocks.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::DifferenceUpToOrderAndSign;
using testing::MaxAbs;
using testing::ReadBlocks;
using testing::tBlocks;

long double RawVarimax(const trealmatrix& l)
{
    long double total = 0;
    for (int32_t c = 1; c <= l.Cols(); ++c) {
        long double fourth = 0;
        long double second = 0;
        for (int32_t r = 1; r <= l.Rows(); ++r) {
            fourth += std::pow(l(r, c), 4);
            second += l(r, c) * l(r, c);
        }
        total += fourth - second * second / l.Rows();
    }
    return total;
}

long double Quartimax(const trealmatrix& l)
{
    long double total = 0;
    for (int32_t r = 1; r <= l.Rows(); ++r)
        for (int32_t c = 1; c <= l.Cols(); ++c)
            total += std::pow(l(r, c), 4);
    return total;
}

long double SquaredDistance(const trealmatrix& a, const trealmatrix& b)
{
    long double total = 0;
    for (int32_t r = 1; r <= a.Rows(); ++r)
        for (int32_t c = 1; c <= a.Cols(); ++c)
            total += (a(r, c) - b(r, c)) * (a(r, c) - b(r, c));
    return total;
}

class RotationReference : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        blocks = ReadBlocks("rotations", GetParam());
        ASSERT_EQ(blocks.count("loadings"), 1u) << "missing data file " << GetParam();
        loadings = blocks["loadings"];
        rows = AllIndexes(loadings.Rows());
        cols = AllIndexes(loadings.Cols());
        tolerance = 1e-6L * MaxAbs(loadings);
    }
    long double Relative(long double ours, const char* key)
    {
        const long double reference = blocks[key](1, 1);
        return std::fabs(ours - reference) / std::fabs(reference);
    }
    tBlocks blocks;
    trealmatrix loadings;
    tIntvector rows;
    tIntvector cols;
    long double tolerance = 0;
};

TEST_P(RotationReference, RawVarimax)
{
    const tRotationResult run = RotationSweeps(loadings, rows, cols, VarimaxCriterion);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.rotated, blocks["varimax"]), tolerance);
    EXPECT_LT(Relative(RawVarimax(run.rotated), "varimax_value"), 1e-9L);
    EXPECT_LT(testing::MaxDifference(MatMul(loadings, run.transform).Value(), run.rotated), 1e-15L);
    EXPECT_LT(run.sweeps, 40) << "a converged rotation ends within a few sweeps";
}

TEST_P(RotationReference, Quartimax)
{
    const tRotationResult run = RotationSweeps(loadings, rows, cols, QuartimaxCriterion);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.rotated, blocks["quartimax"]), tolerance);
    EXPECT_LT(Relative(Quartimax(run.rotated), "quartimax_value"), 1e-9L);
    EXPECT_LT(run.sweeps, 40);
}

TEST_P(RotationReference, TargetIsTheProcrustesSolution)
{
    const trealmatrix& target = blocks["target"];
    const tRotationResult run = TargetRotation(loadings, target, rows, cols, false);
    // The target fixes order and signs: no matching needed.
    EXPECT_LT(testing::MaxDifference(run.rotated, blocks["ziel"]), tolerance);
    EXPECT_LT(Relative(SquaredDistance(run.rotated, target), "ziel_value"), 1e-9L);
    EXPECT_LT(run.sweeps, 60);
}

TEST_P(RotationReference, PrincipalAxes)
{
    const tRotationResult run = RotationSweeps(loadings, rows, cols, PrincipalAxisCriterion);
    EXPECT_LT(DifferenceUpToOrderAndSign(run.rotated, blocks["pca"]), tolerance);
}

INSTANTIATE_TEST_SUITE_P(FactorSolutions, RotationReference,
    ::testing::Values("harman74", "ability", "attitude", "mtcars"));

} // namespace
} // namespace zelvora
